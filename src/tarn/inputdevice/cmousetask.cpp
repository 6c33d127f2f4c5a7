// The mouse task (type "mouse"): offers "CursorHide", "CursorShow" and "CursorChangeTo". It
// never runs: its start returns false, so it waits among the paused tasks and only answers.
#include "tarn/inputdevice/cmousetask.h"

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/cargumentcommand.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/inputdevice/ccursorimage.h"

namespace tarn {

namespace {

// Every cursor command does nothing while no event task lends a cursor control.
std::string HideCursor(CParameterList&) {
    CEventDispatcher::GetSingleton()->HideCursor();
    return std::string();
}

std::string ShowCursor(CParameterList&) {
    CEventDispatcher::GetSingleton()->ShowCursor();
    return std::string();
}

std::string ChangeCursor(CParameterList& params) {
    CEventDispatcher::GetSingleton()->ChangeCursor(CursorTypeFromName(params.GetString(0)));
    return std::string();
}

CTaskRegistrar<CMouseTask> theMouseRegistrar("mouse");

}  // namespace

CMouseTask::CMouseTask() = default;

CMouseTask::~CMouseTask() = default;

bool CMouseTask::Start() {
    if (myInterpreter) return false;
    myInterpreter.reset(CKernel::GetSingleton()->CreateInterpreter());
    myHideCommand = std::make_unique<CArgumentCommand>(&HideCursor);
    myShowCommand = std::make_unique<CArgumentCommand>(&ShowCursor);
    myChangeCommand = std::make_unique<CArgumentCommand>(
        "[ERROR] Needs a parameter to define to what we change our cursor( like arrow, cross, text... )",
        CArgumentCommand::FirstIs(PARAM_STRING), &ChangeCursor, CArgumentCommand::EReport::ANSWER,
        "[ERROR] Could not recognize your cursor type");
    myInterpreter->AddCommand("CursorHide", myHideCommand.get());
    myInterpreter->AddCommand("CursorShow", myShowCommand.get());
    myInterpreter->AddCommand("CursorChangeTo", myChangeCommand.get());
    return false;
}

bool CMouseTask::ExecuteCommand(const std::string& line) {
    if (!myInterpreter) return false;
    myInterpreter->Execute(line, false);
    return true;
}

}  // namespace tarn
