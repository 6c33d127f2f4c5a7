// Scales and rotates surfaces for images with what the engine was configured with: SDL_gfx,
// or the engine's own CRotozoom where SDL_gfx is not available.
#ifndef TARN_GFX_SDL_CSURFACEZOOM_H
#define TARN_GFX_SDL_CSURFACEZOOM_H

struct SDL_Surface;

namespace tarn {

class CSurfaceZoom {
public:
    // source scaled by the factors, a negative one mirroring its axis (the caller frees the
    // result); null when no surface can be made.
    static SDL_Surface* Zoom(SDL_Surface* source, double zoomX, double zoomY, bool smooth);
    // source turned anticlockwise by angle degrees inside its bounding box (the caller frees
    // the result); null when no surface can be made.
    static SDL_Surface* Rotate(SDL_Surface* source, double angle, bool smooth);
    // "SDL_gfx" or "own".
    static const char* GetName();
};

}  // namespace tarn

#endif
