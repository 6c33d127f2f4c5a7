// Makes new SDL surfaces for created images: the graphics settings' depth and flags, and the
// channel masks of the current video surface, so images share the screen's layout.
#ifndef TARN_GFX_SDL_CSDLSURFACECREATOR_H
#define TARN_GFX_SDL_CSDLSURFACECREATOR_H

#include <cstdint>

struct SDL_Surface;

namespace tarn {

class CSDLSurfaceCreator {
public:
    // SDL 1.2 keeps a surface's row length in 16 bits: wider or taller surfaces are refused.
    static const int kMaxSide = 16383;

    CSDLSurfaceCreator();

    // A new w by h surface (the caller frees it), or null when the size is outside
    // 1..kMaxSide or SDL fails. withAlpha asks for an alpha channel; without a video surface
    // the masks are 32-bit red-green-blue(-alpha).
    SDL_Surface* Create(int w, int h, bool withAlpha);

    int GetDepth() const { return myDepth; }
    uint32_t GetRedMask() const { return myRedMask; }
    uint32_t GetAlphaMask() const { return myAlphaMask; }

private:
    // Reads depth and masks from the settings and the current video surface.
    void Refresh(bool withAlpha);

    int myDepth;
    uint32_t myRedMask;
    uint32_t myGreenMask;
    uint32_t myBlueMask;
    uint32_t myAlphaMask;
};

// True when w and h are sizes SDL 1.2 can make a surface of.
bool IsSurfaceSize(long long w, long long h);

}  // namespace tarn

#endif
