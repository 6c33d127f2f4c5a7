// Makes new SDL surfaces for created images: the graphics settings' depth and flags, and the
// channel masks of the current video surface, so images share the screen's layout.
#include "tarn/gfx/sdl/csdlsurfacecreator.h"

#include <SDL.h>

#include "tarn/gfx/cgfxsettings.h"

namespace tarn {

bool IsSurfaceSize(long long w, long long h) {
    return w > 0 && h > 0 && w <= CSDLSurfaceCreator::kMaxSide && h <= CSDLSurfaceCreator::kMaxSide;
}

CSDLSurfaceCreator::CSDLSurfaceCreator()
    : myDepth(32), myRedMask(0x00FF0000), myGreenMask(0x0000FF00), myBlueMask(0x000000FF), myAlphaMask(0) {}

void CSDLSurfaceCreator::Refresh(bool withAlpha) {
    myDepth = GetGfxSettings().myBitsPerPixel;
    const SDL_Surface* video = SDL_GetVideoSurface();
    if (video && video->format->BitsPerPixel > 8) {
        myRedMask = video->format->Rmask;
        myGreenMask = video->format->Gmask;
        myBlueMask = video->format->Bmask;
        myAlphaMask = video->format->Amask;
        return;
    }
    // No usable screen layout: plain 32-bit pixels, with an alpha byte when asked for.
    myDepth = 32;
    myRedMask = 0x00FF0000;
    myGreenMask = 0x0000FF00;
    myBlueMask = 0x000000FF;
    myAlphaMask = withAlpha ? 0xFF000000 : 0;
}

SDL_Surface* CSDLSurfaceCreator::Create(int w, int h, bool withAlpha) {
    if (!IsSurfaceSize(w, h)) return nullptr;
    Refresh(withAlpha);
    return SDL_CreateRGBSurface(GetGfxSettings().mySurfaceFlags, w, h, myDepth, myRedMask, myGreenMask, myBlueMask,
                                myAlphaMask);
}

}  // namespace tarn
