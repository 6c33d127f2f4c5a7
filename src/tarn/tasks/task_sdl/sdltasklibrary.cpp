// The task library "sdl": "taskload( sdl )" registers the task types that put the engine on
// SDL: "window", "event" and "gfx" ("gfx" not in a build of the tasks without graphics).
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/task_sdl/capplicationsdl.h"
#include "tarn/tasks/task_sdl/ceventtasksdl.h"
#ifndef TARN_SDL_TASKS_ONLY
#include "tarn/tasks/task_sdl/cgfxtasksdl.h"
#endif

namespace tarn {

namespace {

void LoadSdlTaskLibrary() {
    CTaskFactory* factory = CTaskFactory::GetSingleton();
    factory->AddTaskType<CApplicationSDL>("window");
    factory->AddTaskType<CEventTaskSDL>("event");
#ifndef TARN_SDL_TASKS_ONLY
    // The graphics task needs SDL_image and SDL_gfx, which a build of the tasks alone lacks.
    factory->AddTaskType<CGfxTaskSDL>("gfx");
#endif
}

CTaskLibraryRegistrar theSdlLibraryRegistrar("sdl", &LoadSdlTaskLibrary);

}  // namespace

}  // namespace tarn
