// The generated music as a player hears it: each piece lasts minutes, never comes back to an
// earlier stretch of itself (no lag of seconds at which the piece matches itself), and both
// together stay small in the WAV format every build's mixer plays.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace {

using Complex = std::complex<double>;

// M_PI is a POSIX extension that MinGW leaves out in strict C++17.
const double kPi = 3.14159265358979323846;
const std::string theSoundDir = std::string(MARBLES_SOURCE_DIR) + "/game/data/sound";

// In-place radix-2 transform; a.size() is a power of two.
void Fft(std::vector<Complex>& a, bool inverse) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    std::vector<Complex> twiddles(n / 2);
    for (std::size_t k = 0; k < n / 2; ++k)
        twiddles[k] = std::polar(1.0, (inverse ? 2 : -2) * kPi * static_cast<double>(k) / static_cast<double>(n));
    for (std::size_t len = 2; len <= n; len <<= 1) {
        for (std::size_t i = 0; i < n; i += len) {
            for (std::size_t k = 0; k < len / 2; ++k) {
                const Complex u = a[i + k];
                const Complex v = a[i + k + len / 2] * twiddles[k * (n / len)];
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

// The highest correlation of samples with themselves shifted by minLag up to half their length:
// near 1 where a stretch comes back unchanged.
double HighestSelfMatch(const std::vector<double>& x, std::size_t minLag) {
    std::size_t n = 1;
    while (n < 2 * x.size()) n <<= 1;
    std::vector<Complex> spectrum(x.begin(), x.end());
    spectrum.resize(n);
    Fft(spectrum, false);
    for (Complex& c : spectrum) c = std::norm(c);
    Fft(spectrum, true);
    std::vector<double> energy(x.size() + 1, 0.0);  // energy[i]: sum of squares before i
    for (std::size_t i = 0; i < x.size(); ++i) energy[i + 1] = energy[i] + x[i] * x[i];
    double highest = 0;
    for (std::size_t lag = minLag; lag <= x.size() / 2; ++lag) {
        const double overlap = std::sqrt((energy[x.size() - lag] - energy[0]) * (energy[x.size()] - energy[lag]));
        if (overlap > 0) highest = std::max(highest, spectrum[lag].real() / static_cast<double>(n) / overlap);
    }
    return highest;
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

TEST(Music, EachPieceLastsMinutesNeverRepeatsItselfAndBothStaySmall) {
    const struct {
        const char* file;
        double minSeconds;
    } pieces[] = {{"music.wav", 120}, {"music2.wav", 80}};
    std::size_t bytes = 0;
    for (const auto& piece : pieces) {
        const std::string wav = testsupport::ReadFile(theSoundDir + "/" + piece.file);
        ASSERT_GT(wav.size(), 44u) << piece.file;
        bytes += wav.size();
        // Plain PCM in one channel: what SDL_mixer reads on every platform.
        EXPECT_EQ(Le(wav, 20, 2), 1u) << piece.file;
        EXPECT_EQ(Le(wav, 22, 2), 1u) << piece.file;
        const std::uint32_t rate = Le(wav, 24, 4);
        ASSERT_EQ(Le(wav, 34, 2), 8u) << piece.file;
        const std::size_t count = Le(wav, 40, 4);
        ASSERT_EQ(count + 44, wav.size()) << piece.file;
        EXPECT_GE(static_cast<double>(count) / rate, piece.minSeconds) << piece.file;
        // Pairs averaged: half the work, the same music below 2.7 kHz.
        std::vector<double> samples(count / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] =
                static_cast<unsigned char>(wav[44 + 2 * i]) + static_cast<unsigned char>(wav[45 + 2 * i]) - 256.0;
        const double match = HighestSelfMatch(samples, 4 * rate / 2);
        EXPECT_LT(match, 0.5) << piece.file << " comes back to itself";
    }
    EXPECT_LT(bytes, 3000000u);
}
