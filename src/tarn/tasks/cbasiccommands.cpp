// The seven commands of the namespace "basic": quit, load, taskload, starttask, pausetask,
// resumetask and stoptask, the vocabulary of the start-up script.
#include "tarn/tasks/cbasiccommands.h"

#include <string>

#include "tarn/tasks/icommand.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/cnamespaceregistry.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/math/saturate.h"

namespace tarn {

namespace {

bool HasStringFirst(const CParameterList* params) {
    return params && params->Count() > 0 && params->IsType(0, PARAM_STRING);
}

class CQuitCommand : public CCommand {
public:
    std::string Execute() override {
        CTaskManager::GetSingleton()->Quit();
        return "bye bye";
    }
};

// A command taking one string argument; the usage error otherwise.
class COneStringCommand : public CCommand {
public:
    explicit COneStringCommand(const char* usage) : myUsage(usage) {}
    std::string Execute(CParameterList* params) override {
        if (!HasStringFirst(params)) return Execute();
        Run(params->GetString(0));
        return std::string();
    }
    std::string Execute() override { return myUsage; }

protected:
    virtual void Run(const std::string& argument) = 0;

private:
    const char* myUsage;
};

// Returns "" or the console's refusal to run the file (already running, or too many nested).
class CLoadCommand : public CCommand {
public:
    std::string Execute(CParameterList* params) override {
        if (!HasStringFirst(params)) return Execute();
        return CKernel::GetSingleton()->GetConsole()->ExecuteFile(params->GetString(0));
    }
    std::string Execute() override { return "Error: Load() You need to give a filename as a parameter."; }
};

class CTaskLoadCommand : public COneStringCommand {
public:
    CTaskLoadCommand()
        : COneStringCommand("Error: TaskLoad() You need to give a task library name as a parameter.") {}

protected:
    void Run(const std::string& library) override { CTaskFactory::GetSingleton()->TaskLoad(library); }
};

class CPauseTaskCommand : public COneStringCommand {
public:
    CPauseTaskCommand() : COneStringCommand("Error: PauseTask( taskname ) requires atleast one parameter.") {}

protected:
    void Run(const std::string& name) override { CTaskFactory::GetSingleton()->PauseTask(name); }
};

class CResumeTaskCommand : public COneStringCommand {
public:
    CResumeTaskCommand() : COneStringCommand("Error: ResumeTask( taskname ) requires atleast one parameter.") {}

protected:
    void Run(const std::string& name) override { CTaskFactory::GetSingleton()->ResumeTask(name); }
};

class CStopTaskCommand : public COneStringCommand {
public:
    CStopTaskCommand() : COneStringCommand("Error: StopTask( taskname ) requires atleast one parameter.") {}

protected:
    void Run(const std::string& name) override { CTaskFactory::GetSingleton()->StopTask(name); }
};

class CStartTaskCommand : public CCommand {
public:
    std::string Execute(CParameterList* params) override {
        if (!HasStringFirst(params)) return Execute();
        const std::string type = params->GetString(0);
        params->PopFront();
        std::string name = type;
        if (params->Count() > 0 && params->IsType(0, PARAM_STRING)) {
            name = params->GetString(0);
            params->PopFront();
        }
        int priority = 100;
        if (params->Count() > 0 && params->IsType(0, PARAM_NUMBER)) {
            priority = TruncateToInt(params->GetNumber(0));
            params->PopFront();
        }
        if (CTaskFactory::GetSingleton()->StartTask(type, name, priority, params)) return type + " started";
        return "failed to start " + type;
    }
    std::string Execute() override {
        return "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter.";
    }
};

}  // namespace

void RegisterBasicCommands() {
    static CQuitCommand quit;
    static CLoadCommand load;
    static CTaskLoadCommand taskLoad;
    static CStartTaskCommand startTask;
    static CPauseTaskCommand pauseTask;
    static CResumeTaskCommand resumeTask;
    static CStopTaskCommand stopTask;
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
