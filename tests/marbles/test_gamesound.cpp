// End-to-end: the shipped start-up script, run by the real program, opens the audio device,
// the game plays its music, and the program frees it when it quits.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/testsupport.h"

namespace {

TEST(GameSound, TheShippedStartUpScriptStartsTheGameWhichPlaysTheMusic) {
    testsupport::CTempDir dir;
    testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    testsupport::WriteFile("autoexec.txt",
                           "load( \"" MARBLES_SOURCE_DIR "/game/autoexec.txt\" )\n"
                           "quit()\n");
    const std::string command = std::string("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 ") +
                                MARBLES_BINARY + " > stdout.txt 2> stderr.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << testsupport::ReadFile("stderr.txt");
    const std::string log = testsupport::LogBody();
    for (const char* line :
         {"Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024\t[OK]\n",
          "( ) Mixer API initialized succesfully\n", "( ) new CSDLMixerMusicData( data/sound/music.wav ) \n",
          // The logger's level sticks to whatever the line before chose: only the text counts.
          " freed CSDLMixerMusicData\n"}) {
        EXPECT_NE(std::string::npos, log.find(line)) << line << " in\n" << log;
    }
    EXPECT_EQ(std::string::npos, log.find("<!>")) << log;
    EXPECT_EQ(std::string::npos, log.find("(!)")) << log;
}

}  // namespace
