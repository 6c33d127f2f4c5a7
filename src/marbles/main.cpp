// The program's entry: turns the command-line options into console lines, runs "autoexec.txt"
// from the working directory, then the main loop until it ends or a hang-up or terminate signal.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "marbles/game/ccommandline.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/task_sdl/sdlentry.h"

namespace {

volatile std::sig_atomic_t theStopSignal = 0;

void OnStopSignal(int signal) { theStopSignal = signal; }

}  // namespace

int main(int argc, char** argv) {
    const marbles::CCommandLine options(std::vector<std::string>(argv + 1, argv + argc));
    if (options.GetExitCode() >= 0) {
        std::fputs(options.GetOutput().c_str(), options.GetExitCode() == 0 ? stdout : stderr);
        return options.GetExitCode();
    }
    // Installed before the window task starts SDL, which then leaves them in place.
    std::signal(SIGHUP, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    std::signal(SIGINT, OnStopSignal);
    tarn::CApplication application;
    for (const std::string& line : options.GetLines()) tarn::CKernel::GetSingleton()->GetConsole()->Execute(line, false);
    application.Init(argc, argv);
    bool stopping = false;
    while (application.RunOnce()) {
        if (!theStopSignal || stopping) continue;
        // Ends as "quit" does: every task stops, and the game saves the player's progress.
        stopping = true;
        tarn::CTaskManager::GetSingleton()->Quit();
    }
    return 0;
}
