// Scaling and rotation of SDL surfaces written for the engine, used where SDL_gfx is not
// available: nearest or bilinear sampling, negative factors flipping, any angle.
#ifndef TARN_GFX_SDL_CROTOZOOM_H
#define TARN_GFX_SDL_CROTOZOOM_H

struct SDL_Surface;

namespace tarn {

// 8-bit surfaces stay 8-bit (palette and colour key kept, always sampled nearest); 32-bit ones
// keep their layout; others are first copied into 32-bit red-green-blue-alpha, their
// colour-keyed pixels fully transparent. What no source pixel covers stays zero (transparent
// where there is alpha, the key colour's index in 8 bits).
class CRotozoom {
public:
    // source scaled by the factors (the caller frees it): each side is its length times the
    // factor's size, rounded, at least 1; a negative factor mirrors that axis. Null when SDL
    // cannot make the surface.
    static SDL_Surface* Zoom(SDL_Surface* source, double zoomX, double zoomY, bool smooth);
    // source turned anticlockwise by angle degrees (the caller frees it), centred in the
    // rotated bounding box, each side rounded up to an even length; 32-bit results are keyed
    // with the source's key value (0 without one), which fills the uncovered corners. Angles
    // within a thousandth of a degree of 0 give a copy. Null when SDL cannot make the surface.
    static SDL_Surface* Rotate(SDL_Surface* source, double angle, bool smooth);
    // The size Zoom and Rotate give.
    static void ZoomSize(int w, int h, double zoomX, double zoomY, int* zoomedW, int* zoomedH);
    static void RotateSize(int w, int h, double angle, int* rotatedW, int* rotatedH);
};

}  // namespace tarn

#endif
