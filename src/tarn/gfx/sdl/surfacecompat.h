// Where SDL 1.2 and the browser's SDL emulation treat surfaces differently: the colour key and
// per-surface alpha SDL 1.2 keeps in the pixel format, and when pixels must be locked. In the
// browser every surface is a canvas of the page; its pixels reach memory only while locked
// and go back on unlocking, and a colour key is baked into the alpha of the pixels it keys.
#ifndef TARN_GFX_SDL_SURFACECOMPAT_H
#define TARN_GFX_SDL_SURFACECOMPAT_H

#include <SDL.h>

#if defined(__EMSCRIPTEN__)
// Every pixel access goes through a lock, or the canvas never sees it.
#undef SDL_MUSTLOCK
#define SDL_MUSTLOCK(surface) ((void)(surface), 1)
#endif

namespace tarn {

// The pixel value keyed out when the surface has SDL_SRCCOLORKEY set; 0 in the browser.
inline Uint32 SurfaceColorKey(const SDL_Surface* surface) {
#if defined(__EMSCRIPTEN__)
    (void)surface;
    return 0;
#else
    return surface->format->colorkey;
#endif
}

// The alpha applied to the whole surface when SDL_SRCALPHA is set; 255 in the browser.
inline Uint8 SurfaceAlpha(const SDL_Surface* surface) {
#if defined(__EMSCRIPTEN__)
    (void)surface;
    return 255;
#else
    return surface->format->alpha;
#endif
}

}  // namespace tarn

#endif
