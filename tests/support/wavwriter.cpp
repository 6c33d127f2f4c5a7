// Writes small PCM WAV files for the audio tests: a RIFF header written by hand and a sine
// tone of 16-bit samples.
#include "wavwriter.h"

#include <cmath>
#include <cstdint>

#include "testsupport.h"

namespace testsupport {

namespace {

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::string WavBytes(int rate, int channels, int ms, double hz) {
    const uint32_t frames = static_cast<uint32_t>(static_cast<int64_t>(rate) * ms / 1000);
    const uint32_t blockAlign = static_cast<uint32_t>(channels) * 2;
    const uint32_t dataSize = frames * blockAlign;
    std::string out = "RIFF";
    Put32(out, 36 + dataSize);
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, static_cast<uint32_t>(channels));
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate) * blockAlign);
    Put16(out, blockAlign);
    Put16(out, 16);
    out += "data";
    Put32(out, dataSize);
    const double pi = 3.14159265358979323846;
    for (uint32_t frame = 0; frame < frames; ++frame) {
        const double value = 0.3 * std::sin(2.0 * pi * hz * frame / rate);
        const int16_t sample = static_cast<int16_t>(value * 32767.0);
        for (int channel = 0; channel < channels; ++channel) Put16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

void WriteWav(const std::string& path, int ms, int rate, int channels, double hz) {
    WriteFile(path, WavBytes(rate, channels, ms, hz));
}

}  // namespace testsupport
