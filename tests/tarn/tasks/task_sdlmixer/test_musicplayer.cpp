// Tests of the music player on the dummy audio driver: one load per file, which music stays
// loaded when another replaces it, the play/pause/stop state machine with its fades, looping,
// volume, bad files, and releasing everything at the end.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <thread>

#include "support/observe.h"
#include "support/testsupport.h"
#include "support/wavwriter.h"
#include "tarn/tasks/task_sdlmixer/cmusicplayer.h"
#include "tarn/tasks/task_sdlmixer/csdlmixermusicdata.h"

// SDL_mixer 1.2.12 itself loses its stream and a small block when Mix_LoadMUS meets an empty
// file; the sanitizer build is told so, for this program only.
extern "C" const char* __lsan_default_suppressions() { return "leak:Mix_LoadMUSType_RW\nleak:SDL_AllocRW\n"; }

namespace {

using tarn::CMusicPlayer;
using tarn::CSDLMixerMusicData;

using testsupport::Occurrences;
using testsupport::WaitFor;

const int kSoundingMs = testsupport::kGenerousDeadlineMs;

class MusicPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        // Silent and present everywhere, also when the test program runs outside CTest.
        testsupport::SetEnvironment("SDL_AUDIODRIVER", "dummy");
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_AUDIO)) << SDL_GetError();
        ASSERT_EQ(0, Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 512)) << SDL_GetError();
        // Long enough to be still playing wherever a test expects it, however slow the run.
        testsupport::WriteWav("a.wav", kSoundingMs, 8000, 1);
        testsupport::WriteWav("b.wav", kSoundingMs, 11025, 1);
        testsupport::WriteWav("c.wav", kSoundingMs, 8000, 1);
        myPlayer = std::make_unique<CMusicPlayer>();
    }
    void TearDown() override {
        myPlayer.reset();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        testsupport::ResetEngine();
    }
    std::string Log() const { return testsupport::LogBody(); }
    std::string CurrentName() const { return myPlayer->GetCurrent() ? myPlayer->GetCurrent()->GetFileName() : "(none)"; }

    testsupport::CTempDir myDir;
    std::unique_ptr<CMusicPlayer> myPlayer;
};

TEST_F(MusicPlayer, AFileIsLoadedOnceAndTheFirstPlayFadesIn) {
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());
    EXPECT_TRUE(myPlayer->IsFadeRequested());
    EXPECT_EQ(3000, myPlayer->GetFadeTime());
    myPlayer->Play("a.wav");
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, myPlayer->GetState());
    EXPECT_EQ(1, Mix_PlayingMusic());
    EXPECT_EQ(MIX_FADING_IN, Mix_FadingMusic());
    EXPECT_FALSE(myPlayer->IsFadeRequested());
    myPlayer->Play("a.wav");
    EXPECT_EQ(MIX_NO_FADING, Mix_FadingMusic());
    EXPECT_EQ(1, CSDLMixerMusicData::GetLiveCount());
    EXPECT_EQ("( ) new CSDLMixerMusicData( a.wav ) \n", Log());
}

TEST_F(MusicPlayer, ReplacedMusicIsFreedUnlessPreloaded) {
    myPlayer->Play("a.wav");
    myPlayer->Play("b.wav");
    EXPECT_EQ(nullptr, CSDLMixerMusicData::Find("a.wav"));
    EXPECT_EQ("b.wav", CurrentName());
    EXPECT_EQ(1, CSDLMixerMusicData::GetLiveCount());
    EXPECT_EQ(1, Occurrences(Log(), "( ) freed CSDLMixerMusicData\n"));

    myPlayer->Preload("c.wav");
    ASSERT_NE(nullptr, CSDLMixerMusicData::Find("c.wav"));
    EXPECT_TRUE(CSDLMixerMusicData::Find("c.wav")->IsKept());
    myPlayer->Play("c.wav");  // the preloaded one is reused, b goes
    myPlayer->Play("b.wav");  // c stays loaded
    EXPECT_EQ(1, Occurrences(Log(), "new CSDLMixerMusicData( c.wav ) "));
    EXPECT_EQ(2, Occurrences(Log(), "new CSDLMixerMusicData( b.wav ) "));
    EXPECT_NE(nullptr, CSDLMixerMusicData::Find("c.wav"));
    EXPECT_EQ(2, CSDLMixerMusicData::GetLiveCount());

    // Freeing a music that is not playing unloads it at once.
    myPlayer->Free("c.wav");
    EXPECT_EQ(nullptr, CSDLMixerMusicData::Find("c.wav"));
    myPlayer->Free("never-loaded.wav");
    EXPECT_EQ(1, CSDLMixerMusicData::GetLiveCount());
}

TEST_F(MusicPlayer, FreeingTheCurrentMusicOnlyDropsItsKeepMark) {
    myPlayer->Preload("a.wav");
    myPlayer->Play("a.wav");
    myPlayer->Free("a.wav");
    ASSERT_NE(nullptr, CSDLMixerMusicData::Find("a.wav"));
    EXPECT_FALSE(CSDLMixerMusicData::Find("a.wav")->IsKept());
    EXPECT_EQ(1, Mix_PlayingMusic());
    myPlayer->Play("b.wav");  // now it goes
    EXPECT_EQ(nullptr, CSDLMixerMusicData::Find("a.wav"));
}

TEST_F(MusicPlayer, PauseResumeAndStopFollowTheStateMachine) {
    myPlayer->Pause();  // nothing to pause
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());
    myPlayer->Resume();
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());

    myPlayer->PlayFadeIn("a.wav", 0);
    myPlayer->Pause();
    EXPECT_EQ(CMusicPlayer::STATE_PAUSED, myPlayer->GetState());
    EXPECT_EQ(1, Mix_PausedMusic());
    myPlayer->Resume();
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, myPlayer->GetState());
    EXPECT_EQ(0, Mix_PausedMusic());

    // Playing while paused resumes first.
    myPlayer->Pause();
    myPlayer->Play("b.wav");
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, myPlayer->GetState());
    EXPECT_EQ(0, Mix_PausedMusic());
    EXPECT_EQ(1, Mix_PlayingMusic());

    // No fade asked for: the stop halts at once.
    myPlayer->Stop();
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());
    EXPECT_EQ(0, Mix_PlayingMusic());

    // A stop while paused only marks the music stopped; a later resume does nothing.
    myPlayer->Play("b.wav");
    myPlayer->Pause();
    myPlayer->Stop();
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());
    myPlayer->Resume();
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());
    EXPECT_EQ(1, Mix_PausedMusic());
}

TEST_F(MusicPlayer, AFadeOutStopMakesTheNextPlayFadeIn) {
    myPlayer->PlayFadeIn("a.wav", 0);
    EXPECT_EQ(MIX_NO_FADING, Mix_FadingMusic());
    myPlayer->StopFadeOut(2000);
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());
    EXPECT_EQ(MIX_FADING_OUT, Mix_FadingMusic());
    EXPECT_TRUE(myPlayer->IsFadeRequested());
    EXPECT_EQ(2000, myPlayer->GetFadeTime());
    // The new music starts at once (the fade-out is cut short) and fades in over the same time.
    myPlayer->Play("b.wav");
    EXPECT_EQ(MIX_FADING_IN, Mix_FadingMusic());
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, myPlayer->GetState());
    EXPECT_EQ(2000, myPlayer->GetFadeTime());
}

TEST_F(MusicPlayer, PlayingDuringAFadeOutDoesNotWaitForIt) {
    myPlayer->PlayFadeIn("a.wav", 0);
    myPlayer->StopFadeOut(500);
    // With the mixer standing still the fade-out never ends by itself: SDL_mixer alone would
    // hold the play until the mixer runs again.
    SDL_PauseAudio(1);
    std::atomic<bool> returned(false);
    std::thread playing([this, &returned] {
        myPlayer->Play("b.wav");
        returned = true;
    });
    const bool withoutWaiting = WaitFor([&returned] { return returned.load(); });
    SDL_PauseAudio(0);
    playing.join();
    EXPECT_TRUE(withoutWaiting);
    EXPECT_EQ(MIX_FADING_IN, Mix_FadingMusic());
    EXPECT_EQ("b.wav", CurrentName());
}

TEST_F(MusicPlayer, FadeTimesAreHeldInRange) {
    myPlayer->PlayFadeIn("a.wav", -500);
    EXPECT_EQ(0, myPlayer->GetFadeTime());
    myPlayer->StopFadeOut(std::numeric_limits<int>::max());
    EXPECT_EQ(CMusicPlayer::kMaxFadeTime, myPlayer->GetFadeTime());
    myPlayer->StopFadeOut(std::numeric_limits<int>::min());
    EXPECT_EQ(0, myPlayer->GetFadeTime());
}

TEST_F(MusicPlayer, MusicThatEndsByItselfStartsAgainAtTheNextUpdate) {
    testsupport::WriteWav("short.wav", 60);
    myPlayer->PlayFadeIn("short.wav", 0);
    ASSERT_TRUE(WaitFor([] { return Mix_PlayingMusic() == 0; }));
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, myPlayer->GetState());
    myPlayer->Update();
    EXPECT_EQ(1, Mix_PlayingMusic());
    EXPECT_EQ(1, Occurrences(Log(), "new CSDLMixerMusicData( short.wav ) "));
    EXPECT_EQ(0, Occurrences(Log(), "freed"));

    // Stopped music stays stopped.
    myPlayer->Stop();
    ASSERT_TRUE(WaitFor([] { return Mix_PlayingMusic() == 0; }));
    myPlayer->Update();
    EXPECT_EQ(0, Mix_PlayingMusic());
}

TEST_F(MusicPlayer, VolumeIsScaledAndHeldInRange) {
    const struct {
        float myVolume;
        float myStored;
        int myMixer;
    } cases[] = {
        {0.5f, 0.5f, 64}, {1.0f, 1.0f, 128}, {0.0f, 0.0f, 0},     {0.999f, 0.999f, 127},
        {2.0f, 1.0f, 128}, {-0.5f, 0.0f, 0}, {1e30f, 1.0f, 128}, {std::nanf(""), 0.0f, 0},
    };
    for (const auto& c : cases) {
        myPlayer->SetVolume(c.myVolume);
        EXPECT_EQ(c.myStored, myPlayer->GetVolume()) << c.myVolume;
        EXPECT_EQ(c.myMixer, Mix_VolumeMusic(-1)) << c.myVolume;
    }
}

TEST_F(MusicPlayer, FilesThatDoNotLoadAreLoggedAndLeaveTheMusicAlone) {
    testsupport::WriteFile("empty.wav", "");
    testsupport::WriteFile("garbage.wav", "this is no sound file at all, just text\n");
    testsupport::WriteFile("header-only.wav", testsupport::WavBytes(22050, 2, 100).substr(0, 20));
    std::string badFormat = testsupport::WavBytes(22050, 2, 100);
    badFormat[20] = 0x55;  // an unknown sample encoding
    testsupport::WriteFile("bad-format.wav", badFormat);

    myPlayer->Play("missing.wav");
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, myPlayer->GetState());
    EXPECT_EQ(nullptr, myPlayer->GetCurrent());
    EXPECT_EQ(0, CSDLMixerMusicData::GetLiveCount());
    const std::string log = Log();
    EXPECT_NE(std::string::npos, log.find("( ) new CSDLMixerMusicData( missing.wav ) \n"
                                          "<!> Could not load music-file  missing.wav\n"
                                          "<!> SDL_Mixer says: "))
        << log;
    EXPECT_NE(std::string::npos, log.find("<!> freed CSDLMixerMusicData\n"));

    // A directory named like a music file never reaches SDL_mixer (which would leak).
    std::filesystem::create_directory("folder.wav");
    myPlayer->Play("folder.wav");
    EXPECT_NE(std::string::npos,
              Log().find("<!> Could not load music-file  folder.wav\n<!> it is a folder, not a file\n"))
        << Log();

    myPlayer->PlayFadeIn("a.wav", 0);
    for (const char* bad :
         {"missing.wav", "empty.wav", "garbage.wav", "header-only.wav", "bad-format.wav", "", "folder.wav", "."}) {
        myPlayer->Play(bad);
        EXPECT_EQ("a.wav", CurrentName()) << bad;
        EXPECT_EQ(1, CSDLMixerMusicData::GetLiveCount()) << bad;
        EXPECT_EQ(1, Mix_PlayingMusic()) << bad;
        myPlayer->Preload(bad);
        EXPECT_EQ(1, CSDLMixerMusicData::GetLiveCount()) << bad;
    }
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, myPlayer->GetState());
}

TEST_F(MusicPlayer, DestroyingThePlayerHaltsAndUnloadsEverything) {
    myPlayer->Preload("c.wav");
    myPlayer->Play("a.wav");
    EXPECT_EQ(2, CSDLMixerMusicData::GetLiveCount());
    myPlayer.reset();
    EXPECT_EQ(0, Mix_PlayingMusic());
    EXPECT_EQ(0, CSDLMixerMusicData::GetLiveCount());
    EXPECT_EQ(2, Occurrences(Log(), "freed CSDLMixerMusicData\n"));
}

}  // namespace
