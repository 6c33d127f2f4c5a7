// The task manager: the main loop that updates every active task once per frame in
// priority order, plus pausing, resuming, stopping, timed tasks and fake threads.
#include "tarn/tasks/ctaskmanager.h"

#include <algorithm>
#include <cstdint>

#include "tarn/platform/platform.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {

namespace {

CTaskManager* theManager = nullptr;

// Milliseconds from now until due; 0 when due has come (the difference is read as signed,
// so it survives the 2^32 ms wrap).
types::ticks Remaining(types::ticks due, types::ticks now) {
    const std::int32_t left = static_cast<std::int32_t>(due - now);
    return left > 0 ? static_cast<types::ticks>(left) : 0;
}

}  // namespace

CTaskManager* CTaskManager::GetSingleton() {
    if (!theManager) theManager = new CTaskManager();
    return theManager;
}

CTaskManager* CTaskManager::GetExisting() { return theManager; }

void CTaskManager::DeleteSingleton() {
    CTaskManager* manager = theManager;
    // Cleared first, so tasks destroyed from here on find no manager to notify.
    theManager = nullptr;
    delete manager;
}

CTaskManager::CTaskManager()
    : myActivityListener(new CActivityListener()),
      myNeedsCleanup(false),
      myQuit(false),
      myWakeRequested(false),
      myWakeAt(0),
      mySleeper(&platform::SleepMs),
      myInPass(false),
      myPassAdvanced(false) {
    myTimedTasks.SetManager(this);
    myActivityListener->SetManager(this);
    // Focus changes reported by the event task pause and resume the tasks that ask for it.
    CEventDispatcher::GetSingleton()->AddActivityListener(myActivityListener.get());
    // "TimedTasks" has no entries yet: its start fails and it waits among the paused tasks.
    AddTask(&myTimedTasks, nullptr);
}

CTaskManager::~CTaskManager() {
    CEventDispatcher::GetSingleton()->RemoveActivityListener(myActivityListener.get());
    if (theManager == this) theManager = nullptr;
}

void CTaskManager::AddTask(CTask* task, CParameterList* params) {
    if (!task) return;
    if (task->IsTimed()) {
        myTimedTasks.AddTimedTask(task);
        return;
    }
    const bool started = params ? task->Start(params) : task->Start();
    if (started) {
        InsertByPriority(task);
    } else {
        myPausedTasks.push_back(task);
    }
}

void CTaskManager::InsertByPriority(CTask* task) {
    auto position = myTasks.begin();
    while (position != myTasks.end() && (*position)->IsLessThan(task)) ++position;
    myTasks.insert(position, task);
}

void CTaskManager::UnlinkActive(TaskList::iterator position) {
    if (myInPass && position == myPassCursor) {
        ++myPassCursor;
        myPassAdvanced = true;
    }
    myTasks.erase(position);
}

void CTaskManager::StopTask(CTask* task) {
    if (!task) return;
    if (task->IsTimed()) {
        myTimedTasks.StopTimedTask(task);
        return;
    }
    if (!task->IsDead()) task->OnStop();
    task->SetDead(true);
    myNeedsCleanup = true;
}

void CTaskManager::PauseTask(CTask* task) {
    const auto found = std::find(myTasks.begin(), myTasks.end(), task);
    if (found == myTasks.end()) {
        myTimedTasks.PauseTimedTask(task);
        return;
    }
    task->OnPause();
    UnlinkActive(found);
    myPausedTasks.push_back(task);
}

void CTaskManager::ResumeTask(CTask* task) {
    const auto found = std::find(myPausedTasks.begin(), myPausedTasks.end(), task);
    if (found == myPausedTasks.end()) {
        myTimedTasks.ResumeTimedTask(task);
        return;
    }
    task->OnResume();
    InsertByPriority(task);
    myPausedTasks.erase(found);
}

void CTaskManager::Quit() { myQuit = true; }

void CTaskManager::QuitWithError(int exitCode) {
    if (myExitCode == 0) myExitCode = exitCode;
    Quit();
}

void CTaskManager::Forget(CTask* task) {
    for (auto it = myTasks.begin(); it != myTasks.end();) {
        auto current = it++;
        if (*current == task) UnlinkActive(current);
    }
    myPausedTasks.remove(task);
    myInactivePausedTasks.remove(task);
    myTimedTasks.Forget(task);
}

void CTaskManager::UpdatePass() {
    // Tasks may pause, resume, start or stop tasks (themselves included) from Update: a task
    // that leaves the list before its turn is skipped, one inserted after the task being
    // updated runs in this pass, one inserted before it runs from the next frame.
    myInPass = true;
    myPassCursor = myTasks.begin();
    while (myPassCursor != myTasks.end()) {
        myPassAdvanced = false;
        CTask* task = *myPassCursor;
        if (!task->IsDead()) task->Update();
        if (!myPassAdvanced) ++myPassCursor;
    }
    myInPass = false;
}

void CTaskManager::WakeAt(types::ticks due) {
    if (myWakeRequested && Remaining(myWakeAt, due) == 0) return;
    myWakeAt = due;
    myWakeRequested = true;
}

void CTaskManager::SetSleeper(Sleeper sleeper) { mySleeper = sleeper ? sleeper : &platform::SleepMs; }

types::ticks CTaskManager::TimeUntilDue() const {
    const int maxFps = GetLoopSettings().myMaxFps;
    if (maxFps <= 0) return 0;
    const types::ticks now = GetGlobalTime();
    types::ticks wait = std::max(1000u / static_cast<unsigned>(maxFps), 1u);
    if (myWakeRequested) wait = std::min(wait, Remaining(myWakeAt, now));
    // Timed tasks run once the clock has passed their due time, and only while "TimedTasks"
    // is active (a paused "TimedTasks" would otherwise keep the loop awake).
    types::ticks due = 0;
    if (myTimedTasks.GetNextDue(due) && std::find(myTasks.begin(), myTasks.end(), &myTimedTasks) != myTasks.end()) {
        wait = std::min(wait, Remaining(due + 1, now));
    }
    types::ticks threadWait = 0;
    if (CFakeThread::GetTimeToNextRun(threadWait)) wait = std::min(wait, threadWait);
    return wait;
}

void CTaskManager::Idle() {
    const types::ticks wait = TimeUntilDue();
    if (wait > 0) {
        mySleeper(wait);
        GetLoopStats().Add(CLoopStats::SLEPT_MS, wait);
    } else if (!myActivityListener->IsActive() || GetLoopSettings().myYieldEveryFrame) {
        mySleeper(0);
    }
}

void CTaskManager::Frame() {
    myWakeRequested = false;
    if (myNeedsCleanup) RemoveDeadTasks();
    UpdatePass();
    if (myQuit) StopAllTasks();
    CFakeThread::RunFakeThreads(0);
}

int CTaskManager::Run() {
    CLoopStats& stats = GetLoopStats();
    while (!myTasks.empty()) {
        Frame();
        stats.Add(CLoopStats::PASSES);
        stats.Report(GetGlobalTime());
        if (myTasks.empty()) break;
        if (GetLoopSettings().myMaxFps > 0) {
            Idle();
        } else if (!myActivityListener->IsActive() || GetLoopSettings().myYieldEveryFrame) {
            // The unpaced loop yields only in the background, or where the host needs it.
            mySleeper(0);
        }
    }
    StopAllTasks();
    RemoveDeadTasks();
    return myExitCode;
}

bool CTaskManager::RunOnce() {
    if (myTasks.empty()) {
        myQuit = true;
        RemoveDeadTasks();
    } else {
        Frame();
    }
    return !myTasks.empty();
}

void CTaskManager::RemoveDeadTasks() {
    myTasks.remove_if([](CTask* task) { return task->IsDead(); });
    myNeedsCleanup = false;
}

void CTaskManager::StopAllTasks() {
    while (!myTasks.empty()) {
        CTask* task = myTasks.front();
        StopTask(task);
        // OnStop may have changed the list; remove the stopped task wherever it now is.
        const auto found = std::find(myTasks.begin(), myTasks.end(), task);
        if (found != myTasks.end()) myTasks.erase(found);
    }
}

void CTaskManager::PauseInactiveTasks() {
    for (CTask* task : myTasks) {
        if (task->PauseWhenInactive()) myInactivePausedTasks.push_back(task);
    }
    for (CTask* task : myInactivePausedTasks) PauseTask(task);
}

void CTaskManager::ResumeInactivePaused() {
    while (!myInactivePausedTasks.empty()) {
        CTask* task = myInactivePausedTasks.front();
        myInactivePausedTasks.pop_front();
        ResumeTask(task);
    }
}

}  // namespace tarn
