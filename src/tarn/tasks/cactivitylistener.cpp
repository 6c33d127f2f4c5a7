// Pauses the tasks that ask for it while the application is inactive, and resumes them after.
// The event dispatcher calls it when the window gains or loses input focus.
#include "tarn/tasks/cactivitylistener.h"

#include "tarn/tasks/ctaskmanager.h"

namespace tarn {

void CActivityListener::OnActivate(bool active) {
    // Repeated notifications of the same state change nothing (no double pause).
    if (active == myActive) return;
    myActive = active;
    if (!myManager) return;
    if (active) {
        myManager->ResumeInactivePaused();
    } else {
        myManager->PauseInactiveTasks();
    }
}

}  // namespace tarn
