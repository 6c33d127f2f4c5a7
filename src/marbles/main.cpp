// The program's entry: turns the command-line options into console lines, runs "autoexec.txt"
// from the working directory, then the main loop until it ends or a hang-up or terminate signal.
#include <cstdio>
#include <string>
#include <vector>

#include "marbles/game/ccommandline.h"
#include "marbles/game/cstopsignalwatch.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/task_sdl/sdlentry.h"

int main(int argc, char** argv) {
    const marbles::CCommandLine options(std::vector<std::string>(argv + 1, argv + argc));
    if (options.GetExitCode() >= 0) {
        std::fputs(options.GetOutput().c_str(), options.GetExitCode() == 0 ? stdout : stderr);
        return options.GetExitCode();
    }
    // Installed before the window task starts SDL, which then leaves the handlers in place.
    const marbles::CStopSignalWatch stopSignals;
    tarn::CApplication application;
    for (const std::string& line : options.GetLines()) tarn::CKernel::GetSingleton()->GetConsole()->Execute(line, false);
    application.Init(argc, argv);
    return application.Run();
}
