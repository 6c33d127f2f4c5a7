// The task interface: every long-running activity is a task that the task manager updates
// once per frame in priority order (or every interval ms, when timed).
#include "tarn/tasks/ctask.h"

#include "tarn/tasks/ctaskmanager.h"

namespace tarn {

CTask::CTask() : CTask(10, "AnonymousTask") {}

CTask::CTask(int priority, const std::string& name)
    : myName(name), myPriority(priority), myDead(false), myInterval(0) {}

CTask::~CTask() {
    // After teardown there is no manager to tell; GetExisting never creates one.
    if (CTaskManager* manager = CTaskManager::GetExisting()) {
        manager->StopTask(this);
        manager->Forget(this);
    }
}

bool CTask::IsLessThan(const CTask* other) const {
    if (myInterval != 0) return myInterval < other->GetInterval();
    return myPriority < other->GetPriority();
}

bool CTask::Start(CParameterList*) { return Start(); }

bool CTask::Start() { return true; }

void CTask::OnStop() {}

void CTask::OnPause() {}

void CTask::OnResume() {}

void CTask::SetPriority(int priority) { myPriority = priority; }

int CTask::GetPriority() const { return myPriority; }

bool CTask::IsDead() const { return myDead; }

void CTask::SetDead(bool dead) { myDead = dead; }

std::string CTask::GetName() const { return myName; }

void CTask::SetName(const std::string& name) { myName = name; }

bool CTask::ExecuteCommand(const std::string&) { return false; }

bool CTask::IsTimed() const { return myInterval != 0; }

void CTask::SetInterval(unsigned int ms) { myInterval = ms; }

unsigned int CTask::GetInterval() const { return myInterval; }

bool CTask::PauseWhenInactive() const { return false; }

}  // namespace tarn
