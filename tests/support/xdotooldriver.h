// Drives the real game in a window of its own: a virtual X server (Xvfb), the program on it,
// keys and clicks through xdotool, screenshots through ImageMagick's import.
#ifndef TESTS_SUPPORT_XDOTOOLDRIVER_H
#define TESTS_SUPPORT_XDOTOOLDRIVER_H

#include <sys/types.h>

#include <string>

namespace testsupport {

// Everything runs in the working directory: the program writes stdout.txt, stderr.txt and its
// log.txt there, screenshots go to shots/. Xvfb and the program are ended by their process ids
// when the driver is stopped or destroyed. A failed step returns false and says why in Error().
class CXdotoolDriver {
public:
    CXdotoolDriver() = default;
    ~CXdotoolDriver();
    CXdotoolDriver(const CXdotoolDriver&) = delete;
    CXdotoolDriver& operator=(const CXdotoolDriver&) = delete;

    // The programs the driver needs that are not installed (Xvfb, xdotool), or an empty string.
    static std::string Missing();

    // Starts Xvfb on a free display (1024x768, 24 bits), then program on it with the dummy
    // sound driver, and waits (up to 30 s) for its visible window named "Marbles".
    bool Start(const std::string& program);
    // Waits (up to 30 s) until log.txt holds text at least count times.
    bool WaitForLog(const std::string& text, int count = 1);
    // Focuses the window and presses key (an X key name: "l", "Escape", "F11").
    bool Key(const std::string& key);
    // Moves the pointer to (x, y) in the window; with click also presses the left button there.
    bool MoveMouse(int x, int y);
    bool Click(int x, int y);
    // Saves the screen as shots/name.png; does nothing (and succeeds) without import.
    bool Screenshot(const std::string& name);
    // Waits (up to timeoutSeconds) for the program to end: its exit code, or -1 when it did not
    // end in time or was ended by a signal.
    int WaitForExit(int timeoutSeconds = 30);
    // Ends the program and Xvfb, whichever still runs.
    void Stop();

    const std::string& Error() const { return myError; }

private:
    bool Fail(const std::string& why);
    bool Xdotool(const std::string& arguments, std::string* output = nullptr);

    pid_t myServer = -1;
    pid_t myProgram = -1;
    std::string myDisplay;
    std::string myWindow;
    std::string myError;
};

}  // namespace testsupport

#endif
