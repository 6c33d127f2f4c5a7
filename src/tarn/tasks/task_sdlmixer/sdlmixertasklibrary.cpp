// The task library "sdl_mixer": "taskload( sdl_mixer )" registers the task type "audio",
// the task that plays music and sound effects through SDL_mixer.
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/task_sdlmixer/ctaskaudiosdl.h"

namespace tarn {

namespace {

void LoadSdlMixerTaskLibrary() { CTaskFactory::GetSingleton()->AddTaskType<CTaskAudioSDL>("audio"); }

CTaskLibraryRegistrar theSdlMixerLibraryRegistrar("sdl_mixer", &LoadSdlMixerTaskLibrary);

}  // namespace

}  // namespace tarn
