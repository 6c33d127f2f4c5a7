// The mouse task (type "mouse"): offers "CursorHide", "CursorShow" and "CursorChangeTo". It
// never runs: its start returns false, so it waits among the paused tasks and only answers.
#ifndef TARN_INPUTDEVICE_CMOUSETASK_H
#define TARN_INPUTDEVICE_CMOUSETASK_H

#include <memory>
#include <string>

#include "tarn/tasks/ctask.h"

namespace tarn {

class CInterpreter;
class ICommand;

class CMouseTask : public CTask {
public:
    CMouseTask();
    ~CMouseTask() override;

    // Makes the interpreter with the three cursor commands; returns false (stay paused).
    bool Start() override;
    void Update() override {}
    // Runs line in the task's interpreter (result dropped); false before Start.
    bool ExecuteCommand(const std::string& line) override;

    // The task's own interpreter; null before Start.
    CInterpreter* GetInterpreter() const { return myInterpreter.get(); }

private:
    std::unique_ptr<CInterpreter> myInterpreter;
    std::unique_ptr<ICommand> myHideCommand;
    std::unique_ptr<ICommand> myShowCommand;
    std::unique_ptr<ICommand> myChangeCommand;
};

}  // namespace tarn

#endif
