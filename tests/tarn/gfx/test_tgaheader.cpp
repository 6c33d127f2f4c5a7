// Byte-exact tests of the TGA header and colour map layout.
#include <gtest/gtest.h>

#include <vector>

#include "tarn/gfx/ctgaheader.h"

namespace {

using tarn::CTgaHeader;
using tarn::CTgaImageInfo;
using Bytes = std::vector<uint8_t>;

CTgaImageInfo Info(int w, int h, int bytes, bool alpha, bool key, int palette) {
    CTgaImageInfo info;
    info.myWidth = w;
    info.myHeight = h;
    info.myBytesPerPixel = bytes;
    info.myHasAlphaMask = alpha;
    info.myHasColorKey = key;
    info.myPaletteSize = palette;
    return info;
}

TEST(TgaHeader, TrueColourWithAndWithoutAlpha) {
    EXPECT_EQ((Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x2C, 0x01, 0xC8, 0x00, 32, 40}),
              CTgaHeader::Build(Info(300, 200, 4, true, false, 0)));
    EXPECT_EQ((Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 1, 0, 24, 32}),
              CTgaHeader::Build(Info(3, 1, 4, false, false, 0)));
    // 16-bit pictures are written as 24-bit; a colour key does not matter for true colour.
    EXPECT_EQ((Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 1, 0, 24, 32}),
              CTgaHeader::Build(Info(65535, 1, 2, false, true, 0)));
}

TEST(TgaHeader, ColourMappedPictures) {
    EXPECT_EQ((Bytes{0, 1, 1, 0, 0, 0x00, 0x01, 32, 0, 0, 0, 0, 16, 0, 8, 0, 8, 32}),
              CTgaHeader::Build(Info(16, 8, 1, false, true, 256)));
    EXPECT_EQ((Bytes{0, 1, 1, 0, 0, 4, 0, 24, 0, 0, 0, 0, 2, 0, 2, 0, 8, 32}),
              CTgaHeader::Build(Info(2, 2, 1, false, false, 4)));
}

TEST(TgaHeader, SizesBeyondSixteenBitsAreRefused) {
    EXPECT_TRUE(CTgaHeader::Build(Info(65536, 1, 4, false, false, 0)).empty());
    EXPECT_TRUE(CTgaHeader::Build(Info(1, -1, 4, false, false, 0)).empty());
    EXPECT_TRUE(CTgaHeader::Build(Info(1, 1, 1, false, false, 70000)).empty());
}

TEST(TgaHeader, ColourMapEntries) {
    const std::vector<tarn::CColor> palette = {{10, 20, 30}, {255, 0, 255}, {1, 2, 3}};
    EXPECT_EQ((Bytes{30, 20, 10, 255, 255, 0, 255, 0, 3, 2, 1, 255}), CTgaHeader::BuildColorMap(palette, true, 1));
    EXPECT_EQ((Bytes{30, 20, 10, 255, 0, 255, 3, 2, 1}), CTgaHeader::BuildColorMap(palette, false, 1));
    // A key index outside the palette makes every entry opaque.
    EXPECT_EQ((Bytes{30, 20, 10, 255, 255, 0, 255, 255, 3, 2, 1, 255}), CTgaHeader::BuildColorMap(palette, true, 7));
}

}  // namespace
