// Tests of the sample format names: names to codes in any case with the S16LSB fallback,
// codes back to names, and the membership test.
#include <SDL_audio.h>
#include <gtest/gtest.h>

#include "tarn/tasks/task_sdlmixer/audioformat.h"

namespace {

struct SFormatCase {
    const char* myName;
    uint16_t myCode;
};

// The codes are SDL's own.
const SFormatCase kFormats[] = {
    {"U8", AUDIO_U8},         {"S8", AUDIO_S8},         {"U16LSB", AUDIO_U16LSB},
    {"S16LSB", AUDIO_S16LSB}, {"U16MSB", AUDIO_U16MSB}, {"S16MSB", AUDIO_S16MSB},
};

TEST(AudioFormat, NamesAndCodesMapBothWays) {
    for (const SFormatCase& format : kFormats) {
        EXPECT_TRUE(tarn::IsAudioFormatName(format.myName)) << format.myName;
        EXPECT_EQ(format.myCode, tarn::AudioFormatFromName(format.myName)) << format.myName;
        EXPECT_EQ(format.myName, tarn::AudioFormatName(format.myCode)) << format.myName;
    }
    EXPECT_EQ(AUDIO_S16LSB, tarn::kDefaultAudioFormat);
}

TEST(AudioFormat, NamesCompareWithoutCase) {
    EXPECT_EQ(AUDIO_S16MSB, tarn::AudioFormatFromName("s16msb"));
    EXPECT_EQ(AUDIO_U16LSB, tarn::AudioFormatFromName("u16Lsb"));
    EXPECT_TRUE(tarn::IsAudioFormatName("s8"));
}

TEST(AudioFormat, UnknownNamesFallBackAndUnknownCodesHaveNoName) {
    const struct {
        const char* myName;
    } unknown[] = {{""}, {"S16"}, {"S16LSB "}, {" U8"}, {"U16SYS"}, {"S16LSBX"}, {"F32LSB"}};
    for (const auto& name : unknown) {
        EXPECT_FALSE(tarn::IsAudioFormatName(name.myName)) << "'" << name.myName << "'";
        EXPECT_EQ(AUDIO_S16LSB, tarn::AudioFormatFromName(name.myName)) << "'" << name.myName << "'";
    }
    for (uint16_t code : {uint16_t(0), uint16_t(0x8020), uint16_t(0xFFFF), uint16_t(0x0009)}) {
        EXPECT_EQ("", tarn::AudioFormatName(code)) << code;
    }
}

}  // namespace
