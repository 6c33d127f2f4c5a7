// A window-less 640x480 display (SDL's dummy driver) with the engine's image factory and screen
// image, made once for the benchmarks that draw. Header only: each benchmark is one source.
#ifndef BENCH_SUPPORT_BENCHDISPLAY_H
#define BENCH_SUPPORT_BENCHDISPLAY_H

#include <SDL.h>

#include <cstdlib>

#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"

namespace benchsupport {

const int kDisplayWidth = 640;
const int kDisplayHeight = 480;

inline void EnsureDisplay() {
    static bool ready = false;
    if (ready) return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_SetVideoMode(kDisplayWidth, kDisplayHeight, 32, SDL_SWSURFACE);
    static tarn::CGfxFactorySDL factory;
    tarn::SetFactory(&factory);
    static tarn::CPixelSDLScreen screen;
    screen.SetSurface(SDL_GetVideoSurface(), false);
    tarn::SetScreen(&screen);
    ready = true;
}

}  // namespace benchsupport

#endif
