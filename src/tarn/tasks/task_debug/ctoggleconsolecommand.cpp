// The process-wide "ToggleConsole" command object.
#include "tarn/tasks/task_debug/ctoggleconsolecommand.h"

#include "tarn/tasks/task_debug/cdebugtask.h"

namespace tarn {

CToggleConsoleCommand* CToggleConsoleCommand::GetSingleton() {
    static CToggleConsoleCommand command;
    return &command;
}

std::string CToggleConsoleCommand::Execute() {
    if (myTarget) myTarget->ToggleConsole();
    return "";
}

}  // namespace tarn
