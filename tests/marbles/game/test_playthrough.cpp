// End-to-end: the real program with the shipped start-up script and data under a virtual X
// server, clicked through the title and help screens into the first level, quit by Escape.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testsupport.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

bool HasProgram(const std::string& name) {
    return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

// Waits for the game's window, clicks twice in it, lets the level settle, presses Escape.
const char* const DRIVER =
    "#!/bin/sh\n"
    "unset SDL_VIDEODRIVER\n"
    "export SDL_AUDIODRIVER=dummy\n"
    // Xlib keeps a few strings it never frees; only sanitizer builds notice.
    "export LSAN_OPTIONS=\"suppressions=$(pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}\"\n"
    "\"$1\" > stdout.txt 2> stderr.txt &\n"
    "game=$!\n"
    "window=$(timeout 20 xdotool search --sync --onlyvisible --name Marbles | head -n 1)\n"
    "if [ -z \"$window\" ]; then kill $game; wait $game; exit 3; fi\n"
    "sleep 1\n"
    "xdotool mousemove --window \"$window\" 320 240 click 1\n"
    "sleep 1\n"
    "xdotool mousemove --window \"$window\" 320 240 click 1\n"
    "sleep 2\n"
    "xdotool windowfocus --sync \"$window\" key Escape\n"
    "wait $game\n";

}  // namespace

TEST(Playthrough, TitleAndHelpClickedAwayLoadTheFirstLevelAndEscapeSavesTheProgress) {
    if (!HasProgram("xvfb-run") || !HasProgram("xdotool"))
        GTEST_SKIP() << "xvfb-run or xdotool is missing: the game cannot be driven on a virtual screen";
    testsupport::CTempDir dir;
    std::filesystem::copy(std::string(MARBLES_SOURCE_DIR) + "/game/data", "data",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(std::string(MARBLES_SOURCE_DIR) + "/game/autoexec.txt", "autoexec.txt");
    WriteFile("driver.sh", DRIVER);
    WriteFile("lsan.supp", "leak:libX11.so\n");
    const std::string command = std::string("timeout 90 xvfb-run -a -s '-screen 0 800x600x24' sh driver.sh ") +
                                MARBLES_BINARY + " > xvfb.txt 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFile("xvfb.txt") << ReadFile("stderr.txt");

    const std::string log = ReadFile("log.txt");
    EXPECT_NE(log.find("Loading level: data/levels/level01.xml"), std::string::npos) << log;
    EXPECT_EQ(log.find("Level complite"), std::string::npos) << log;
    // Leaving the help screen completed entry 0; the first level is still to be won.
    const std::string list = ReadFile("data/level_list.xml");
    EXPECT_NE(list.find("completed=\"1\" filename=\"\" position=\"0\""), std::string::npos) << list;
    EXPECT_NE(list.find("completed=\"0\" filename=\"data/levels/level01.xml\" position=\"1\""), std::string::npos)
        << list;
}
