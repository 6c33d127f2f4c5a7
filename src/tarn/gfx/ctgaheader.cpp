// The byte layout of the uncompressed TGA files images are saved as: the 18-byte header and
// the colour map of 8-bit pictures. The pixel rows are written by the SDL side.
#include "tarn/gfx/ctgaheader.h"

#include <cstddef>

namespace tarn {

namespace {

void PutWord(std::vector<uint8_t>& bytes, int at, int value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

bool FitsWord(int value) { return value >= 0 && value <= 0xFFFF; }

}  // namespace

std::vector<uint8_t> CTgaHeader::Build(const CTgaImageInfo& info) {
    if (!FitsWord(info.myWidth) || !FitsWord(info.myHeight) || !FitsWord(info.myPaletteSize)) return {};
    const bool mapped = info.myBytesPerPixel == 1;
    std::vector<uint8_t> bytes(kSize, 0);
    bytes[1] = mapped ? 1 : 0;
    bytes[2] = mapped ? 1 : 2;
    PutWord(bytes, 5, mapped ? info.myPaletteSize : 0);
    bytes[7] = mapped ? (info.myHasColorKey ? 32 : 24) : 0;
    PutWord(bytes, 12, info.myWidth);
    PutWord(bytes, 14, info.myHeight);
    bytes[16] = static_cast<uint8_t>(WrittenBytesPerPixel(info) * 8);
    // Bit 5: rows run from the top; the low bits count the alpha bits.
    bytes[17] = info.myHasAlphaMask && !mapped ? 40 : 32;
    return bytes;
}

std::vector<uint8_t> CTgaHeader::BuildColorMap(const std::vector<CColor>& palette, bool withAlpha, int keyIndex) {
    std::vector<uint8_t> bytes;
    bytes.reserve(palette.size() * (withAlpha ? 4 : 3));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        bytes.push_back(palette[i].b);
        bytes.push_back(palette[i].g);
        bytes.push_back(palette[i].r);
        if (withAlpha) bytes.push_back(static_cast<int>(i) == keyIndex ? 0 : 255);
    }
    return bytes;
}

int CTgaHeader::WrittenBytesPerPixel(const CTgaImageInfo& info) {
    if (info.myBytesPerPixel == 1) return 1;
    return info.myHasAlphaMask ? 4 : 3;
}

}  // namespace tarn
