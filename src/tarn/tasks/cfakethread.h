// Fake threads: periodic callbacks run on the main thread by the task manager's loop
// when their own interval has elapsed. Every fake thread registers itself while it exists.
#ifndef TARN_TASKS_CFAKETHREAD_H
#define TARN_TASKS_CFAKETHREAD_H

#include <list>

#include "tarn/utils/timer/ctimer.h"

namespace tarn {

class CFakeThread {
public:
    // Registers the thread; it stays paused until Start.
    CFakeThread();
    CFakeThread(const CFakeThread&) = delete;
    CFakeThread& operator=(const CFakeThread&) = delete;

    // Unregisters; the registry is deleted when it becomes empty. Never call from own Run.
    virtual ~CFakeThread();
    // Scheduling order: running threads by urgency, then paused, then dead ones.
    virtual bool IsLessThan(const CFakeThread* other) const;
    virtual void Run() = 0;
    virtual void Start();
    // The scheduler deletes a killed thread on its next pass.
    virtual void Kill();
    virtual void Pause();
    virtual void Resume();
    // Elapsed ms on the thread's own clock (which stops while paused).
    virtual types::ticks GetTime() const;

    void SetInterval(types::ticks ms) { myInterval = ms; }
    bool IsPaused() const { return myPaused; }
    bool IsDead() const { return myDead; }

    // Runs the due threads: each at most once when budgetMs is 0; with a positive budget the
    // most urgent due thread repeatedly until the budget is spent.
    static void RunFakeThreads(types::ticks budgetMs);
    // Milliseconds until the next running thread is due (0 when one is due already); false
    // when no thread is running.
    static bool GetTimeToNextRun(types::ticks& ms);
    // The registry of existing threads, or null when none exists.
    static const std::list<CFakeThread*>* GetRegistry();

private:
    CTimer myTimer;
    bool myPaused;
    types::ticks myInterval;
    types::ticks myNextRun;
    bool myDead;
};

}  // namespace tarn

#endif
