// End-to-end: the real program under a virtual X server, the options window driven by xdotool
// through the real mouse path (the ui task's widgets and the title's capture both hear every
// click): two changes, OK, the file saved, Escape quitting from the title; then a run with
// --windowed, which wins over the saved fullscreen and leaves the file alone.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testsupport.h"

using testsupport::ReadFile;

namespace {

// Every step waits for what the game shows in its log (up to 30 s), never a fixed time. The
// window lies centred (170, 145); its rows start 36 pixels down.
const char* const DRIVER =
    "#!/bin/sh\n"
    "unset SDL_VIDEODRIVER\n"
    "export SDL_AUDIODRIVER=dummy\n"
    "export LSAN_OPTIONS=\"suppressions=$(pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}\"\n"
    "fail() { echo \"driver: $1\"; kill $game 2>/dev/null; wait $game; exit 3; }\n"
    "wait_for() {\n"
    "  n=0\n"
    "  while ! grep -q -F \"$1\" log.txt 2>/dev/null; do\n"
    "    n=$((n + 1)); [ $n -gt 300 ] && fail \"no '$1' in the log\"; sleep 0.1\n"
    "  done\n"
    "}\n"
    "click() { xdotool mousemove --window \"$window\" \"$1\" \"$2\" click 1; }\n"
    "start() {\n"
    "  rm -f log.txt\n"
    "  \"$@\" > stdout.txt 2> stderr.txt &\n"
    "  game=$!\n"
    "  window=$(timeout 30 xdotool search --sync --onlyvisible --name Marbles | head -n 1)\n"
    "  [ -n \"$window\" ] || fail 'no window'\n"
    "  wait_for 'Showing the title'\n"
    "}\n"
    "start \"$1\"\n"
    "click 320 452\n"
    "wait_for 'Showing the options'\n"
    "click 334 193\n"
    "wait_for 'Option music_volume = 90'\n"
    "click 377 261\n"
    "wait_for 'Option fullscreen = 1'\n"
    "window=$(xdotool search --onlyvisible --name Marbles | head -n 1)\n"
    // Fullscreen centres the 640x480 picture on the 1024x768 screen.
    "xdotool mousemove 512 450 click 1\n"
    "wait_for 'Settings saved to data/settings.txt'\n"
    // Still on the title (no click went through to it): Escape quits.
    "xdotool windowfocus --sync \"$window\" key Escape\n"
    "wait $game || exit 4\n"
    "start \"$1\" --windowed\n"
    "xdotool windowfocus --sync \"$window\" key Escape\n"
    "wait $game || exit 5\n";

}  // namespace

TEST(OptionsPlaythrough, ClicksChangeAndSaveTheSettingsAndTheCommandLineWinsTheNextRun) {
    if (!testsupport::HasProgram("xvfb-run") || !testsupport::HasProgram("xdotool"))
        GTEST_SKIP() << "xvfb-run or xdotool is missing: the game cannot be driven on a virtual screen";
    testsupport::CTempDir dir;
    testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    std::filesystem::copy_file(std::string(MARBLES_SOURCE_DIR) + "/game/autoexec.txt", "autoexec.txt");
    testsupport::WriteFile("driver.sh", DRIVER);
    testsupport::WriteFile("lsan.supp", "leak:libX11.so\n");
    const std::string command = std::string("timeout 300 xvfb-run -a -s '-screen 0 1024x768x24' sh driver.sh ") +
                                MARBLES_BINARY + " > xvfb.txt 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFile("xvfb.txt") << ReadFile("stderr.txt") << ReadFile("log.txt");
    EXPECT_EQ(ReadFile("data/settings.txt"),
              "// Marbles settings, written by the options window (O on the title)\n"
              "music_volume = 90\nfullscreen = 1\n");
    // The second run's log: the saved volume taken, the window never made fullscreen.
    const std::string log = ReadFile("log.txt");
    EXPECT_EQ(log.find("Fullscreen"), std::string::npos) << log;
    EXPECT_EQ(log.find("No saved settings"), std::string::npos) << log;
}
