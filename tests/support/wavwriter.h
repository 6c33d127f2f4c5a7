// Writes small PCM WAV files for the audio tests: a RIFF header written by hand and a sine
// tone of 16-bit samples.
#ifndef TESTS_SUPPORT_WAVWRITER_H
#define TESTS_SUPPORT_WAVWRITER_H

#include <string>

namespace testsupport {

// The bytes of a 16-bit PCM WAV file holding ms milliseconds of a sine at hz.
std::string WavBytes(int rate, int channels, int ms, double hz = 440.0);
// Writes WavBytes(...) to path.
void WriteWav(const std::string& path, int ms, int rate = 22050, int channels = 2, double hz = 440.0);

}  // namespace testsupport

#endif
