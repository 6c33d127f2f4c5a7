// The abstract image factory behind the graphics facade. The SDL implementation is installed
// by the graphics task; every creation returns the shared null image on failure.
#ifndef TARN_GFX_CGFXFACTORY_H
#define TARN_GFX_CGFXFACTORY_H

#include <string>

#include "tarn/gfx/ccolor.h"

namespace tarn {

class IPixel;

class CGfxFactory {
public:
    virtual ~CGfxFactory() = default;
    // A new w by h image whose pixels of colour colorKey are transparent when drawn.
    // The caller gives it back with ReleaseImage. The null image on failure.
    virtual IPixel* CreateImage(int w, int h, const CColor& colorKey) = 0;
    // A new w by h image drawn as it is, without a transparent colour (for pictures that
    // cover what lies under them, like saved backgrounds). As CreateImage.
    virtual IPixel* CreateOpaqueImage(int w, int h) { return CreateImage(w, h, CColor::DefaultKey()); }
    // True when drawing image replaces every pixel it covers (no transparent colour, no
    // alpha) and the screen layer can blank places with it. False when unknown.
    virtual bool IsOpaque(IPixel*) const { return false; }
    // A new fully transparent w by h image with an alpha channel. As CreateImage.
    virtual IPixel* CreateImageAlpha(int w, int h) = 0;
    // The picture file as an image (files are shared between images). As CreateImage.
    virtual IPixel* LoadImage(const std::string& filename, const CColor& colorKey) = 0;
    // An image in this factory's own kind; the SDL factory returns image unchanged.
    virtual IPixel* Convert(IPixel* image) = 0;
    // Reserved query; always 0.
    virtual int Query(int) const { return 0; }
    // Deletes image unless it is the null image.
    virtual void ReleaseImage(IPixel* image) = 0;
    // Reserved hook; does nothing.
    virtual void Idle() {}
};

}  // namespace tarn

#endif
