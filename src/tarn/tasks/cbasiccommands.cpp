// The seven commands of the namespace "basic": quit, load, taskload, starttask, pausetask,
// resumetask and stoptask, the vocabulary of the start-up script.
#include "tarn/tasks/cbasiccommands.h"

#include <string>

#include "tarn/tasks/cargumentcommand.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/cnamespaceregistry.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/math/saturate.h"

namespace tarn {

namespace {

using Params = CParameterList;

// A command of one string argument running run on it; usage answers anything else.
CArgumentCommand OneString(const char* usage, void (CTaskFactory::*run)(const std::string&)) {
    return CArgumentCommand(usage, CArgumentCommand::FirstIs(PARAM_STRING), [run](Params& params) {
        (CTaskFactory::GetSingleton()->*run)(params.GetString(0));
        return std::string();
    });
}

std::string Quit(Params&) {
    CTaskManager::GetSingleton()->Quit();
    return "bye bye";
}

// Returns "" or the console's refusal to run the file (already running, or too many nested).
std::string Load(Params& params) { return CKernel::GetSingleton()->GetConsole()->ExecuteFile(params.GetString(0)); }

// starttask( type [, name] [, priority] [, task arguments...] )
std::string StartTask(Params& params) {
    const std::string type = params.GetString(0);
    params.PopFront();
    std::string name = type;
    if (params.Count() > 0 && params.IsType(0, PARAM_STRING)) {
        name = params.GetString(0);
        params.PopFront();
    }
    int priority = 100;
    if (params.Count() > 0 && params.IsType(0, PARAM_NUMBER)) {
        priority = TruncateToInt(params.GetNumber(0));
        params.PopFront();
    }
    if (CTaskFactory::GetSingleton()->StartTask(type, name, priority, &params)) return type + " started";
    return "failed to start " + type;
}

}  // namespace

void RegisterBasicCommands() {
    const CArgumentCommand::Check string = CArgumentCommand::FirstIs(PARAM_STRING);
    static CArgumentCommand quit{&Quit};
    static CArgumentCommand load{"Error: Load() You need to give a filename as a parameter.", string, &Load};
    static CArgumentCommand taskLoad =
        OneString("Error: TaskLoad() You need to give a task library name as a parameter.", &CTaskFactory::TaskLoad);
    static CArgumentCommand startTask{
        "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter.", string, &StartTask};
    static CArgumentCommand pauseTask =
        OneString("Error: PauseTask( taskname ) requires atleast one parameter.", &CTaskFactory::PauseTask);
    static CArgumentCommand resumeTask =
        OneString("Error: ResumeTask( taskname ) requires atleast one parameter.", &CTaskFactory::ResumeTask);
    static CArgumentCommand stopTask =
        OneString("Error: StopTask( taskname ) requires atleast one parameter.", &CTaskFactory::StopTask);
    CNamespaceRegistry* registry = CNamespaceRegistry::GetSingleton();
    registry->AddCommand("basic", "quit", &quit);
    registry->AddCommand("basic", "load", &load);
    registry->AddCommand("basic", "taskload", &taskLoad);
    registry->AddCommand("basic", "starttask", &startTask);
    registry->AddCommand("basic", "pausetask", &pauseTask);
    registry->AddCommand("basic", "resumetask", &resumeTask);
    registry->AddCommand("basic", "stoptask", &stopTask);
}

}  // namespace tarn
