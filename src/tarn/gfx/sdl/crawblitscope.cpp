// While alive, a surface's blits copy raw values: its source alpha and colour key are switched
// off, and switched back on (with their saved values) when the scope ends.
#include "tarn/gfx/sdl/crawblitscope.h"
#include "tarn/gfx/sdl/surfacecompat.h"

#include <SDL.h>

namespace tarn {

namespace {

// The flags to set again: the saved flag, with run-length acceleration when it was asked for.
Uint32 Flags(Uint32 saved, Uint32 flag) {
    Uint32 flags = saved & flag;
    if (flags && (saved & SDL_RLEACCELOK)) flags |= SDL_RLEACCEL;
    return flags;
}

}  // namespace

CRawBlitScope::CRawBlitScope(SDL_Surface* surface)
    : mySurface(surface),
      myAlphaFlags(surface->flags & (SDL_SRCALPHA | SDL_RLEACCELOK)),
      myAlpha(SurfaceAlpha(surface)),
      myKeyFlags(surface->flags & (SDL_SRCCOLORKEY | SDL_RLEACCELOK)),
      myKey(SurfaceColorKey(surface)) {
    SDL_SetAlpha(mySurface, 0, 255);
    SDL_SetColorKey(mySurface, 0, 0);
}

CRawBlitScope::~CRawBlitScope() {
    SDL_SetAlpha(mySurface, Flags(myAlphaFlags, SDL_SRCALPHA), myAlpha);
    SDL_SetColorKey(mySurface, Flags(myKeyFlags, SDL_SRCCOLORKEY), myKey);
}

}  // namespace tarn
