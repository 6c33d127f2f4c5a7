// End-to-end: the level editor in the real program under a virtual X server, driven by
// xdotool: a level of nine marbles of three types built with the palette, test-played and
// left with Escape, proven, saved; then a second run opens it from "My levels" and wins it by
// clicking the marbles of its solution.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testsupport.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// Shared by both runs: waiting on the log (never a fixed time), clicks, keys and screenshots.
const char* const COMMON =
    "unset SDL_VIDEODRIVER\n"
    "export SDL_AUDIODRIVER=dummy\n"
    "export LSAN_OPTIONS=\"suppressions=$(pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}\"\n"
    "fail() { echo \"driver: $1\"; kill $game 2>/dev/null; wait $game; exit 3; }\n"
    "wait_for() {\n"
    "  n=0\n"
    "  while [ \"$(grep -c -F \"$1\" log.txt 2>/dev/null || echo 0)\" -lt \"${2:-1}\" ]; do\n"
    "    n=$((n + 1)); [ $n -gt 300 ] && fail \"no '$1' in the log\"; sleep 0.1\n"
    "  done\n"
    "}\n"
    "shot() { sleep 0.5; command -v import > /dev/null && import -window root -crop 640x480+0+0 \"shots/$1.png\"; return 0; }\n"
    "key() { xdotool windowfocus --sync \"$window\" key \"$1\"; }\n"
    "click() { xdotool mousemove --window \"$window\" \"$1\" \"$2\" click \"${3:-1}\"; sleep 0.2; }\n"
    // Marble k (0 to 8) of the row on the floor, and the palette's buttons.
    "marble_x() { echo $((320 + ($1 - 4) * 32)); }\n"
    "type_button() { click $((13 + $1 * 24)) 12; }\n"
    "mkdir -p shots\n"
    "\"$1\" > stdout.txt 2> stderr.txt &\n"
    "game=$!\n"
    "window=$(timeout 30 xdotool search --sync --onlyvisible --name Marbles | head -n 1)\n"
    "[ -n \"$window\" ] || fail 'no window'\n"
    "wait_for 'Showing the title'\n"
    "xdotool mousemove --window \"$window\" 10 300\n";

// Run 1: three reds, three blues, three greens side by side on the floor, a box above them.
const char* const BUILD =
    "key e\n"
    "wait_for 'Showing the level editor'\n"
    "for k in 0 1 2 3 4 5 6 7 8; do type_button $((k / 3)); click $(marble_x $k) 448; done\n"
    "click 163 12\n"
    "click 320 250\n"
    "shot editor\n"
    "click 391 12\n"
    "wait_for 'Loading level: data/mylevels/drafts/test.xml'\n"
    "shot test\n"
    "key Escape\n"
    "wait_for 'Back in the level editor'\n"
    "click 511 12\n"
    "wait_for 'Editor: Proof: winnable'\n"
    "shot proven\n"
    "click 571 12\n"
    "wait_for 'Editor: Saved to My levels: mylevel01.xml'\n"
    "key Escape\n"
    "wait_for 'Showing the title' 2\n"
    "key Escape\n"
    "wait $game\n";

// Run 2: "My levels" follows the 36 shipped tiles (tile 37: first column, seventh row); the
// solution's clicks name marbles by initId, 4 to 12 in the order they were placed.
const char* const PLAY =
    "key l\n"
    "wait_for 'Showing the level select'\n"
    "shot mylevels\n"
    "click 70 397\n"
    "wait_for 'Loading level: data/mylevels/mylevel01.xml'\n"
    "sleep 1\n"
    "for id in $(awk '$1 == \"click\" { print $3 }' data/mylevels/mylevel01.solution); do\n"
    "  click $(marble_x $((id - 4))) 448; sleep 0.3\n"
    "done\n"
    "wait_for 'Level complite' 2\n"
    "shot won\n"
    "key Escape\n"
    "wait_for 'Showing the title' 2\n"
    "key Escape\n"
    "wait $game\n";

int RunGame(const std::string& script) {
    WriteFile("driver.sh", std::string("#!/bin/sh\n") + COMMON + script);
    const std::string command = std::string("timeout 300 xvfb-run -a -s '-screen 0 1024x768x24' sh driver.sh ") +
                                MARBLES_BINARY + " > xvfb.txt 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(EditorPlaythrough, BuildTestProveSaveThenWinTheLevelFromMyLevelsInANewRun) {
    if (!testsupport::HasProgram("xvfb-run") || !testsupport::HasProgram("xdotool"))
        GTEST_SKIP() << "xvfb-run or xdotool is missing: the game cannot be driven on a virtual screen";
    testsupport::CTempDir dir;
    testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    std::filesystem::copy_file(std::string(MARBLES_SOURCE_DIR) + "/game/autoexec.txt", "autoexec.txt");
    WriteFile("lsan.supp", "leak:libX11.so\n");

    ASSERT_EQ(RunGame(BUILD), 0) << ReadFile("xvfb.txt") << ReadFile("stderr.txt") << ReadFile("log.txt");
    const std::string level = ReadFile("data/mylevels/mylevel01.xml");
    EXPECT_EQ(ReadFile("data/mylevels/drafts/mylevel01.xml"), level);
    EXPECT_NE(ReadFile("data/level_list.xml").find("filename=\"data/mylevels/mylevel01.xml\" position=\"37\""),
              std::string::npos)
        << ReadFile("data/level_list.xml");

    ASSERT_EQ(RunGame(PLAY), 0) << ReadFile("xvfb.txt") << ReadFile("stderr.txt") << ReadFile("log.txt");
    // The win is the player's: the level is completed in the list, and the files are as saved.
    EXPECT_NE(ReadFile("data/level_list.xml")
                  .find("completed=\"1\" filename=\"data/mylevels/mylevel01.xml\" position=\"37\""),
              std::string::npos)
        << ReadFile("data/level_list.xml");
    EXPECT_EQ(ReadFile("data/mylevels/mylevel01.xml"), level);
    if (const char* keep = std::getenv("MARBLES_KEEP_SHOTS")) {
        std::filesystem::copy("shots", keep, std::filesystem::copy_options::overwrite_existing |
                                                 std::filesystem::copy_options::recursive);
    }
}
