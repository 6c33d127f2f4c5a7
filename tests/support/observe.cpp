// Helpers for tests that watch what the program does on its own time (SDL_mixer's thread, a
// running program): waiting on a condition with a generous deadline, counting log lines.
#include "observe.h"

#include <chrono>
#include <thread>

namespace testsupport {

bool WaitFor(const std::function<bool()>& condition, int deadlineMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadlineMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

int Occurrences(const std::string& text, const std::string& needle) {
    if (needle.empty()) return 0;
    int count = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

}  // namespace testsupport
