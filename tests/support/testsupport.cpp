// Helpers shared by the tests: a private working directory per test, a manual clock,
// file reading, running commands, and a clean slate for the engine's singletons.
#include "testsupport.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/timer/itimesource.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/logger/cloglistenerforfile.h"

namespace testsupport {

namespace {

tarn::types::ticks theManualNow = 0;

class CManualSource : public tarn::ITimeSource {
public:
    tarn::types::ticks GetTicks() override { return theManualNow; }
};

}  // namespace

CTempDir::CTempDir() {
    myPrevious = std::filesystem::current_path().string();
#if defined(_WIN32)
    // No mkdtemp: the first name not taken yet, made by create_directory, which fails on a
    // name that exists.
    static unsigned serial = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int tries = 0; tries < 1000 && myPath.empty(); ++tries) {
        const std::filesystem::path candidate =
            base / ("tarn-test-" + std::to_string(_getpid()) + "-" + std::to_string(serial++));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) myPath = candidate.string();
    }
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "tarn-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) myPath = pattern;
#endif
    std::filesystem::current_path(myPath);
}

CTempDir::~CTempDir() {
    std::error_code ignored;
    std::filesystem::current_path(myPrevious, ignored);
    if (!myPath.empty()) std::filesystem::remove_all(myPath, ignored);
}

CManualClock::CManualClock(tarn::types::ticks start) {
    theManualNow = start;
    tarn::SetTimeSource(new CManualSource());
}

CManualClock::~CManualClock() { tarn::UseDefaultTimeSource(); }

void CManualClock::Set(tarn::types::ticks now) { theManualNow = now; }

void CManualClock::Advance(tarn::types::ticks ms) { theManualNow += ms; }

tarn::types::ticks CManualClock::Now() const { return theManualNow; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void CopyShippedData(const std::string& sourceDir) {
    std::filesystem::copy(sourceDir + "/game/data", "data", std::filesystem::copy_options::recursive);
}

void ResetEngine() {
    tarn::CTaskManager::DeleteSingleton();
    tarn::CKernel::DeleteSingleton();
    // A logger made without the kernel (engine code may log before any kernel exists).
    tarn::CLogger::DeleteSingleton();
    tarn::CLogListenerForFile::ResetLastFileName();
}

void SetEnvironment(const char* name, const char* value, bool replace) {
    if (!replace && std::getenv(name)) return;
#if defined(_WIN32)
    _putenv_s(name, value ? value : "");
#else
    if (value) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
#endif
}

bool HasProgram(const std::string& name) {
    return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

CCommandResult RunCommand(const std::string& command) {
    CCommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, got);
    const int status = pclose(pipe);
#if defined(_WIN32)
    result.status = status;
#else
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return result;
}

std::string LogBody(const std::string& path) {
    const std::string text = ReadFile(path);
    std::string::size_type at = 0;
    for (int line = 0; line < 5 && at != std::string::npos; ++line) {
        at = text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    return at == std::string::npos ? std::string() : text.substr(at);
}

}  // namespace testsupport

namespace testsupport {

namespace {

int theExpectedAssertions = 0;

void CountAssertion(tarn::CAssertReport*) { ++theExpectedAssertions; }

}  // namespace

CExpectedAssertions::CExpectedAssertions() : myPrevious(tarn::GetAssertHandler()) {
    theExpectedAssertions = 0;
    tarn::SetAssertHandler(&CountAssertion);
}

CExpectedAssertions::~CExpectedAssertions() { tarn::SetAssertHandler(myPrevious); }

int CExpectedAssertions::GetCount() const { return theExpectedAssertions; }

}  // namespace testsupport
