// Names and codes of the six sample formats the audio device can be asked for ("U8", "S8",
// "U16LSB", "S16LSB", "U16MSB", "S16MSB"), as the start-up parameters and the log spell them.
#include "tarn/tasks/task_sdlmixer/audioformat.h"

#include "tarn/utils/string/stringutils.h"

namespace tarn {

namespace {

struct SAudioFormat {
    const char* myName;
    uint16_t myCode;
};

// SDL's published codes.
const SAudioFormat kFormats[] = {
    {"U8", 0x0008},     {"S8", 0x8008},     {"U16LSB", 0x0010},
    {"S16LSB", 0x8010}, {"U16MSB", 0x1010}, {"S16MSB", 0x9010},
};

const SAudioFormat* FindByName(const std::string& name) {
    const std::string upper = UpperCase(name);
    for (const SAudioFormat& format : kFormats) {
        if (upper == format.myName) return &format;
    }
    return nullptr;
}

}  // namespace

bool IsAudioFormatName(const std::string& name) { return FindByName(name) != nullptr; }

uint16_t AudioFormatFromName(const std::string& name) {
    const SAudioFormat* format = FindByName(name);
    return format ? format->myCode : kDefaultAudioFormat;
}

std::string AudioFormatName(uint16_t code) {
    for (const SAudioFormat& format : kFormats) {
        if (code == format.myCode) return format.myName;
    }
    return std::string();
}

}  // namespace tarn
