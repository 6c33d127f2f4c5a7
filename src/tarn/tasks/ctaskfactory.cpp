// The task factory: turns task type names into running, named tasks and reaches them by name.
// It owns the tasks it creates; they live until the process ends.
#include "tarn/tasks/ctaskfactory.h"

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskmanager.h"

namespace tarn {

CTaskFactory* CTaskFactory::GetSingleton() {
    static CTaskFactory* factory = new CTaskFactory();
    return factory;
}

CTaskFactory::CTaskFactory() {
    CTaskManager::GetSingleton();
    CKernel::GetSingleton();
}

CTaskFactory::~CTaskFactory() = default;

void CTaskFactory::AddTaskType(const std::string& name, ITaskCreator* creator) {
    std::unique_ptr<ITaskCreator> owned(creator);
    if (!creator || myTaskTypes.count(name)) return;
    myTaskTypes[name] = std::move(owned);
}

bool CTaskFactory::StartTask(const std::string& type, const std::string& name, int priority,
                             CParameterList* params) {
    const auto found = myTaskTypes.find(type);
    if (found == myTaskTypes.end()) {
        CKernel::GetSingleton()->GetLogger()->Print("[ERROR] Trying to start a task %s that doesn't exist.\n",
                                                    type.c_str());
        return false;
    }
    CTask* task = found->second->Create();
    if (!task) return false;
    task->SetPriority(priority);
    task->SetName(name);
    // A name already taken keeps its old task; the new one is reachable only through the manager.
    std::unique_ptr<CTask>& slot = myTasks[name];
    if (!slot) {
        slot.reset(task);
    } else {
        myUnnamedTasks.emplace_back(task);
    }
    CTaskManager::GetSingleton()->AddTask(task, params);
    return true;
}

void CTaskFactory::PauseTask(const std::string& name) {
    if (CTask* task = FindTask(name)) {
        CTaskManager::GetSingleton()->PauseTask(task);
        return;
    }
    CKernel::GetSingleton()->GetLogger()->Print("[ERROR] Trying to pause a task %s that doesn't exist.\n",
                                                name.c_str());
}

void CTaskFactory::ResumeTask(const std::string& name) {
    if (CTask* task = FindTask(name)) {
        CTaskManager::GetSingleton()->ResumeTask(task);
        return;
    }
    CKernel::GetSingleton()->GetLogger()->Print("[ERROR] Trying to resume a task %s that doesn't exist.\n",
                                                name.c_str());
}

void CTaskFactory::StopTask(const std::string& name) {
    CLogger* logger = CKernel::GetSingleton()->GetLogger();
    logger->Write("CTaskFactory::StopTask() called\n");
    if (CTask* task = FindTask(name)) {
        CTaskManager::GetSingleton()->StopTask(task);
        return;
    }
    logger->Print("[ERROR] Trying to stop a task %s that doesn't exist.\n", name.c_str());
}

bool CTaskFactory::ExecuteInTask(const std::string& name, const std::string& line) {
    if (CTask* task = FindTask(name)) return task->ExecuteCommand(line);
    CKernel::GetSingleton()->GetLogger()->Print("[ERROR] Sorry the namespace or task %s doesn't exist.\n",
                                                name.c_str());
    return false;
}

CTask* CTaskFactory::FindTask(const std::string& name) const {
    const auto found = myTasks.find(name);
    return found == myTasks.end() ? nullptr : found->second.get();
}

std::vector<std::string> CTaskFactory::GetTaskTypes() const {
    std::vector<std::string> names;
    for (const auto& type : myTaskTypes) names.push_back(type.first);
    return names;
}

std::vector<std::string> CTaskFactory::GetTaskLibraries() const {
    std::vector<std::string> names;
    for (const auto& library : myLibraries) names.push_back(library.first);
    return names;
}

void CTaskFactory::TaskLoad(const std::string& library) {
    const auto found = myLibraries.find(library);
    if (found != myLibraries.end() && found->second) found->second();
}

void CTaskFactory::AddTaskLibrary(const std::string& library, LibraryLoader loader) {
    myLibraries.emplace(library, loader);
}

}  // namespace tarn
