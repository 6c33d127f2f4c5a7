// Loads OGF fonts: a one-line text description (grid, cell size, characters, glyph widths,
// colour) next to a glyph image.
#ifndef TARN_GFX_FONT_COGFFONTLOADER_H
#define TARN_GFX_FONT_COGFFONTLOADER_H

#include <string>

#include "tarn/gfx/font/ifontloader.h"

namespace tarn {

class IPixel;

class COgfFontLoader : public IFontLoader {
public:
    // Grids and cells larger than this (in pixels, per side of the glyph image) are refused.
    static const int kMaxImageSide = 16384;

    COgfFontLoader() = default;
    // Loads filename into font at once.
    COgfFontLoader(CFont* font, const std::string& filename);

    std::string GetName() const override;
    // Any fault (missing file, wrong magic, counts that do not match, absurd sizes, missing
    // image) is logged and leaves font untouched.
    void Load(CFont* font, const std::string& filename) override;

private:
    // Multiplies every colour channel of the opaque pixels by its eighths; the colour key stays.
    static void Tint(IPixel* image, int red, int green, int blue);
};

}  // namespace tarn

#endif
