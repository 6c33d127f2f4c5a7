// The byte layout of the uncompressed TGA files images are saved as: the 18-byte header and
// the colour map of 8-bit pictures. The pixel rows are written by the SDL side.
#ifndef TARN_GFX_CTGAHEADER_H
#define TARN_GFX_CTGAHEADER_H

#include <cstdint>
#include <vector>

#include "tarn/gfx/ccolor.h"

namespace tarn {

// What the header describes about the source picture.
struct CTgaImageInfo {
    int myWidth = 0;
    int myHeight = 0;
    // 1 for colour-mapped (8-bit) pictures, 2 to 4 for true colour.
    int myBytesPerPixel = 4;
    bool myHasAlphaMask = false;
    bool myHasColorKey = false;
    int myPaletteSize = 0;
};

class CTgaHeader {
public:
    static const int kSize = 18;

    // The 18 header bytes (little-endian numbers); empty when the sizes do not fit 16 bits.
    static std::vector<uint8_t> Build(const CTgaImageInfo& info);
    // The colour map of an 8-bit picture: blue, green, red per entry, plus an alpha byte (0 at
    // keyIndex, 255 elsewhere) when withAlpha.
    static std::vector<uint8_t> BuildColorMap(const std::vector<CColor>& palette, bool withAlpha, int keyIndex);
    // Bytes per written pixel: 1, 3 or 4.
    static int WrittenBytesPerPixel(const CTgaImageInfo& info);
};

}  // namespace tarn

#endif
