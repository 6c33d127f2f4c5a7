// Helpers shared by the tests: a private working directory per test, a manual clock,
// file reading, and a clean slate for the engine's singletons.
#ifndef TESTS_SUPPORT_TESTSUPPORT_H
#define TESTS_SUPPORT_TESTSUPPORT_H

#include <string>

#include "tarn/utils/logger/cassert.h"
#include "tarn/utils/timer/itimesource.h"

namespace testsupport {

// Creates a fresh temporary directory and makes it the working directory; restores the old
// working directory and removes the temporary one when destroyed.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    const std::string& Path() const { return myPath; }

private:
    std::string myPath;
    std::string myPrevious;
};

// For a case that breaks an invariant on purpose: while it lives, failed assertions are
// counted instead of failing the test (GetCount is 0 where assertions are compiled out).
class CExpectedAssertions {
public:
    CExpectedAssertions();
    ~CExpectedAssertions();
    CExpectedAssertions(const CExpectedAssertions&) = delete;
    CExpectedAssertions& operator=(const CExpectedAssertions&) = delete;
    int GetCount() const;
    // What GetCount should say after count broken invariants.
    static int Expected(int count) { return TARN_ASSERTIONS ? count : 0; }

private:
    tarn::AssertHandler myPrevious;
};

// A clock the test moves by hand. Installed as the global time source while it lives;
// the platform's default source is restored afterwards.
class CManualClock {
public:
    explicit CManualClock(tarn::types::ticks start = 0);
    ~CManualClock();
    void Set(tarn::types::ticks now);
    void Advance(tarn::types::ticks ms);
    tarn::types::ticks Now() const;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// Deletes the task manager, kernel and logger so the next test starts afresh, and forgets
// the log file name so the next logger writes a new header.
void ResetEngine();

// Copies the shipped game's data folder (sourceDir/game/data) to "data" in the working
// directory, as the game finds it beside the program.
void CopyShippedData(const std::string& sourceDir);

// Sets the environment variable name to value, or removes it for a null value (on Windows an
// empty value removes it too); with replace false a variable that is set keeps its value.
void SetEnvironment(const char* name, const char* value, bool replace = true);

// Whether the shell finds the program name on the path.
bool HasProgram(const std::string& name);

// What a shell command printed on its standard output and its exit status (-1 when it could
// not be started or did not exit normally).
struct CCommandResult {
    int status = -1;
    std::string output;
};
CCommandResult RunCommand(const std::string& command);

// The log text after the five header lines.
std::string LogBody(const std::string& path = "log.txt");

}  // namespace testsupport

#endif
