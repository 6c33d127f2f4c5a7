// The process-wide "ToggleConsole" command object.
#include "ctoggleconsolecommand.h"

#include "cdebugtask.h"

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
