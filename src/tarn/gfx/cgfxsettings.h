// Process-wide graphics settings: the depth and flags of new surfaces (published by the window
// task once its video mode is open), the smoothing of scaled and rotated images, and the two
// screen-flip console variables.
#ifndef TARN_GFX_CGFXSETTINGS_H
#define TARN_GFX_CGFXSETTINGS_H

#include <cstdint>

namespace tarn {

struct CGfxSettings {
    // Depth of created surfaces; the screen's depth once a video mode is open.
    int myBitsPerPixel = 32;
    // SDL surface flags of created surfaces (the hardware-surface flag when the screen has one).
    uint32_t mySurfaceFlags = 0;
    // Smoothing passed to SDL_gfx when scaling and rotating (1 = smooth).
    int myScaleSmoothing = 1;
    int myRotateSmoothing = 1;
    // "gfx_flip_debug_rects": reserved for outlining the flipped rectangles.
    bool myFlipDebugRects = false;
    // "gfx_flip_rects_size": most rectangles per screen update before a full flip; 0 = no cap.
    int myFlipRectsSize = 75;
};

// The one settings object; lives until the process ends.
CGfxSettings& GetGfxSettings();

}  // namespace tarn

#endif
