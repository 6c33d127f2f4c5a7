// The event task (type "event"): once per frame drains SDL's event queue into the event
// dispatcher, and owns the cursor control that it lends the dispatcher while it runs.
#ifndef TARN_TASKS_TASK_SDL_CEVENTTASKSDL_H
#define TARN_TASKS_TASK_SDL_CEVENTTASKSDL_H

#include "tarn/tasks/task_sdl/ccursorcontrolsdl.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

class CEventDispatcher;

class CEventTaskSDL : public CTask {
public:
    CEventTaskSDL();
    // Clears the dispatcher's cursor control if it is this task's; the control frees its cursor.
    ~CEventTaskSDL() override;

    // Lends the cursor control to the dispatcher; always true.
    bool Start() override;
    // Handles every event waiting in SDL's queue, and those arriving meanwhile.
    void Update() override;
    void OnStop() override;

    // SDL's button number as the engine's button code: left 1, middle 2, right 4,
    // wheel up 8, wheel down 16, anything else 0.
    static int MapMouseButton(int sdlButton);

    CCursorControlSDL* GetCursorControl() { return &myCursorControl; }

private:
    CCursorControlSDL myCursorControl;
    CEventDispatcher* myDispatcher;
};

}  // namespace tarn

#endif
