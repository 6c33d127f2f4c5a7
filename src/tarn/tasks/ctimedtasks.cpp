// The built-in task "TimedTasks": updates timed tasks every interval ms of global time,
// several times in one frame when a task fell behind.
#include "tarn/tasks/ctimedtasks.h"

#include <algorithm>
#include <cstdint>

#include "tarn/utils/timer/ctimer.h"
#include "tarn/tasks/ctaskmanager.h"

namespace tarn {

namespace {

// Due times compare by signed difference, so the order survives the 2^32 ms wrap.
bool DueBefore(types::ticks a, types::ticks b) { return static_cast<std::int32_t>(a - b) < 0; }

}  // namespace

CTimedTasks::CTimedTasks() : CTask(100, "TimedTasks"), myNeedsCleanup(false), myManager(nullptr) {}

bool CTimedTasks::Start() { return !myEntries.empty(); }

void CTimedTasks::SortEntries() {
    myEntries.sort([](const Entry& a, const Entry& b) { return DueBefore(a.myDue, b.myDue); });
}

void CTimedTasks::RemoveDeadEntries() {
    myEntries.remove_if([](const Entry& entry) { return entry.myTask->IsDead(); });
    myNeedsCleanup = false;
}

void CTimedTasks::Schedule(CTask* task) {
    if (myEntries.empty()) {
        if (myManager) myManager->ResumeTask(this);
    }
    myEntries.push_back(Entry{task, task->GetInterval() + GetGlobalTime()});
    SortEntries();
}

void CTimedTasks::Update() {
    if (myNeedsCleanup) RemoveDeadEntries();
    if (myEntries.empty()) return;
    // The clock is read once per pass: a task slower than its own interval still lets the
    // pass end, since every run moves its due time one interval closer to 'now'.
    const types::ticks now = GetGlobalTime();
    while (!myEntries.empty() && DueBefore(myEntries.front().myDue, now)) {
        CTask* task = myEntries.front().myTask;
        if (task->IsDead()) {
            myEntries.pop_front();
            continue;
        }
        task->Update();
        // The task may have paused, stopped or rescheduled itself (or others) meanwhile.
        const auto entry = std::find_if(myEntries.begin(), myEntries.end(),
                                        [task](const Entry& e) { return e.myTask == task; });
        if (entry == myEntries.end()) continue;
        entry->myDue += std::max(task->GetInterval(), 1u);
        SortEntries();
    }
}

bool CTimedTasks::GetNextDue(types::ticks& due) const {
    // Sorted by due time, but a stopped task's entry may linger until the next update.
    bool found = false;
    for (const Entry& entry : myEntries) {
        if (entry.myTask->IsDead()) continue;
        if (!found || DueBefore(entry.myDue, due)) due = entry.myDue;
        found = true;
    }
    return found;
}

void CTimedTasks::OnStop() {
    while (!myEntries.empty()) {
        CTask* task = myEntries.front().myTask;
        myEntries.pop_front();
        StopTimedTask(task);
    }
}

void CTimedTasks::AddTimedTask(CTask* task) {
    if (task->Start()) {
        Schedule(task);
    } else {
        myPausedEntries.push_back(task);
    }
}

void CTimedTasks::StopTimedTask(CTask* task) {
    if (!task->IsDead()) task->OnStop();
    task->SetDead(true);
    myNeedsCleanup = true;
}

void CTimedTasks::PauseTimedTask(CTask* task) {
    const auto entry =
        std::find_if(myEntries.begin(), myEntries.end(), [task](const Entry& e) { return e.myTask == task; });
    if (entry == myEntries.end()) return;
    task->OnPause();
    myEntries.erase(entry);
    myPausedEntries.push_back(task);
}

void CTimedTasks::ResumeTimedTask(CTask* task) {
    const auto found = std::find(myPausedEntries.begin(), myPausedEntries.end(), task);
    if (found == myPausedEntries.end()) return;
    task->OnResume();
    myPausedEntries.erase(found);
    Schedule(task);
}

void CTimedTasks::Forget(CTask* task) {
    myEntries.remove_if([task](const Entry& e) { return e.myTask == task; });
    myPausedEntries.remove(task);
}

}  // namespace tarn
