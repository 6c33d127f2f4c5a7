// The "ToggleConsole" command: opens or closes the console of the running debug task.
// One process-wide object; its target is null while no debug task runs.
#ifndef TARN_TASKS_TASK_DEBUG_CTOGGLECONSOLECOMMAND_H
#define TARN_TASKS_TASK_DEBUG_CTOGGLECONSOLECOMMAND_H

#include <string>

#include "tarn/tasks/icommand.h"

namespace tarn {

class CDebugTask;

class CToggleConsoleCommand : public CCommand {
public:
    static CToggleConsoleCommand* GetSingleton();

    // Toggles the target's console (nothing without a target); arguments are ignored. Returns "".
    std::string Execute() override;

    void SetTarget(CDebugTask* task) { myTarget = task; }
    CDebugTask* GetTarget() const { return myTarget; }

private:
    CDebugTask* myTarget = nullptr;
};

}  // namespace tarn

#endif
