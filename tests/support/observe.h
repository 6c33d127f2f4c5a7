// Helpers for tests that watch what the program does on its own time (SDL_mixer's thread, a
// running program): waiting on a condition with a generous deadline, counting log lines.
#ifndef TESTS_SUPPORT_OBSERVE_H
#define TESTS_SUPPORT_OBSERVE_H

#include <functional>
#include <string>

namespace testsupport {

// Only a guard against a hang, never a measurement: long enough for a loaded, sanitized
// build on two shared cores.
const int kGenerousDeadlineMs = 30000;

// Polls condition every few milliseconds until it holds or the deadline passes; whether it
// held.
bool WaitFor(const std::function<bool()>& condition, int deadlineMs = kGenerousDeadlineMs);

// How often needle occurs in text (occurrences may overlap); 0 for an empty needle.
int Occurrences(const std::string& text, const std::string& needle);

}  // namespace testsupport

#endif
