// Time source reading SDL's millisecond tick counter.
// Installed as the global clock's source during static initialisation.
#include "tarn/tasks/task_sdl/csdltimesource.h"

#include <SDL.h>

namespace tarn {

CSdlTimeSource::CSdlTimeSource() {
    // SDL_Init with no subsystem starts the tick counter and nothing else.
    if (SDL_WasInit(0) == 0) SDL_Init(SDL_INIT_NOPARACHUTE);
}

types::ticks CSdlTimeSource::GetTicks() { return SDL_GetTicks(); }


namespace {

ITimeSource* MakeSdlTimeSource() { return new CSdlTimeSource(); }

struct CSdlTimeSourceRegistrar {
    CSdlTimeSourceRegistrar() {
        SetDefaultTimeSource(&MakeSdlTimeSource);
        UseDefaultTimeSource();
    }
} theSdlTimeSourceRegistrar;

}  // namespace

}  // namespace tarn
