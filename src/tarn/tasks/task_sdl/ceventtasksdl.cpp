// The event task (type "event"): once per frame drains SDL's event queue into the event
// dispatcher, and owns the cursor control that it lends the dispatcher while it runs.
#include "tarn/tasks/task_sdl/ceventtasksdl.h"

#include <SDL.h>

#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/events/ceventdispatcher.h"

namespace tarn {

CEventTaskSDL::CEventTaskSDL() : myDispatcher(CEventDispatcher::GetSingleton()) {}

CEventTaskSDL::~CEventTaskSDL() {
    if (myDispatcher->GetCursorControl() == &myCursorControl) myDispatcher->ClearCursorControl();
}

bool CEventTaskSDL::Start() {
    myDispatcher->SetCursorControl(&myCursorControl);
    return true;
}

void CEventTaskSDL::OnStop() {
    if (myDispatcher->GetCursorControl() == &myCursorControl) myDispatcher->ClearCursorControl();
}

int CEventTaskSDL::MapMouseButton(int sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return 1;
        case SDL_BUTTON_MIDDLE: return 2;
        case SDL_BUTTON_RIGHT: return 4;
        case SDL_BUTTON_WHEELUP: return 8;
        case SDL_BUTTON_WHEELDOWN: return 16;
        default: return 0;
    }
}

void CEventTaskSDL::Update() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_ACTIVEEVENT:
                // Mouse focus alone does not make the application active or inactive.
                if (event.active.state & SDL_APPINPUTFOCUS) myDispatcher->NotifyActivity(event.active.gain != 0);
                break;
            case SDL_KEYDOWN: myDispatcher->NotifyKeyDown(event.key.keysym.sym); break;
            case SDL_KEYUP: myDispatcher->NotifyKeyUp(event.key.keysym.sym); break;
            case SDL_MOUSEMOTION: myDispatcher->NotifyMouseMove(event.motion.x, event.motion.y); break;
            case SDL_MOUSEBUTTONDOWN: myDispatcher->NotifyMouseDown(MapMouseButton(event.button.button)); break;
            case SDL_MOUSEBUTTONUP: myDispatcher->NotifyMouseUp(MapMouseButton(event.button.button)); break;
            case SDL_QUIT: CTaskManager::GetSingleton()->Quit(); break;
            case SDL_VIDEORESIZE: myDispatcher->NotifyResize(event.resize.w, event.resize.h); break;
            default: break;
        }
    }
}

}  // namespace tarn
