// The sound generator and the sounds it made for the game: running it again reproduces the
// committed files byte for byte, every shipped sound loads and plays in the audio task, and
// every sound file has its line in data/CREDITS.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testsupport.h"
#include "tarn/tasks/task_sdlmixer/cmusicplayer.h"
#include "tarn/tasks/task_sdlmixer/csdlmixereffectdata.h"
#include "tarn/tasks/task_sdlmixer/ctaskaudiosdl.h"

namespace {

const std::string theSoundDir = std::string(MARBLES_SOURCE_DIR) + "/game/data/sound";
const char* const theEffects[] = {"click.wav", "pop.wav", "level_complete.wav", "level_lost.wav"};
const char* const theMusic[] = {"music.wav", "music2.wav"};

bool HasPython() { return std::system("python3 -c 'import wave' > /dev/null 2>&1") == 0; }

TEST(SoundGen, RunningItAgainReproducesTheCommittedFiles) {
    if (!HasPython()) GTEST_SKIP() << "python3 is not installed";
    testsupport::CTempDir dir;
    const std::string command =
        "python3 '" + std::string(MARBLES_SOURCE_DIR) + "/tools/soundgen/soundgen.py' out > /dev/null 2>&1";
    ASSERT_EQ(0, std::system(command.c_str()));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator("out")) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(testsupport::ReadFile(entry.path().string()) == testsupport::ReadFile(theSoundDir + "/" + name))
            << name << " differs from the committed file";
        ++files;
    }
    EXPECT_EQ(6, files);
}

TEST(SoundGen, EveryShippedSoundLoadsAndPlays) {
    testsupport::CTempDir dir;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    {
        tarn::CTaskAudioSDL audio;
        ASSERT_TRUE(audio.Start());
        for (const char* effect : theEffects) {
            audio.PreloadEffect(theSoundDir + "/" + effect);
            EXPECT_NE(nullptr, tarn::CSDLMixerEffectData::Find(theSoundDir + "/" + effect)) << effect;
            audio.PlayEffect(theSoundDir + "/" + effect);
        }
        // The 30 ms click may already have ended on a busy machine; the jingles last over a second.
        EXPECT_GE(Mix_Playing(-1), 2);
        for (const char* music : theMusic) {
            audio.PlayMusicFadeIn(theSoundDir + "/" + music, 0);
            ASSERT_NE(nullptr, audio.GetMusicPlayer()->GetCurrent()) << music;
            EXPECT_EQ(1, Mix_PlayingMusic()) << music;
        }
        EXPECT_EQ(std::string::npos, testsupport::LogBody().find("Could not")) << testsupport::LogBody();
    }
    testsupport::ResetEngine();
}

TEST(SoundGen, EverySoundFileHasACreditsLine) {
    const std::string credits = testsupport::ReadFile(std::string(MARBLES_SOURCE_DIR) + "/game/data/CREDITS");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(theSoundDir)) {
        const std::string line = "data/sound/" + entry.path().filename().string() + ";";
        EXPECT_NE(std::string::npos, credits.find(line)) << line;
        ++files;
    }
    EXPECT_EQ(6, files);
}

}  // namespace
