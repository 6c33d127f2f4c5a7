// The SDL image factory: loads picture files through the configured decoder into surfaces
// shared through the texture manager, and creates blank images in the screen's pixel layout.
#ifndef TARN_GFX_SDL_CGFXFACTORYSDL_H
#define TARN_GFX_SDL_CGFXFACTORYSDL_H

#include <string>

#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/sdl/csdlsurfacecreator.h"

struct SDL_Surface;

namespace tarn {

class CGfxFactorySDL : public CGfxFactory {
public:
    // Sizes outside 1..16383 give the null image.
    IPixel* CreateImage(int w, int h, const CColor& colorKey) override;
    // Starts fully transparent and copies its pixels verbatim when blitted.
    IPixel* CreateImageAlpha(int w, int h) override;
    // A blank image in the screen's layout without a colour key.
    IPixel* CreateOpaqueImage(int w, int h) override;
    // A 32-bit image without colour key and without alpha.
    bool IsOpaque(IPixel* image) const override;
    // A file already loaded shares its surface (nothing is read again). A file that the decoder
    // cannot read - missing, truncated, corrupt - gives the null image.
    IPixel* LoadImage(const std::string& filename, const CColor& colorKey) override;
    IPixel* Convert(IPixel* image) override { return image; }
    void ReleaseImage(IPixel* image) override;

private:
    // The decoded picture (the caller frees it), or null, with a log line naming the file and
    // why, when the file is missing, not a regular file of at most 32 MB, refused by
    // CPictureFileCheck, or not readable by its format's decoder. The file is read once.
    static SDL_Surface* ReadPicture(const std::string& filename);
    // surface in the display's format (the loaded one is freed), or surface itself when there
    // is no display to convert to.
    static SDL_Surface* ToDisplayFormat(SDL_Surface* surface, bool withAlpha);

    CSDLSurfaceCreator myCreator;
};

}  // namespace tarn

#endif
