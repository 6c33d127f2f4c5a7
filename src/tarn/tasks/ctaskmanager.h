// The task manager: the main loop that updates every active task once per frame in
// priority order, plus pausing, resuming, stopping, timed tasks and fake threads.
#ifndef TARN_TASKS_CTASKMANAGER_H
#define TARN_TASKS_CTASKMANAGER_H

#include <list>
#include <memory>

#include "tarn/tasks/cactivitylistener.h"
#include "tarn/tasks/ctimedtasks.h"
#include "tarn/utils/timer/types.h"

namespace tarn {

class CParameterList;
class CTask;

class CTaskManager {
public:
    // Creates the manager on first call (never null afterwards).
    static CTaskManager* GetSingleton();
    // The manager if one exists, never creating it.
    static CTaskManager* GetExisting();
    // Deletes the manager; tasks are never deleted by it.
    static void DeleteSingleton();

    CTaskManager();
    virtual ~CTaskManager();
    CTaskManager(const CTaskManager&) = delete;
    CTaskManager& operator=(const CTaskManager&) = delete;

    // Starts task (params not owned, may be null); a failed start leaves it paused.
    void AddTask(CTask* task, CParameterList* params);
    void StopTask(CTask* task);
    void PauseTask(CTask* task);
    void ResumeTask(CTask* task);
    // Stops every active task after the current update pass.
    void Quit();
    // As Quit, and the main loop then returns exitCode (the program's exit status): for a
    // failure the program cannot go on after. The first non-zero code is kept.
    void QuitWithError(int exitCode);
    int GetExitCode() const { return myExitCode; }
    // The main loop; returns 0, or the code given to QuitWithError, once no active task
    // remains. Between passes it sleeps until the next work is due (see TimeUntilDue); with
    // "sys_max_fps" 0 passes run back to back.
    int Run();
    // One frame without sleeping; true while an active task remains.
    bool RunOnce();

    // Asks for the next pass to start no later than the global time due. A request holds for
    // the wait after the current pass only: tasks renew it in every Update.
    void WakeAt(types::ticks due);
    // Milliseconds the loop would sleep now: until the earliest wake request, timed task or
    // fake thread, and at most 1000 / "sys_max_fps" (so input is read at least that often).
    // 0 when something is due already.
    types::ticks TimeUntilDue() const;
    // How the loop sleeps (platform::SleepMs unless a test installs another); null restores it.
    using Sleeper = void (*)(unsigned ms);
    void SetSleeper(Sleeper sleeper);

    void PauseInactiveTasks();
    void ResumeInactivePaused();
    // Unlinks task from every list without calling it (a task being destroyed).
    void Forget(CTask* task);

    CActivityListener* GetActivityListener() { return myActivityListener.get(); }
    CTimedTasks* GetTimedTasks() { return &myTimedTasks; }
    const std::list<CTask*>& GetTasks() const { return myTasks; }
    const std::list<CTask*>& GetPausedTasks() const { return myPausedTasks; }

private:
    using TaskList = std::list<CTask*>;

    void InsertByPriority(CTask* task);
    void UnlinkActive(TaskList::iterator position);
    void Frame();
    void UpdatePass();
    void RemoveDeadTasks();
    void StopAllTasks();
    void Idle();

    TaskList myTasks;
    TaskList myPausedTasks;
    TaskList myInactivePausedTasks;
    std::unique_ptr<CActivityListener> myActivityListener;
    bool myNeedsCleanup;
    bool myQuit;
    int myExitCode = 0;
    CTimedTasks myTimedTasks;
    bool myWakeRequested;
    types::ticks myWakeAt;
    Sleeper mySleeper;

    // The task the update pass is visiting; unlinking it moves the cursor on to the next
    // task and marks the cursor as already advanced.
    TaskList::iterator myPassCursor;
    bool myInPass;
    bool myPassAdvanced;
};

}  // namespace tarn

#endif
