// Fuzz target: arbitrary bytes through the kernel interpreter's Execute, once as one line and
// once line by line. The interpreter has the basic commands, except that the ones that start
// tasks, load task libraries or run script files are replaced by harmless stand-ins that read
// their arguments; quit() only sets the task manager's flag. Runs in a private temporary
// working directory, where the log file goes.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "support/fuzztempdir.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cnamespaceregistry.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/icommand.h"

namespace {

// Reads every argument as text and number and reports them.
class CEchoArguments : public tarn::CCommand {
public:
    std::string Execute(tarn::CParameterList* params) override {
        std::string result = "called with";
        for (int i = 0; i < params->Count(); ++i) {
            result += " " + params->GetString(i);
            if (params->GetNumber(i) != 0.0) result += "#";
        }
        while (params->Count() > 0) params->PopFront();
        return result;
    }
    std::string Execute() override { return "called"; }
};

// Keeps the log file of a long run small.
void TrimLog() {
    struct stat info {};
    if (stat("log.txt", &info) == 0 && info.st_size > 16 * 1024 * 1024) std::remove("log.txt");
}

bool Initialize() {
    fuzzsupport::EnterTemporaryDirectory("interpreter");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    tarn::CKernel::GetSingleton()->GetConsole();  // registers the namespace "basic"
    return true;
}

}  // namespace

// Paths on the command line are resolved before the private folder is entered.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsupport::ResolveArgumentsThenEnter(argc, argv, "interpreter");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool initialized = Initialize();
    static CEchoArguments standIn;
    static unsigned runs = 0;
    (void)initialized;
    if (++runs % 1024 == 0) TrimLog();

    std::unique_ptr<tarn::CInterpreter> interpreter(tarn::CKernel::GetSingleton()->CreateInterpreter());
    tarn::CNamespaceRegistry* registry = tarn::CNamespaceRegistry::GetSingleton();
    registry->AttachInterpreter("basic", interpreter.get());
    for (const char* name : {"starttask", "taskload", "load"}) interpreter->AddCommand(name, &standIn);

    const std::string text(reinterpret_cast<const char*>(data), size);
    interpreter->Execute(text, false);
    std::string::size_type begin = 0;
    while (begin <= text.size()) {
        std::string::size_type end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        interpreter->Execute(text.substr(begin, end - begin), true);
        begin = end + 1;
    }
    registry->DetachInterpreter(interpreter.get());
    return 0;
}
