// End-to-end: the real program with the shipped start-up script and data under a virtual X
// server, driven by xdotool through the real key and mouse path: the level select, level 2,
// each key of the help screen, back to the title and out, with the log and the saved list.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testsupport.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// Every step waits for what the game shows in its log (up to 30 s), never a fixed time.
// Screenshots land in shots/ when ImageMagick's import is there.
const char* const DRIVER =
    "#!/bin/sh\n"
    "unset SDL_VIDEODRIVER\n"
    "export SDL_AUDIODRIVER=dummy\n"
    // Xlib keeps a few strings it never frees; only sanitizer builds notice.
    "export LSAN_OPTIONS=\"suppressions=$(pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}\"\n"
    "fail() { echo \"driver: $1\"; kill $game 2>/dev/null; wait $game; exit 3; }\n"
    // wait_for TEXT [COUNT]: until log.txt holds TEXT at least COUNT times.
    "wait_for() {\n"
    "  n=0\n"
    "  while [ \"$(grep -c -F \"$1\" log.txt 2>/dev/null || echo 0)\" -lt \"${2:-1}\" ]; do\n"
    "    n=$((n + 1)); [ $n -gt 300 ] && fail \"no '$1' in the log\"; sleep 0.1\n"
    "  done\n"
    "}\n"
    "shot() { command -v import > /dev/null && import -window root \"shots/$1.png\"; return 0; }\n"
    "key() { xdotool windowfocus --sync \"$window\" key \"$1\"; }\n"
    "mkdir -p shots\n"
    "\"$1\" > stdout.txt 2> stderr.txt &\n"
    "game=$!\n"
    "window=$(timeout 30 xdotool search --sync --onlyvisible --name Marbles | head -n 1)\n"
    "[ -n \"$window\" ] || fail 'no window'\n"
    "wait_for 'Showing the title'\n"
    "xdotool mousemove --window \"$window\" 10 10\n"
    "key l\n"
    "wait_for 'Showing the level select'\n"
    "shot levelselect\n"
    "xdotool mousemove --window \"$window\" 170 70 click 1\n"
    "wait_for 'Loading level: data/levels/chapter1_level02.xml'\n"
    "key h\n"
    "wait_for 'Hint shown'\n"
    "shot hint\n"
    "key u\n"
    "wait_for 'Nothing to undo'\n"
    "key r\n"
    "wait_for 'Loading level: data/levels/chapter1_level02.xml' 2\n"
    "key p\n"
    "wait_for 'Paused'\n"
    "shot paused\n"
    "key p\n"
    "wait_for 'Resumed'\n"
    "key m\n"
    "wait_for 'Sound off'\n"
    "key F11\n"
    "wait_for 'Fullscreen'\n"
    "shot fullscreen\n"
    "key F11\n"
    "wait_for 'Windowed'\n"
    "key Escape\n"
    "wait_for 'Showing the title' 2\n"
    "key Escape\n"
    "wait $game\n";

}  // namespace

TEST(Playthrough, LevelSelectLevelTwoEveryKeyAndEscapeTwiceQuitsAndSaves) {
    if (!testsupport::HasProgram("xvfb-run") || !testsupport::HasProgram("xdotool"))
        GTEST_SKIP() << "xvfb-run or xdotool is missing: the game cannot be driven on a virtual screen";
    testsupport::CTempDir dir;
    std::filesystem::copy(std::string(MARBLES_SOURCE_DIR) + "/game/data", "data",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(std::string(MARBLES_SOURCE_DIR) + "/game/autoexec.txt", "autoexec.txt");
    // Level 1 is won, so level 2 is open in the level select.
    std::string list = ReadFile("data/level_list.xml");
    list.replace(list.find("completed=\"0\""), 13, "completed=\"1\"");
    WriteFile("data/level_list.xml", list);
    WriteFile("driver.sh", DRIVER);
    WriteFile("lsan.supp", "leak:libX11.so\n");
    const std::string command = std::string("timeout 300 xvfb-run -a -s '-screen 0 1024x768x24' sh driver.sh ") +
                                MARBLES_BINARY + " > xvfb.txt 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFile("xvfb.txt") << ReadFile("stderr.txt") << ReadFile("log.txt");

    const std::string log = ReadFile("log.txt");
    EXPECT_EQ(log.find("Loading level: data/levels/chapter1_level01.xml"), std::string::npos) << log;
    EXPECT_NE(log.find("Paused"), std::string::npos) << log;
    // Quitting from the title wrote the list back with the player's progress.
    const std::string saved = ReadFile("data/level_list.xml");
    EXPECT_NE(saved.find("completed=\"1\" filename=\"data/levels/chapter1_level01.xml\" position=\"1\""), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("completed=\"0\" filename=\"data/levels/chapter1_level02.xml\" position=\"2\""), std::string::npos)
        << saved;
    if (const char* keep = std::getenv("MARBLES_KEEP_SHOTS")) {
        std::filesystem::copy("shots", keep, std::filesystem::copy_options::overwrite_existing |
                                                 std::filesystem::copy_options::recursive);
    }
}
