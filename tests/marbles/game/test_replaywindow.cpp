// End-to-end: the real program in a window on a virtual X server replays the solutions of the
// first two levels through the mouse path (game::Replay) and wins both.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/testsupport.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// Starts the game, waits (up to three minutes) until the log shows two won levels, then
// presses Escape. Exit status 4 when the wins never came.
const char* const DRIVER =
    "#!/bin/sh\n"
    "unset SDL_VIDEODRIVER\n"
    "export SDL_AUDIODRIVER=dummy\n"
    "export LSAN_OPTIONS=\"suppressions=$(pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}\"\n"
    "\"$1\" > stdout.txt 2> stderr.txt &\n"
    "game=$!\n"
    "window=$(timeout 30 xdotool search --sync --onlyvisible --name Marbles | head -n 1)\n"
    "if [ -z \"$window\" ]; then kill $game; wait $game; exit 3; fi\n"
    "result=4\n"
    "for i in $(seq 1 360); do\n"
    "  if [ \"$(grep -c 'Level complite' log.txt 2>/dev/null)\" -ge 2 ]; then result=0; break; fi\n"
    "  if grep -q 'Replay stopped' log.txt 2>/dev/null; then break; fi\n"
    "  sleep 0.5\n"
    "done\n"
    // Escape leads from the picture back to the title, and from the title out.
    "xdotool windowfocus --sync \"$window\" key Escape\n"
    "for i in $(seq 1 300); do\n"
    "  [ \"$(grep -c 'Showing the title' log.txt)\" -ge 2 ] && break; sleep 0.1\n"
    "done\n"
    "xdotool windowfocus --sync \"$window\" key Escape\n"
    "wait $game\n"
    "exit $result\n";

}  // namespace

TEST(ReplayWindow, TheFirstTwoLevelsAreWonByTheirSolutionsInTheRealWindow) {
    if (!testsupport::HasProgram("xvfb-run") || !testsupport::HasProgram("xdotool"))
        GTEST_SKIP() << "xvfb-run or xdotool is missing: the game cannot be run on a virtual screen";
    testsupport::CTempDir dir;
    std::filesystem::copy(std::string(MARBLES_SOURCE_DIR) + "/game/data", "data",
                          std::filesystem::copy_options::recursive);
    std::string script = ReadFile(std::string(MARBLES_SOURCE_DIR) + "/game/autoexec.txt");
    script += "\ngame::Replay( \"data/levels/chapter1_level01.solution\" )\n"
              "game::Replay( \"data/levels/chapter1_level02.solution\" )\n";
    WriteFile("autoexec.txt", script);
    WriteFile("driver.sh", DRIVER);
    WriteFile("lsan.supp", "leak:libX11.so\n");
    const std::string command = std::string("timeout 240 xvfb-run -a -s '-screen 0 1024x768x24' sh driver.sh ") +
                                MARBLES_BINARY + " > xvfb.txt 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    const std::string log = ReadFile("log.txt");
    EXPECT_EQ(WEXITSTATUS(status), 0) << log << ReadFile("xvfb.txt") << ReadFile("stderr.txt");
    EXPECT_NE(log.find("Loading level: data/levels/chapter1_level02.xml"), std::string::npos) << log;
    std::size_t wins = 0;
    for (auto at = log.find("Level complite"); at != std::string::npos; at = log.find("Level complite", at + 1)) ++wins;
    EXPECT_EQ(wins, 2u) << log;
    EXPECT_EQ(log.find("Replay stopped"), std::string::npos) << log;
}
