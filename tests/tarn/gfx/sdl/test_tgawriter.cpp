// Tests of the TGA writer: exact bytes of a small file, and 32-bit with alpha, 24-bit and
// 8-bit keyed pictures read back pixel by pixel by ImageMagick; the source's blending
// settings survive a save; unusable sources and paths are refused.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "support/imagemagick.h"
#include "support/testsupport.h"
#include "tarn/gfx/sdl/ctgawriter.h"

namespace {

using tarn::CTgaWriter;

struct CSurface {
    explicit CSurface(SDL_Surface* surface) : my(surface) {}
    ~CSurface() { SDL_FreeSurface(my); }
    SDL_Surface* my;
};

void Put(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255) {
    SDL_Rect one = {Sint16(x), Sint16(y), 1, 1};
    SDL_FillRect(surface, &one, SDL_MapRGBA(surface->format, r, g, b, a));
}

class TgaWriter : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
    testsupport::CTempDir myDir;
};

TEST_F(TgaWriter, WritesTheExactBytesOfATrueColourPicture) {
    CSurface alpha(SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000));
    Put(alpha.my, 0, 0, 1, 2, 3, 4);
    Put(alpha.my, 1, 0, 250, 251, 252, 253);
    ASSERT_EQ(0, CTgaWriter::Save(alpha.my, "alpha.tga"));
    const std::string expected("\0\0\2\0\0\0\0\0\0\0\0\0\2\0\1\0\x20\x28"
                               "\3\2\1\4\xFC\xFB\xFA\xFD",
                               26);
    EXPECT_EQ(expected, testsupport::ReadFile("alpha.tga"));

    CSurface plain(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 2, 16, 0xF800, 0x07E0, 0x001F, 0));
    Put(plain.my, 0, 0, 255, 0, 0);
    Put(plain.my, 0, 1, 0, 0, 255);
    ASSERT_EQ(0, CTgaWriter::Save(plain.my, "plain.tga"));
    // 16-bit pixels become 24-bit ones as the library's blit widens them: 5-bit 31 is 248 in
    // classic SDL 1.2, 255 in SDL 1.2 over SDL 2.
    const auto plainWith = [](char full) {
        return std::string("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\2\0\x18\x20\0\0", 20) + full + full + std::string("\0\0", 2);
    };
    const std::string written = testsupport::ReadFile("plain.tga");
    EXPECT_TRUE(written == plainWith('\xF8') || written == plainWith('\xFF')) << ::testing::PrintToString(written);
}

TEST_F(TgaWriter, ColourMappedPicturesCarryTheirPaletteAndKey) {
    CSurface mapped(SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 1, 8, 0, 0, 0, 0));
    SDL_Color colours[3] = {{255, 0, 255, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}};
    SDL_SetColors(mapped.my, colours, 0, 3);
    const int paletteSize = mapped.my->format->palette->ncolors;
    static_cast<Uint8*>(mapped.my->pixels)[0] = 2;
    static_cast<Uint8*>(mapped.my->pixels)[1] = 0;
    static_cast<Uint8*>(mapped.my->pixels)[2] = 1;
    SDL_SetColorKey(mapped.my, SDL_SRCCOLORKEY, 0);
    ASSERT_EQ(0, CTgaWriter::Save(mapped.my, "mapped.tga"));
    const std::string bytes = testsupport::ReadFile("mapped.tga");
    ASSERT_EQ(static_cast<size_t>(18 + paletteSize * 4 + 3), bytes.size());
    EXPECT_EQ(1, bytes[1]);
    EXPECT_EQ(1, bytes[2]);
    EXPECT_EQ(paletteSize, (static_cast<Uint8>(bytes[5]) | (static_cast<Uint8>(bytes[6]) << 8)));
    EXPECT_EQ(32, bytes[7]);
    EXPECT_EQ(8, bytes[16]);
    EXPECT_EQ(std::string("\xFF\0\xFF\0\x1E\x14\x0A\xFF\x3C\x32\x28\xFF", 12), bytes.substr(18, 12));
    EXPECT_EQ(std::string("\2\0\1", 3), bytes.substr(bytes.size() - 3));

    // Without a key the entries are three bytes.
    SDL_SetColorKey(mapped.my, 0, 0);
    ASSERT_EQ(0, CTgaWriter::Save(mapped.my, "unkeyed.tga"));
    EXPECT_EQ(static_cast<size_t>(18 + paletteSize * 3 + 3), testsupport::ReadFile("unkeyed.tga").size());
}

TEST_F(TgaWriter, BlendingSettingsSurviveASave) {
    CSurface surface(SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000));
    SDL_SetAlpha(surface.my, SDL_SRCALPHA, 77);
    SDL_SetColorKey(surface.my, SDL_SRCCOLORKEY, 0x00FF00FF);
    // Classic SDL 1.2 stores 77 on a surface with an alpha channel; over SDL 2 it stays 255.
    const Uint8 alpha = surface.my->format->alpha;
    ASSERT_EQ(0, CTgaWriter::Save(surface.my, "kept.tga"));
    EXPECT_TRUE(surface.my->flags & SDL_SRCALPHA);
    EXPECT_EQ(alpha, surface.my->format->alpha);
    EXPECT_TRUE(surface.my->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(0x00FF00FFu, surface.my->format->colorkey);

    SDL_SetAlpha(surface.my, 0, 255);
    SDL_SetColorKey(surface.my, 0, 0);
    ASSERT_EQ(0, CTgaWriter::Save(surface.my, "kept.tga"));
    EXPECT_FALSE(surface.my->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY));
}

TEST_F(TgaWriter, RefusesWhatItCannotWrite) {
    // Classic SDL 1.2 makes the 1-bit surface asked for; over SDL 2 it comes back 8-bit,
    // which the writer can save.
    CSurface bits(SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 1, 0, 0, 0, 0));
    ASSERT_NE(nullptr, bits.my);
    if (bits.my->format->BitsPerPixel < 8) {
        EXPECT_EQ(-1, CTgaWriter::Save(bits.my, "bits.tga"));
        EXPECT_EQ(std::string("cannot save <8bpp images as TGA"), SDL_GetError());
        EXPECT_EQ("", testsupport::ReadFile("bits.tga"));
    } else {
        EXPECT_EQ(0, CTgaWriter::Save(bits.my, "bits.tga"));
    }
    CSurface fine(SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0));
    EXPECT_EQ(-1, CTgaWriter::Save(fine.my, "no-such-directory/fine.tga"));
    EXPECT_EQ(-1, CTgaWriter::Save(nullptr, "null.tga"));
}

// Every pixel ImageMagick reads from file must equal what expected gives for it.
template <typename Expected>
void ExpectPixels(const std::string& file, int w, int h, Expected expected) {
    testsupport::CDumpedImage image;
    ASSERT_TRUE(testsupport::DumpWithImageMagick(file, image)) << file;
    ASSERT_EQ(w, image.myWidth);
    ASSERT_EQ(h, image.myHeight);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const testsupport::CDumpedPixel want = expected(x, y);
            const testsupport::CDumpedPixel& seen = image.At(x, y);
            EXPECT_EQ(want.r, seen.r) << file << " red at " << x << "," << y;
            EXPECT_EQ(want.g, seen.g) << file << " green at " << x << "," << y;
            EXPECT_EQ(want.b, seen.b) << file << " blue at " << x << "," << y;
            EXPECT_EQ(want.a, seen.a) << file << " alpha at " << x << "," << y;
        }
    }
}

testsupport::CDumpedPixel Pattern(int x, int y, int a = 255) {
    testsupport::CDumpedPixel pixel;
    pixel.r = 20 * x + 3;
    pixel.g = 30 * y + 5;
    pixel.b = (x * 7 + y * 11) % 256;
    pixel.a = a;
    return pixel;
}

TEST_F(TgaWriter, ImageMagickReadsEveryPixelBack) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    const int w = 9, h = 6;
    CSurface alpha(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000));
    CSurface packed(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF, 0xFF00, 0xFF0000, 0));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const testsupport::CDumpedPixel p = Pattern(x, y, (x * 29 + y * 13) % 256);
            Put(alpha.my, x, y, Uint8(p.r), Uint8(p.g), Uint8(p.b), Uint8(p.a));
            Put(packed.my, x, y, Uint8(p.r), Uint8(p.g), Uint8(p.b));
        }
    }
    ASSERT_EQ(0, CTgaWriter::Save(alpha.my, "alpha.tga"));
    ExpectPixels("alpha.tga", w, h, [](int x, int y) { return Pattern(x, y, (x * 29 + y * 13) % 256); });
    ASSERT_EQ(0, CTgaWriter::Save(packed.my, "packed.tga"));
    ExpectPixels("packed.tga", w, h, [](int x, int y) { return Pattern(x, y); });

    // 8-bit: a palette of 16 colours, index 5 is the colour key and reads as transparent.
    CSurface mapped(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0));
    SDL_Color colours[16];
    for (int i = 0; i < 16; ++i) colours[i] = SDL_Color{Uint8(i * 16), Uint8(255 - i * 16), Uint8(i * 5), 0};
    SDL_SetColors(mapped.my, colours, 0, 16);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) static_cast<Uint8*>(mapped.my->pixels)[y * mapped.my->pitch + x] = Uint8((x + y) % 16);
    }
    SDL_SetColorKey(mapped.my, SDL_SRCCOLORKEY, 5);
    ASSERT_EQ(0, CTgaWriter::Save(mapped.my, "mapped.tga"));
    ExpectPixels("mapped.tga", w, h, [&](int x, int y) {
        const int index = (x + y) % 16;
        testsupport::CDumpedPixel pixel;
        pixel.r = colours[index].r;
        pixel.g = colours[index].g;
        pixel.b = colours[index].b;
        pixel.a = index == 5 ? 0 : 255;
        return pixel;
    });
}

}  // namespace
