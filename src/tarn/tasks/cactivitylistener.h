// Pauses the tasks that ask for it while the application is inactive, and resumes them after.
// The event dispatcher calls it when the window gains or loses input focus.
#ifndef TARN_TASKS_CACTIVITYLISTENER_H
#define TARN_TASKS_CACTIVITYLISTENER_H

namespace tarn {

class CTaskManager;

class CActivityListener {
public:
    CActivityListener() : myActive(true), myManager(nullptr) {}
    virtual ~CActivityListener() = default;
    virtual void OnResize(int, int) {}
    virtual void OnActivate(bool active);

    bool IsActive() const { return myActive; }
    void SetManager(CTaskManager* manager) { myManager = manager; }

private:
    bool myActive;
    CTaskManager* myManager;
};

}  // namespace tarn

#endif
