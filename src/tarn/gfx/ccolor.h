// A colour as four bytes r, g, b, a, convertible from and to a packed 32-bit value with red in
// the lowest byte. The default colour key of created images is magenta.
#ifndef TARN_GFX_CCOLOR_H
#define TARN_GFX_CCOLOR_H

#include <cstdint>

namespace tarn {

class CColor {
public:
    static const uint32_t kRedMask = 0x000000FF;
    static const uint32_t kGreenMask = 0x0000FF00;
    static const uint32_t kBlueMask = 0x00FF0000;
    static const uint32_t kAlphaMask = 0xFF000000;
    static const int kRedShift = 0;
    static const int kGreenShift = 8;
    static const int kBlueShift = 16;
    static const int kAlphaShift = 24;

    // Opaque black.
    CColor() : r(0), g(0), b(0), a(255) {}
    CColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255) : r(red), g(green), b(blue), a(alpha) {}
    // Applies the masks and shifts above to a packed value.
    explicit CColor(uint32_t packed)
        : r(static_cast<uint8_t>((packed & kRedMask) >> kRedShift)),
          g(static_cast<uint8_t>((packed & kGreenMask) >> kGreenShift)),
          b(static_cast<uint8_t>((packed & kBlueMask) >> kBlueShift)),
          a(static_cast<uint8_t>((packed & kAlphaMask) >> kAlphaShift)) {}

    uint32_t Pack() const {
        return (static_cast<uint32_t>(r) << kRedShift) | (static_cast<uint32_t>(g) << kGreenShift) |
               (static_cast<uint32_t>(b) << kBlueShift) | (static_cast<uint32_t>(a) << kAlphaShift);
    }
    // Magenta with full alpha: the colour key of images made without one.
    static CColor DefaultKey() { return CColor(255, 0, 255, 255); }

    bool operator==(const CColor& other) const {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    bool operator!=(const CColor& other) const { return !(*this == other); }

    uint8_t r;
    uint8_t g;
    uint8_t b;
    uint8_t a;
};

}  // namespace tarn

#endif
