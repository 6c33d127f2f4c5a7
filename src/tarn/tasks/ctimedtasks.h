// The built-in task "TimedTasks": updates timed tasks every interval ms of global time,
// several times in one frame when a task fell behind.
#ifndef TARN_TASKS_CTIMEDTASKS_H
#define TARN_TASKS_CTIMEDTASKS_H

#include <list>

#include "tarn/utils/timer/types.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

class CTaskManager;

class CTimedTasks : public CTask {
public:
    struct Entry {
        CTask* myTask;
        types::ticks myDue;
    };

    CTimedTasks();
    // The manager whose active list this task joins when its first entry is scheduled.
    void SetManager(CTaskManager* manager) { myManager = manager; }

    // True when at least one timed task is scheduled.
    bool Start() override;
    void Update() override;
    // Stops every scheduled timed task.
    void OnStop() override;

    // Starts task; scheduled on success, parked in the paused entries otherwise.
    void AddTimedTask(CTask* task);
    void StopTimedTask(CTask* task);
    void PauseTimedTask(CTask* task);
    void ResumeTimedTask(CTask* task);
    // Removes every trace of task (used when a task is destroyed).
    void Forget(CTask* task);

    // The earliest due time among the scheduled tasks (each runs once the clock has passed
    // it); false when none is scheduled.
    bool GetNextDue(types::ticks& due) const;

    const std::list<Entry>& GetEntries() const { return myEntries; }
    const std::list<CTask*>& GetPausedEntries() const { return myPausedEntries; }

private:
    void Schedule(CTask* task);
    void SortEntries();
    void RemoveDeadEntries();

    std::list<Entry> myEntries;
    std::list<CTask*> myPausedEntries;
    bool myNeedsCleanup;
    CTaskManager* myManager;
};

}  // namespace tarn

#endif
