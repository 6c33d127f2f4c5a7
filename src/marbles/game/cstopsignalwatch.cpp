// Ends the game as "quit" does on a stop signal: the handler only sets a flag, and the watch
// turns it into a quit on the main thread.
#include "marbles/game/cstopsignalwatch.h"

#include <csignal>

#include "tarn/tasks/ctaskmanager.h"

namespace marbles {

namespace {

volatile std::sig_atomic_t theStopSignal = 0;

void OnStopSignal(int signal) { theStopSignal = signal; }

}  // namespace

CStopSignalWatch::CStopSignalWatch() {
#ifdef SIGHUP
    std::signal(SIGHUP, OnStopSignal);
#endif
    std::signal(SIGTERM, OnStopSignal);
    std::signal(SIGINT, OnStopSignal);
    SetInterval(100);
    Start();
}

void CStopSignalWatch::Run() {
    if (!theStopSignal || myQuitting) return;
    myQuitting = true;
    tarn::CTaskManager::GetSingleton()->Quit();
}

}  // namespace marbles
