// The task library "sdl": "taskload( sdl )" registers the task types that put the engine on
// SDL: "window", "event" and "gfx".
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/task_sdl/capplicationsdl.h"
#include "tarn/tasks/task_sdl/ceventtasksdl.h"
#include "tarn/tasks/task_sdl/cgfxtasksdl.h"

namespace tarn {

namespace {

void LoadSdlTaskLibrary() {
    CTaskFactory* factory = CTaskFactory::GetSingleton();
    factory->AddTaskType<CApplicationSDL>("window");
    factory->AddTaskType<CEventTaskSDL>("event");
    factory->AddTaskType<CGfxTaskSDL>("gfx");
}

CTaskLibraryRegistrar theSdlLibraryRegistrar("sdl", &LoadSdlTaskLibrary);

}  // namespace

}  // namespace tarn
