// Tests of the SDL image factory with real PNG, GIF and JPEG files made by ImageMagick:
// decoding, sharing one surface per file name, reading again after the last release, bad
// files giving the null image, and blank images with and without alpha.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/imagemagick.h"
#include "support/testsupport.h"
#include "support/videotest.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cpixelsdl.h"

namespace {

using tarn::CColor;
using tarn::IPixel;

std::string Text(const CColor& c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
}

void ExpectNear(const CColor& expected, const CColor& seen, int tolerance, const std::string& where) {
    EXPECT_NEAR(expected.r, seen.r, tolerance) << where << ": " << Text(seen);
    EXPECT_NEAR(expected.g, seen.g, tolerance) << where << ": " << Text(seen);
    EXPECT_NEAR(expected.b, seen.b, tolerance) << where << ": " << Text(seen);
    EXPECT_NEAR(expected.a, seen.a, tolerance) << where << ": " << Text(seen);
}

class GfxFactorySDL : public testsupport::CVideoTest {
protected:
    void SetUp() override {
        CVideoTest::SetUp();
        myTextureCount = tarn::CTextureManager::GetSingleton()->GetTextureCount();
    }
    void TearDown() override {
        // Every test gives back what it loaded.
        EXPECT_EQ(myTextureCount, tarn::CTextureManager::GetSingleton()->GetTextureCount());
        CVideoTest::TearDown();
    }
    bool Convert(const std::string& arguments) { return testsupport::RunConvert(arguments); }

    tarn::CGfxFactorySDL myFactory;
    int myTextureCount = 0;
};

TEST_F(GfxFactorySDL, DecodesPngGifAndJpegFiles) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    // Left half green, right half blue.
    ASSERT_TRUE(Convert("-size 8x12 xc:'rgb(10,200,30)' -size 8x12 xc:'rgb(0,0,255)' +append halves.png"));
    ASSERT_TRUE(Convert("halves.png halves.gif"));
    ASSERT_TRUE(Convert("halves.png -quality 95 halves.jpg"));
    const struct {
        const char* name;
        int tolerance;
    } files[] = {{"halves.png", 0}, {"halves.gif", 0}, {"halves.jpg", 12}};
    for (const auto& file : files) {
        IPixel* image = myFactory.LoadImage(file.name, CColor::DefaultKey());
        ASSERT_FALSE(image->IsNullImage()) << file.name;
        EXPECT_EQ(16, image->GetWidth());
        EXPECT_EQ(12, image->GetHeight());
        EXPECT_EQ(file.name, image->GetName());
        ExpectNear(CColor(10, 200, 30), image->GetPixel(2, 5), file.tolerance, file.name);
        ExpectNear(CColor(0, 0, 255), image->GetPixel(13, 5), file.tolerance, file.name);
        // No pixel has the key colour: no key, and the true-colour files draw as plain copies.
        SDL_Surface* surface = image->GetRawSurface();
        EXPECT_FALSE(surface->flags & SDL_SRCCOLORKEY) << file.name;
        myFactory.ReleaseImage(image);
    }
    // One key-coloured pixel keys the picture, which then never counts as opaque.
    ASSERT_TRUE(Convert("halves.png -fill 'rgb(255,0,255)' -draw 'point 3,3' keyed.png"));
    IPixel* keyed = myFactory.LoadImage("keyed.png", CColor::DefaultKey());
    SDL_Surface* surface = keyed->GetRawSurface();
    EXPECT_TRUE(surface->flags & SDL_SRCCOLORKEY);
    const Uint32 rgb = ~surface->format->Amask;
    EXPECT_EQ(SDL_MapRGB(surface->format, 255, 0, 255) & rgb, surface->format->colorkey & rgb);
    EXPECT_FALSE(myFactory.IsOpaque(keyed));
    IPixel* plain = myFactory.LoadImage("halves.jpg", CColor::DefaultKey());
    EXPECT_TRUE(myFactory.IsOpaque(plain));
    myFactory.ReleaseImage(keyed);
    myFactory.ReleaseImage(plain);
}

TEST_F(GfxFactorySDL, KeepsTransparencyOfPngAndGifFiles) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    ASSERT_TRUE(Convert("-size 4x4 xc:'rgba(255,0,0,0.5)' -fill blue -draw 'point 1,1' png32:half.png"));
    ASSERT_TRUE(Convert("-size 4x4 xc:none -fill blue -draw 'point 1,1' hole.gif"));
    IPixel* half = myFactory.LoadImage("half.png", CColor::DefaultKey());
    ExpectNear(CColor(255, 0, 0, 128), half->GetPixel(0, 0), 1, "half.png");
    ExpectNear(CColor(0, 0, 255, 255), half->GetPixel(1, 1), 0, "half.png");
    IPixel* hole = myFactory.LoadImage("hole.gif", CColor::DefaultKey());
    EXPECT_EQ(0, hole->GetPixel(0, 0).a);
    ExpectNear(CColor(0, 0, 255, 255), hole->GetPixel(1, 1), 0, "hole.gif");
    myFactory.ReleaseImage(half);
    myFactory.ReleaseImage(hole);
}

TEST_F(GfxFactorySDL, OneFileOneSurfaceUntilTheLastImageLetsGo) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    tarn::CTextureManager* textures = tarn::CTextureManager::GetSingleton();
    ASSERT_TRUE(Convert("-size 5x5 xc:'rgb(255,0,0)' shared.png"));
    IPixel* first = myFactory.LoadImage("shared.png", CColor::DefaultKey());
    // A changed file is not read again while the surface is shared...
    ASSERT_TRUE(Convert("-size 5x5 xc:'rgb(0,255,0)' shared.png"));
    IPixel* second = myFactory.LoadImage("shared.png", CColor::DefaultKey());
    EXPECT_EQ(first->GetRawSurface(), second->GetRawSurface());
    EXPECT_EQ(2, textures->GetUserCount("shared.png"));
    EXPECT_EQ(Text(CColor(255, 0, 0)), Text(second->GetPixel(0, 0)));

    myFactory.ReleaseImage(first);
    EXPECT_EQ(1, textures->GetUserCount("shared.png"));
    EXPECT_EQ(Text(CColor(255, 0, 0)), Text(second->GetPixel(4, 4)));
    IPixel* target = myFactory.CreateImage(5, 5, CColor::DefaultKey());
    EXPECT_TRUE(second->Blit(target));
    EXPECT_EQ(Text(CColor(255, 0, 0)), Text(target->GetPixel(2, 2)));

    // ... but after the last release the next load reads it again.
    myFactory.ReleaseImage(second);
    EXPECT_FALSE(textures->Exists("shared.png"));
    IPixel* third = myFactory.LoadImage("shared.png", CColor::DefaultKey());
    EXPECT_EQ(Text(CColor(0, 255, 0)), Text(third->GetPixel(0, 0)));
    myFactory.ReleaseImage(third);
    myFactory.ReleaseImage(target);
}

TEST_F(GfxFactorySDL, BadFilesGiveTheNullImage) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    ASSERT_TRUE(Convert("-size 64x48 plasma:fractal -seed 7 whole.png"));
    ASSERT_TRUE(Convert("whole.png whole.gif"));
    ASSERT_TRUE(Convert("whole.png whole.jpg"));
    for (const char* name : {"whole.png", "whole.gif", "whole.jpg"}) {
        const std::string bytes = testsupport::ReadFile(name);
        testsupport::WriteFile(std::string("half-") + name, bytes.substr(0, bytes.size() / 2));
        testsupport::WriteFile(std::string("head-") + name, bytes.substr(0, 16));
        std::string flipped = bytes;
        for (size_t i = bytes.size() / 3; i < bytes.size(); i += 7) flipped[i] = static_cast<char>(~flipped[i]);
        testsupport::WriteFile(std::string("flipped-") + name, flipped);
    }
    testsupport::WriteFile("empty.png", "");
    testsupport::WriteFile("text.png", "this is not a picture\n");
    // Claims 30000 by 30000 pixels: more than an SDL 1.2 surface can hold; 4097 by 4097 is
    // more than the game shows (and would take seconds to decode).
    std::string huge = testsupport::ReadFile("whole.png");
    huge.replace(16, 8, std::string("\0\0\x75\x30\0\0\x75\x30", 8));
    testsupport::WriteFile("huge.png", huge);
    huge.replace(16, 8, std::string("\0\0\x10\x01\0\0\x10\x01", 8));
    testsupport::WriteFile("bomb.png", huge);

    const std::vector<std::string> bad = {"missing.png",      ".",
                                          "half-whole.png",   "half-whole.gif",
                                          "half-whole.jpg",   "head-whole.png",
                                          "head-whole.gif",   "head-whole.jpg",
                                          "empty.png",        "text.png",
                                          "huge.png",         "bomb.png",
                                          "flipped-whole.png"};
    for (int round = 0; round < 2; ++round) {
        for (const std::string& name : bad) {
            IPixel* image = myFactory.LoadImage(name, CColor::DefaultKey());
            EXPECT_TRUE(image->IsNullImage()) << name;
            myFactory.ReleaseImage(image);
        }
        myFactory.ReleaseImage(myFactory.LoadImage("", CColor::DefaultKey()));
    }
    // Each bad file is logged once, with the reason; asking for no picture is no failure.
    const std::string log = testsupport::LogBody();
    for (const std::string& name : bad) {
        const std::string line = "Could not load the picture " + name + ": ";
        const size_t first = log.find(line);
        EXPECT_NE(std::string::npos, first) << name << "\n" << log;
        EXPECT_EQ(std::string::npos, log.find(line, first + 1)) << name;
    }
    EXPECT_EQ(std::string::npos, log.find("Could not load the picture : "));
    EXPECT_NE(std::string::npos,
              log.find("Could not load the picture missing.png: the file cannot be opened\n"));
    EXPECT_NE(
        std::string::npos,
        log.find("Could not load the picture bomb.png: PNG size out of range: 4097 x 4097 (at most 4096 a side)\n"));
    // Corrupt data inside a complete GIF or JPEG may still decode to some picture; it must
    // never crash or read outside the file (sanitizer build).
    for (const char* name : {"flipped-whole.gif", "flipped-whole.jpg"}) myFactory.ReleaseImage(myFactory.LoadImage(name, CColor()));
}

TEST_F(GfxFactorySDL, OnlyRegularFilesOfTheCheckedFormatsReachADecoder) {
    // An XPM with fewer rows than it declares (SDL_image's reader crashed on it, whatever the
    // name), an XCF declaring 16383 by 16383 (gigabytes), a device, a folder, a PNG of 32 MB
    // and one byte: each refused before decoding, and logged with the reason.
    const std::string xpm = "/* XPM */\nstatic char *x[] = {\n\"4 4 2 1\",\n\"a c #ff0000\",\n\"b c #0000ff\",\n\"abab\"\n};\n";
    testsupport::WriteFile("short.xpm", xpm);
    testsupport::WriteFile("short.png", xpm);
    testsupport::WriteFile("huge.xcf", std::string("gimp xcf file\0\0\0\x3F\xFF\0\0\x3F\xFF", 22) + std::string(20, '\0'));
    testsupport::WriteFile("big.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01", 24));
    std::filesystem::resize_file("big.png", (32u << 20) + 1);  // sparse: costs no disk
    std::filesystem::create_directory("folder.png");
    const std::pair<std::string, const char*> refused[] = {
        {"short.xpm", "not a PNG, GIF, JPEG, BMP or TGA picture"},
        {"short.png", "not a PNG, GIF, JPEG, BMP or TGA picture"},
        {"huge.xcf", "not a PNG, GIF, JPEG, BMP or TGA picture"},
        {"big.png", "it holds 33554433 bytes, more than the 33554432 allowed for its kind"},
        {"folder.png", "it is a folder, not a file"},
#if !defined(_WIN32)
        {"/dev/zero", "it is not a regular file (a device, pipe or socket)"},
#endif
    };
    for (const auto& [name, why] : refused) {
        IPixel* image = myFactory.LoadImage(name, CColor::DefaultKey());
        EXPECT_TRUE(image->IsNullImage()) << name;
        myFactory.ReleaseImage(image);
    }
    const std::string log = testsupport::LogBody();
    for (const auto& [name, why] : refused) {
        EXPECT_NE(log.find("Could not load the picture " + name + ": " + why + "\n"), std::string::npos) << name << log;
    }

    // A TGA has no signature: its header is recognised whatever the file is called.
    IPixel* made = myFactory.CreateImage(3, 2, CColor::DefaultKey());
    made->PutPixel(1, 1, CColor(10, 200, 30, 255));
    ASSERT_TRUE(made->Save("made.tga"));
    myFactory.ReleaseImage(made);
    std::filesystem::rename("made.tga", "made.picture");
    IPixel* loaded = myFactory.LoadImage("made.picture", CColor::DefaultKey());
    ASSERT_FALSE(loaded->IsNullImage());
    EXPECT_EQ(loaded->GetWidth(), 3);
    ExpectNear(CColor(10, 200, 30, 255), loaded->GetPixel(1, 1), 0, "made.picture");
    myFactory.ReleaseImage(loaded);
}

TEST_F(GfxFactorySDL, BlankImages) {
    IPixel* keyed = myFactory.CreateImage(7, 3, CColor(0, 255, 0));
    ASSERT_FALSE(keyed->IsNullImage());
    EXPECT_EQ(7, keyed->GetWidth());
    EXPECT_EQ("", keyed->GetName());
    SDL_Surface* surface = keyed->GetRawSurface();
    EXPECT_EQ(SDL_GetVideoSurface()->format->BitsPerPixel, surface->format->BitsPerPixel);
    EXPECT_TRUE(surface->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(SDL_MapRGB(surface->format, 0, 255, 0), surface->format->colorkey);

    IPixel* alpha = myFactory.CreateImageAlpha(4, 4);
    ASSERT_FALSE(alpha->IsNullImage());
    EXPECT_NE(0u, alpha->GetRawSurface()->format->Amask);
    EXPECT_TRUE(static_cast<tarn::CPixelSDL*>(alpha)->CopiesAlpha());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Text(CColor(0, 0, 0, 0)), Text(alpha->GetPixel(x, y)));
    }
    for (const auto& size : {std::make_pair(0, 4), std::make_pair(4, -1), std::make_pair(16384, 1),
                             std::make_pair(1, 1 << 30)}) {
        EXPECT_TRUE(myFactory.CreateImage(size.first, size.second, CColor())->IsNullImage());
        EXPECT_TRUE(myFactory.CreateImageAlpha(size.first, size.second)->IsNullImage());
    }
    EXPECT_EQ(keyed, myFactory.Convert(keyed));
    myFactory.ReleaseImage(keyed);
    myFactory.ReleaseImage(alpha);
    myFactory.ReleaseImage(tarn::GetNullImage());
}

TEST(GfxFactorySDLWithoutVideo, ImagesWorkBeforeAWindowOpens) {
    testsupport::CTempDir dir;
    ASSERT_EQ(nullptr, SDL_GetVideoSurface());
    tarn::CGfxFactorySDL factory;
    IPixel* alpha = factory.CreateImageAlpha(3, 3);
    ASSERT_FALSE(alpha->IsNullImage());
    EXPECT_EQ(0xFF000000u, alpha->GetRawSurface()->format->Amask);
    IPixel* plain = factory.CreateImage(3, 3, CColor::DefaultKey());
    ASSERT_FALSE(plain->IsNullImage());
    EXPECT_EQ(0u, plain->GetRawSurface()->format->Amask);
    factory.ReleaseImage(alpha);
    factory.ReleaseImage(plain);
    if (!testsupport::HaveImageMagick()) return;
    ASSERT_TRUE(testsupport::RunConvert("-size 2x2 xc:red early.png"));
    IPixel* early = factory.LoadImage("early.png", CColor::DefaultKey());
    EXPECT_EQ(Text(CColor(255, 0, 0)), Text(early->GetPixel(1, 1)));
    factory.ReleaseImage(early);
    testsupport::ResetEngine();
}

}  // namespace
