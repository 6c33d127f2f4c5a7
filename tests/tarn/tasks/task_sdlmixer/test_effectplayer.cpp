// Tests of the effect player on the dummy audio driver: one load per file, effects played on
// free channels, unloading once every channel is silent (kept effects stay), a busy mixer,
// bad files, pause, volume, and releasing everything at the end.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "support/observe.h"
#include "support/testsupport.h"
#include "support/wavwriter.h"
#include "tarn/tasks/task_sdlmixer/ceffectplayer.h"
#include "tarn/tasks/task_sdlmixer/csdlmixereffectdata.h"

namespace {

using tarn::CEffectPlayer;
using tarn::CSDLMixerEffectData;

using testsupport::Occurrences;
using testsupport::WaitFor;

bool AllSilent() { return Mix_Playing(-1) == 0; }

class EffectPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        // Silent and present everywhere, also when the test program runs outside CTest.
        testsupport::SetEnvironment("SDL_AUDIODRIVER", "dummy");
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_AUDIO)) << SDL_GetError();
        ASSERT_EQ(0, Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 512)) << SDL_GetError();
        Mix_AllocateChannels(4);
        testsupport::WriteWav("click.wav", 40, 22050, 2, 1000.0);
        testsupport::WriteWav("pop.wav", 40, 11025, 1, 600.0);
        // Long enough to be still sounding wherever a test expects it, however slow the run.
        testsupport::WriteWav("long.wav", testsupport::kGenerousDeadlineMs, 8000, 1);
        myPlayer = std::make_unique<CEffectPlayer>();
    }
    void TearDown() override {
        myPlayer.reset();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        testsupport::ResetEngine();
    }
    std::string Log() const { return testsupport::LogBody(); }

    testsupport::CTempDir myDir;
    std::unique_ptr<CEffectPlayer> myPlayer;
};

TEST_F(EffectPlayer, AnEffectIsLoadedOnceAndPlaysOnFreeChannels) {
    myPlayer->Play("long.wav");
    myPlayer->Play("long.wav");
    EXPECT_TRUE(myPlayer->IsEffectStarted());
    EXPECT_EQ(2, Mix_Playing(-1));
    EXPECT_EQ(1, CSDLMixerEffectData::GetLiveCount());
    EXPECT_EQ("( ) new CSDLMixerEffectData( long.wav ) \n", Log());
    // Still sounding: nothing is unloaded.
    myPlayer->Update();
    EXPECT_EQ(1, CSDLMixerEffectData::GetLiveCount());
    EXPECT_TRUE(myPlayer->IsEffectStarted());
}

TEST_F(EffectPlayer, EffectsNotKeptGoAtTheFirstUpdateAfterSilence) {
    myPlayer->Preload("pop.wav");
    myPlayer->Play("click.wav");
    myPlayer->Play("pop.wav");
    EXPECT_EQ(2, CSDLMixerEffectData::GetLiveCount());
    ASSERT_TRUE(WaitFor(AllSilent));
    EXPECT_EQ(0, Occurrences(Log(), "freed"));
    myPlayer->Update();
    EXPECT_FALSE(myPlayer->IsEffectStarted());
    EXPECT_EQ(nullptr, CSDLMixerEffectData::Find("click.wav"));
    ASSERT_NE(nullptr, CSDLMixerEffectData::Find("pop.wav"));
    EXPECT_EQ(1, Occurrences(Log(), "( ) freed CSDLMixerEffectData\n"));
    // The kept one is played again without loading.
    myPlayer->Play("pop.wav");
    EXPECT_EQ(1, Occurrences(Log(), "new CSDLMixerEffectData( pop.wav ) "));
}

TEST_F(EffectPlayer, FreeingSilencesAndUnloadsOnlyThatEffect) {
    myPlayer->Play("long.wav");
    myPlayer->Preload("click.wav");
    myPlayer->Free("long.wav");
    EXPECT_EQ(0, Mix_Playing(-1));
    EXPECT_EQ(nullptr, CSDLMixerEffectData::Find("long.wav"));
    EXPECT_NE(nullptr, CSDLMixerEffectData::Find("click.wav"));
    myPlayer->Free("not-loaded.wav");
    EXPECT_EQ(1, CSDLMixerEffectData::GetLiveCount());
}

TEST_F(EffectPlayer, ABusyMixerIsAWarning) {
    Mix_AllocateChannels(1);
    myPlayer->Play("long.wav");
    myPlayer->Play("long.wav");
    EXPECT_EQ(1, Mix_Playing(-1));
    EXPECT_NE(std::string::npos, Log().find("(!) Could not play the effect: long.wav\n(!) SDL_Mixer says: "))
        << Log();
    EXPECT_TRUE(myPlayer->IsEffectStarted());
}

TEST_F(EffectPlayer, FilesThatDoNotLoadAreLoggedAndPlayNothing) {
    testsupport::WriteFile("empty.wav", "");
    testsupport::WriteFile("garbage.wav", "RIFF....WAVEjunkjunkjunkjunkjunk");
    testsupport::WriteFile("truncated.wav", testsupport::WavBytes(22050, 2, 100).substr(0, 30));
    std::string badFormat = testsupport::WavBytes(22050, 2, 100);
    badFormat[20] = 0x55;
    testsupport::WriteFile("bad-format.wav", badFormat);

    myPlayer->Play("missing.wav");
    EXPECT_FALSE(myPlayer->IsEffectStarted());
    EXPECT_EQ(0, CSDLMixerEffectData::GetLiveCount());
    EXPECT_NE(std::string::npos, Log().find("( ) new CSDLMixerEffectData( missing.wav ) \n"
                                            "<!> Could not load effect-file  missing.wav\n"
                                            "<!> SDL_Mixer says: "))
        << Log();
    for (const char* bad : {"empty.wav", "garbage.wav", "truncated.wav", "bad-format.wav", "", "."}) {
        myPlayer->Play(bad);
        myPlayer->Preload(bad);
        EXPECT_EQ(0, CSDLMixerEffectData::GetLiveCount()) << bad;
        EXPECT_EQ(0, Mix_Playing(-1)) << bad;
    }
    // A directory never reaches SDL_mixer.
    EXPECT_NE(std::string::npos, Log().find("<!> Could not load effect-file  .\n<!> it is a folder, not a file\n"))
        << Log();
    EXPECT_FALSE(myPlayer->IsEffectStarted());

    // Nor does a device or a file larger than a sound may be (sparse: costs no disk).
    testsupport::WriteFile("huge.wav", testsupport::WavBytes(22050, 2, 100));
    std::filesystem::resize_file("huge.wav", (64u << 20) + 1);
    const std::pair<const char*, const char*> refused[] = {
        {"huge.wav", "it holds 67108865 bytes, more than the 67108864 allowed for its kind"},
#if !defined(_WIN32)
        {"/dev/zero", "it is not a regular file (a device, pipe or socket)"},
#endif
    };
    for (const auto& [name, why] : refused) {
        myPlayer->Play(name);
        EXPECT_EQ(0, CSDLMixerEffectData::GetLiveCount()) << name;
        EXPECT_NE(Log().find(std::string("<!> Could not load effect-file  ") + name + "\n<!> " + why + "\n"),
                  std::string::npos)
            << Log();
    }
}

TEST_F(EffectPlayer, PauseAndResumeReachEveryChannel) {
    myPlayer->Play("long.wav");
    myPlayer->Play("long.wav");
    myPlayer->Pause();
    EXPECT_EQ(2, Mix_Paused(-1));
    // Paused channels count as sounding.
    myPlayer->Update();
    EXPECT_EQ(1, CSDLMixerEffectData::GetLiveCount());
    myPlayer->Resume();
    EXPECT_EQ(0, Mix_Paused(-1));
}

TEST_F(EffectPlayer, VolumeAppliesToEveryChannelWithinRange) {
    const struct {
        float myVolume;
        int myMixer;
    } cases[] = {{0.25f, 32}, {1.0f, 128}, {0.0f, 0}, {3.0f, 128}, {-1.0f, 0}, {std::nanf(""), 0}};
    for (const auto& c : cases) {
        myPlayer->SetVolume(c.myVolume);
        for (int channel = 0; channel < 4; ++channel) EXPECT_EQ(c.myMixer, Mix_Volume(channel, -1)) << c.myVolume;
    }
}

TEST_F(EffectPlayer, DestroyingThePlayerHaltsAndUnloadsEverything) {
    myPlayer->Preload("click.wav");
    myPlayer->Play("long.wav");
    myPlayer.reset();
    EXPECT_EQ(0, Mix_Playing(-1));
    EXPECT_EQ(0, CSDLMixerEffectData::GetLiveCount());
    EXPECT_EQ(2, Occurrences(Log(), "freed CSDLMixerEffectData\n"));
}

}  // namespace
