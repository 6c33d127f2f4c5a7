// Names and codes of the six sample formats the audio device can be asked for ("U8", "S8",
// "U16LSB", "S16LSB", "U16MSB", "S16MSB"), as the start-up parameters and the log spell them.
#ifndef TARN_TASKS_TASK_SDLMIXER_AUDIOFORMAT_H
#define TARN_TASKS_TASK_SDLMIXER_AUDIOFORMAT_H

#include <cstdint>
#include <string>

namespace tarn {

// The format every name outside the six falls back to: signed 16-bit little-endian.
const uint16_t kDefaultAudioFormat = 0x8010;

// True when name (in any case) is one of the six format names.
bool IsAudioFormatName(const std::string& name);
// The code of a format name, compared without regard to case; S16LSB for any other text.
uint16_t AudioFormatFromName(const std::string& name);
// The upper-case name of a code; "" for a code that is none of the six.
std::string AudioFormatName(uint16_t code);

}  // namespace tarn

#endif
