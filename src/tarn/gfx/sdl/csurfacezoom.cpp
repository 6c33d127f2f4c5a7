// Scales and rotates surfaces for images with what the engine was configured with: SDL_gfx,
// or the engine's own CRotozoom where SDL_gfx is not available.
#include "tarn/gfx/sdl/csurfacezoom.h"

#if TARN_OWN_ROTOZOOM
#include "tarn/gfx/sdl/crotozoom.h"
#else
#include <SDL.h>
#include <SDL_rotozoom.h>
#endif

namespace tarn {

#if TARN_OWN_ROTOZOOM
SDL_Surface* CSurfaceZoom::Zoom(SDL_Surface* source, double zoomX, double zoomY, bool smooth) {
    return CRotozoom::Zoom(source, zoomX, zoomY, smooth);
}

SDL_Surface* CSurfaceZoom::Rotate(SDL_Surface* source, double angle, bool smooth) {
    return CRotozoom::Rotate(source, angle, smooth);
}

const char* CSurfaceZoom::GetName() { return "own"; }
#else
SDL_Surface* CSurfaceZoom::Zoom(SDL_Surface* source, double zoomX, double zoomY, bool smooth) {
    return zoomSurface(source, zoomX, zoomY, smooth ? SMOOTHING_ON : SMOOTHING_OFF);
}

SDL_Surface* CSurfaceZoom::Rotate(SDL_Surface* source, double angle, bool smooth) {
    return rotozoomSurface(source, angle, 1.0, smooth ? SMOOTHING_ON : SMOOTHING_OFF);
}

const char* CSurfaceZoom::GetName() { return "SDL_gfx"; }
#endif

}  // namespace tarn
