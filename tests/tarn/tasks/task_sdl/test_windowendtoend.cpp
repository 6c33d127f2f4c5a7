// End-to-end test of the real program under Xvfb: the start-up script opens an 800 by 600
// window with a caption and binds Escape to "quit()"; X tools check the window and press
// Escape, and the program must end by itself with exit code 0 and its log written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "support/testsupport.h"

namespace {

std::string Trimmed(const std::string& text) {
    const auto end = text.find_last_not_of(" \n\r\t");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

TEST(WindowEndToEnd, EscapeClosesTheWindowOpenedByTheStartUpScript) {
    if (!testsupport::HasProgram("xvfb-run") || !testsupport::HasProgram("Xvfb"))
        GTEST_SKIP() << "Xvfb (xvfb-run) is not installed";
    for (const char* tool : {"xdotool", "xwininfo", "xprop"}) {
        if (!testsupport::HasProgram(tool)) GTEST_SKIP() << tool << " is not installed";
    }
    testsupport::CTempDir dir;
    testsupport::WriteFile("autoexec.txt",
                           "taskload( sdl )\n"
                           "starttask( event, event, 10 )\n"
                           "starttask( keyboard, keyboard, 20 )\n"
                           "starttask( window, window, 1000, 800, 600, 0, 0, 1, \"Marbles test\" )\n"
                           "keyboard::bind( escape, \"quit()\" )\n");
    // The program runs on Xvfb's display, not on the dummy driver the other tests use. Escape is
    // pressed again (at most ten times) should the first press come before SDL listens. In the
    // sanitizer build, leaks inside libX11 (not ours) must not change the exit code.
    testsupport::WriteFile("lsan-suppressions.txt", "leak:libX11.so\n");
    testsupport::WriteFile("run.sh",
                           "unset SDL_VIDEODRIVER\n"
                           "export LSAN_OPTIONS=\"suppressions=$PWD/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}\"\n"
                           "timeout 120 '" MARBLES_BINARY "' > program-output.txt 2>&1 &\n"
                           "pid=$!\n"
                           "wid=$(timeout 60 xdotool search --sync --name '^Marbles test$' | head -n 1)\n"
                           "echo \"$wid\" > window-id.txt\n"
                           "if [ -n \"$wid\" ]; then\n"
                           "  xwininfo -id \"$wid\" > xwininfo.txt 2>&1\n"
                           "  xprop -id \"$wid\" WM_NAME > xprop.txt 2>&1\n"
                           "  for attempt in 1 2 3 4 5 6 7 8 9 10; do\n"
                           "    kill -0 $pid 2> /dev/null || break\n"
                           "    xdotool key --window \"$wid\" Escape > /dev/null 2>&1\n"
                           "    echo $attempt > presses.txt\n"
                           "    for tick in 1 2 3 4 5 6 7 8 9 10; do kill -0 $pid 2> /dev/null && sleep 0.2; done\n"
                           "  done\n"
                           "fi\n"
                           "wait $pid\n"
                           "echo $? > exit-code.txt\n");
    const int status = std::system("xvfb-run -a -s '-screen 0 1024x768x24' sh run.sh > xvfb-output.txt 2>&1");
    ASSERT_EQ(0, status) << testsupport::ReadFile("xvfb-output.txt");

    ASSERT_NE("", Trimmed(testsupport::ReadFile("window-id.txt")))
        << "no window named \"Marbles test\" appeared\n" << testsupport::ReadFile("program-output.txt");
    const std::string info = testsupport::ReadFile("xwininfo.txt");
    EXPECT_NE(std::string::npos, info.find("Width: 800\n")) << info;
    EXPECT_NE(std::string::npos, info.find("Height: 600\n")) << info;
    EXPECT_EQ("WM_NAME(STRING) = \"Marbles test\"", Trimmed(testsupport::ReadFile("xprop.txt")));

    // 124 would mean the time limit killed it.
    EXPECT_EQ("0", Trimmed(testsupport::ReadFile("exit-code.txt"))) << testsupport::ReadFile("program-output.txt");
    const std::string log = testsupport::LogBody();
    for (const char* line : {"( )   Initializing video [OK]\n", "( )   Creating new window\n",
                             "( )   Using driver: x11\n", "( )   Using double buffering ( SDL_DOUBLEBUF )\n",
                             "( )   Using resizable ( SDL_RESIZABLE )\n", "( )   New window created succesfully\n"}) {
        EXPECT_NE(std::string::npos, log.find(line)) << line << "in\n" << log;
    }
    EXPECT_EQ(std::string::npos, log.find("<!>")) << log;
}

}  // namespace
