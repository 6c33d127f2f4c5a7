// Fake threads: periodic callbacks run on the main thread by the task manager's loop
// when their own interval has elapsed. Every fake thread registers itself while it exists.
#include "tarn/tasks/cfakethread.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tarn {

namespace {

std::list<CFakeThread*>* theRegistry = nullptr;

bool IsRegistered(const CFakeThread* thread) {
    return theRegistry && std::find(theRegistry->begin(), theRegistry->end(), thread) != theRegistry->end();
}

}  // namespace

CFakeThread::CFakeThread() : myPaused(true), myInterval(10), myNextRun(0), myDead(false) {
    if (!theRegistry) theRegistry = new std::list<CFakeThread*>();
    theRegistry->push_back(this);
    myTimer.Pause();
    myTimer.Reset();
}

CFakeThread::~CFakeThread() {
    if (!theRegistry) return;
    theRegistry->remove(this);
    if (theRegistry->empty()) {
        delete theRegistry;
        theRegistry = nullptr;
    }
}

bool CFakeThread::IsLessThan(const CFakeThread* other) const {
    if (other->myDead) return true;
    if (myDead) return false;
    if (other->myPaused) return true;
    if (myPaused) return false;
    const std::int32_t mine = static_cast<std::int32_t>(myNextRun - GetTime());
    const std::int32_t theirs = static_cast<std::int32_t>(other->myNextRun - other->GetTime());
    return mine < theirs;
}

void CFakeThread::Start() {
    myPaused = false;
    myTimer.Resume();
}

void CFakeThread::Kill() {
    myPaused = true;
    myDead = true;
}

void CFakeThread::Pause() {
    myPaused = true;
    myTimer.Pause();
}

void CFakeThread::Resume() {
    myPaused = false;
    myTimer.Resume();
}

types::ticks CFakeThread::GetTime() const { return myTimer.GetTime(); }

const std::list<CFakeThread*>* CFakeThread::GetRegistry() { return theRegistry; }

bool CFakeThread::GetTimeToNextRun(types::ticks& ms) {
    if (!theRegistry) return false;
    bool found = false;
    for (const CFakeThread* thread : *theRegistry) {
        if (thread->myPaused || thread->myDead) continue;
        const std::int32_t left = static_cast<std::int32_t>(thread->myNextRun - thread->GetTime());
        const types::ticks wait = left > 0 ? static_cast<types::ticks>(left) : 0;
        if (!found || wait < ms) ms = wait;
        found = true;
    }
    return found;
}

void CFakeThread::RunFakeThreads(types::ticks budgetMs) {
    if (!theRegistry) return;
    CTimer stopwatch;
    std::vector<CFakeThread*> walk;
    for (;;) {
        theRegistry->sort([](const CFakeThread* a, const CFakeThread* b) { return a->IsLessThan(b); });
        // Walk a copy: Run may create or destroy threads; each is checked before it is used.
        walk.assign(theRegistry->begin(), theRegistry->end());
        for (CFakeThread* thread : walk) {
            if (!IsRegistered(thread)) continue;
            if (thread->myDead) {
                delete thread;
                if (!theRegistry) return;
                continue;
            }
            if (thread->myPaused) break;
            if (static_cast<std::int32_t>(thread->GetTime() - thread->myNextRun) < 0) break;
            thread->Run();
            if (!IsRegistered(thread)) continue;
            thread->myNextRun = thread->GetTime() + thread->myInterval;
            if (stopwatch.GetTime() < budgetMs) break;
        }
        if (!theRegistry || stopwatch.GetTime() >= budgetMs) return;
    }
}

}  // namespace tarn
