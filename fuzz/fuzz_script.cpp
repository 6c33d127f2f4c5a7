// Fuzz target for start-up scripts: the bytes are cut at lines "---" into the files s0.txt to
// s3.txt, and s0.txt runs through the console as the start-up script does, with the real
// "load" (so the files may load each other and themselves). Commands that start tasks or load
// task libraries are replaced by harmless stand-ins. Nothing may crash or hang, and no run may
// read more files than the nesting bound allows.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/fuzztempdir.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/icommand.h"
#include "tarn/utils/logger/clogger.h"

namespace {

const int FILE_COUNT = 4;

// Counts the lines that run it; reads its arguments.
class CCountingStandIn : public tarn::CCommand {
public:
    std::string Execute(tarn::CParameterList* params) override {
        ++myRuns;
        for (int i = 0; i < params->Count(); ++i) params->GetString(i);
        return std::string();
    }
    std::string Execute() override {
        ++myRuns;
        return std::string();
    }
    long myRuns = 0;
};

CCountingStandIn theStandIn;

bool Initialize() {
    fuzzsupport::EnterTemporaryDirectory("script");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    tarn::CInterpreter* console = tarn::CKernel::GetSingleton()->GetConsole();
    for (const char* name : {"starttask", "taskload", "visit"}) console->AddCommand(name, &theStandIn);
    return true;
}

void WriteFiles(const std::string& text) {
    std::string::size_type begin = 0;
    for (int i = 0; i < FILE_COUNT; ++i) {
        std::string::size_type end = text.find("\n---\n", begin);
        if (end == std::string::npos || i == FILE_COUNT - 1) end = text.size();
        std::ofstream out("s" + std::to_string(i) + ".txt", std::ios::binary | std::ios::trunc);
        if (begin < text.size()) out << text.substr(begin, end - begin);
        begin = end < text.size() ? end + 5 : text.size();
    }
}

}  // namespace

// Paths on the command line are resolved before the private folder is entered.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsupport::ResolveArgumentsThenEnter(argc, argv, "script");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool initialized = Initialize();
    static unsigned runs = 0;
    (void)initialized;
    if (size > 4096) return 0;
    if (++runs % 1024 == 0) std::remove("log.txt");

    const std::string text(reinterpret_cast<const char*>(data), size);
    WriteFiles(text);
    tarn::CInterpreter* console = tarn::CKernel::GetSingleton()->GetConsole();
    theStandIn.myRuns = 0;
    console->ExecuteFile("s0.txt");
    // The outermost script and at most kMaxNestedFiles loads run, each at most every byte of
    // the input as a stand-in call.
    const long bound = (static_cast<long>(size) + 1) * (tarn::CInterpreter::kMaxNestedFiles + 1);
    if (theStandIn.myRuns > bound) std::abort();
    return 0;
}
