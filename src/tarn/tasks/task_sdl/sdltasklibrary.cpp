// The task library "sdl": "taskload( sdl )" registers the task types that put the engine on
// SDL ("event" so far; the window and graphics tasks join it).
#include "../ctaskfactory.h"
#include "ceventtasksdl.h"

namespace tarn {

namespace {

void LoadSdlTaskLibrary() {
    CTaskFactory* factory = CTaskFactory::GetSingleton();
    factory->AddTaskType<CEventTaskSDL>("event");
}

CTaskLibraryRegistrar theSdlLibraryRegistrar("sdl", &LoadSdlTaskLibrary);

}  // namespace

}  // namespace tarn
