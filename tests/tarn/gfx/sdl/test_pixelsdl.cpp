// Tests of the SDL image: pixel access in every depth with the blending rule, the view and
// its one-past-the-edge pixel, clearing, blits with any rectangle, the verbatim alpha copier,
// scaling, rotating, sub-image surfaces and saving as BMP (read back by ImageMagick).
#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "support/imagemagick.h"
#include "support/testsupport.h"
#include "support/videotest.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cpixelsdl.h"

namespace {

using tarn::CColor;
using tarn::CPixelSDL;
using tarn::CRect;

SDL_Surface* MakeSurface(int w, int h, int bpp, bool alpha = false) {
    SDL_Surface* surface = nullptr;
    switch (bpp) {
        case 8: {
            surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0);
            SDL_Color grey[256];
            for (int i = 0; i < 256; ++i) grey[i] = SDL_Color{Uint8(i), Uint8(i), Uint8(i), 0};
            SDL_SetColors(surface, grey, 0, 256);
            break;
        }
        case 16: surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xF800, 0x07E0, 0x001F, 0); break;
        default:
            surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bpp, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                           alpha ? 0xFF000000 : 0);
            break;
    }
    return surface;
}

std::unique_ptr<CPixelSDL> Make(int w, int h, int bpp, bool alpha = false) {
    return std::make_unique<CPixelSDL>(MakeSurface(w, h, bpp, alpha));
}

Uint32 Raw(SDL_Surface* surface, int x, int y) {
    const Uint8* at = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
    switch (surface->format->BytesPerPixel) {
        case 1: return *at;
        case 2: return *reinterpret_cast<const Uint16*>(at);
        case 3: return at[0] | (at[1] << 8) | (at[2] << 16);
        default: return *reinterpret_cast<const Uint32*>(at);
    }
}

// Fills the whole surface (not only the view) with one colour.
void Fill(CPixelSDL& image, const CColor& color) {
    SDL_Surface* surface = image.GetRawSurface();
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, color.r, color.g, color.b, color.a));
}

// Every pixel of the surface gets a colour telling where it is: (10x, 10y, 77).
void FillPattern(CPixelSDL& image) {
    SDL_Surface* surface = image.GetRawSurface();
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            SDL_Rect one = {Sint16(x), Sint16(y), 1, 1};
            SDL_FillRect(surface, &one, SDL_MapRGB(surface->format, Uint8(10 * x), Uint8(10 * y), 77));
        }
    }
}

CColor At(CPixelSDL& image, int x, int y) {
    Uint8 r, g, b, a;
    SDL_GetRGBA(Raw(image.GetRawSurface(), x, y), image.GetRawSurface()->format, &r, &g, &b, &a);
    return CColor(r, g, b, a);
}

std::string Text(const CColor& c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
}

// Pixels of the whole surface that differ from colour.
int CountDifferent(CPixelSDL& image, const CColor& color) {
    int count = 0;
    for (int y = 0; y < image.GetSurfaceHeight(); ++y) {
        for (int x = 0; x < image.GetSurfaceWidth(); ++x) count += At(image, x, y) != color;
    }
    return count;
}

class PixelSDL : public testsupport::CVideoTest {};

TEST_F(PixelSDL, PutPixelAndGetPixelRoundTripInEveryDepth) {
    const struct {
        int bpp;
        bool alpha;
        CColor color;
    } table[] = {
        {8, false, CColor(93, 93, 93)},      {16, false, CColor(132, 65, 255)}, {24, false, CColor(1, 2, 3)},
        {32, false, CColor(200, 100, 50)},   {32, true, CColor(200, 100, 50)},
    };
    for (const auto& entry : table) {
        auto image = Make(5, 4, entry.bpp, entry.alpha);
        const CColor black = At(*image, 0, 0);
        image->PutPixel(2, 1, entry.color);
        const CColor got = image->GetPixel(2, 1);
        if (entry.bpp == 16) {
            // 5-6-5 bits keep each channel to within 8, 4 and 8; classic SDL 1.2 and SDL 1.2
            // over SDL 2 widen them back differently (132,65,255 reads 132,65,255 or 131,64,255).
            EXPECT_LE(std::abs(got.r - entry.color.r), 8) << Text(got);
            EXPECT_LE(std::abs(got.g - entry.color.g), 4) << Text(got);
            EXPECT_LE(std::abs(got.b - entry.color.b), 8) << Text(got);
            EXPECT_EQ(got.a, entry.color.a);
        } else {
            EXPECT_EQ(Text(entry.color), Text(got)) << entry.bpp;
        }
        EXPECT_EQ(1, CountDifferent(*image, black)) << entry.bpp;
    }
}

TEST_F(PixelSDL, CoordinatesAreRelativeToTheViewAndNeverLeaveTheSurface) {
    auto image = Make(10, 10, 32);
    const CColor black = At(*image, 0, 0);
    const CColor red(255, 0, 0);
    image->SetRect(CRect(2, 3, 4, 4));
    image->PutPixel(-1, 0, red);
    image->PutPixel(0, -1, red);
    EXPECT_EQ(0, CountDifferent(*image, black));
    image->PutPixel(0, 0, red);
    EXPECT_EQ(Text(red), Text(At(*image, 2, 3)));
    EXPECT_EQ(Text(red), Text(image->GetPixel(0, 0)));
    // Outside the view reads opaque black whatever is stored there.
    Fill(*image, CColor(9, 9, 9));
    EXPECT_EQ(Text(CColor(0, 0, 0, 255)), Text(image->GetPixel(-1, 0)));
    EXPECT_EQ(Text(CColor(0, 0, 0, 255)), Text(image->GetPixel(5, 0)));
    for (int big : {INT_MAX, INT_MIN, 1 << 30, -(1 << 30)}) {
        image->PutPixel(big, 0, red);
        image->PutPixel(0, big, red);
        EXPECT_EQ(Text(CColor(0, 0, 0, 255)), Text(image->GetPixel(big, big)));
    }
    EXPECT_EQ(0, CountDifferent(*image, CColor(9, 9, 9)));
}

TEST_F(PixelSDL, TheColumnAndRowOnePastTheViewAreUsedOnlyInsideTheSurface) {
    auto image = Make(10, 10, 32);
    Fill(*image, CColor(9, 9, 9));
    const CColor red(255, 0, 0);
    // A view inside the surface: the pixel one past its edges is part of the surface.
    image->SetRect(CRect(2, 2, 4, 4));
    image->PutPixel(4, 0, red);
    image->PutPixel(0, 4, red);
    EXPECT_EQ(Text(red), Text(At(*image, 6, 2)));
    EXPECT_EQ(Text(red), Text(At(*image, 2, 6)));
    EXPECT_EQ(Text(red), Text(image->GetPixel(4, 0)));
    EXPECT_EQ(Text(CColor(0, 0, 0, 255)), Text(image->GetPixel(5, 0)));

    // The whole surface as view: one past the edge is outside the surface and ignored.
    Fill(*image, CColor(9, 9, 9));
    image->SetRect(CRect(0, 0, 10, 10));
    image->PutPixel(10, 0, red);
    image->PutPixel(0, 10, red);
    image->PutPixel(10, 10, red);
    EXPECT_EQ(0, CountDifferent(*image, CColor(9, 9, 9)));
    EXPECT_EQ(Text(CColor(0, 0, 0, 255)), Text(image->GetPixel(10, 9)));
    EXPECT_EQ(Text(CColor(0, 0, 0, 255)), Text(image->GetPixel(9, 10)));

    // A view reaching past the surface: only pixels on the surface are touched.
    image->SetRect(CRect(8, 8, 50, 50));
    image->PutPixel(1, 1, red);
    image->PutPixel(2, 2, red);
    image->PutPixel(40, 40, red);
    EXPECT_EQ(1, CountDifferent(*image, CColor(9, 9, 9)));
    EXPECT_EQ(Text(red), Text(At(*image, 9, 9)));
}

TEST_F(PixelSDL, TranslucentColoursBlendChannelByChannel) {
    // old + ((new - old) * alpha >> 8), the shift rounding down.
    auto rgb = Make(2, 2, 32);
    Fill(*rgb, CColor(100, 100, 100));
    rgb->PutPixel(0, 0, CColor(200, 0, 50, 128));
    EXPECT_EQ(Text(CColor(150, 50, 75, 255)), Text(rgb->GetPixel(0, 0)));
    rgb->PutPixel(1, 0, CColor(200, 0, 50, 0));
    EXPECT_EQ(Text(CColor(100, 100, 100, 255)), Text(rgb->GetPixel(1, 0)));

    auto rgba = Make(2, 2, 32, true);
    Fill(*rgba, CColor(100, 100, 100, 255));
    rgba->PutPixel(0, 0, CColor(200, 0, 50, 128));
    EXPECT_EQ(Text(CColor(150, 50, 75, 191)), Text(rgba->GetPixel(0, 0)));

    auto packed = Make(2, 2, 24);
    Fill(*packed, CColor(100, 100, 100));
    packed->PutPixel(1, 1, CColor(200, 0, 50, 128));
    EXPECT_EQ(Text(CColor(150, 50, 75, 255)), Text(packed->GetPixel(1, 1)));
    EXPECT_EQ(Text(CColor(100, 100, 100, 255)), Text(packed->GetPixel(0, 1)));

    // 5-6-5 pixels blend their raw channel values: red 12 -> 18, green 25 -> 12, blue 12 -> 9.
    auto narrow = Make(2, 2, 16);
    Fill(*narrow, CColor(100, 100, 100));
    narrow->PutPixel(0, 0, CColor(200, 0, 50, 128));
    EXPECT_EQ((18u << 11) | (12u << 5) | 9u, Raw(narrow->GetRawSurface(), 0, 0));

    // Palette pixels blend through their palette colours (a grey ramp here).
    auto mapped = Make(2, 2, 8);
    mapped->PutPixel(0, 0, CColor(255, 255, 255, 128));
    EXPECT_EQ(127u, Raw(mapped->GetRawSurface(), 0, 0));
    EXPECT_EQ(Text(CColor(127, 127, 127, 255)), Text(mapped->GetPixel(0, 0)));
}

TEST_F(PixelSDL, ClearRectZeroesOnlyTheViewOfThirtyTwoBitSurfaces) {
    auto image = Make(10, 10, 32, true);
    const CColor white(255, 255, 255, 255);
    const CColor clear(0, 0, 0, 0);
    Fill(*image, white);
    image->SetRect(CRect(2, 2, 5, 5));
    image->ClearRect(CRect(1, 1, 2, 2));
    EXPECT_EQ(4, CountDifferent(*image, white));
    EXPECT_EQ(Text(clear), Text(At(*image, 3, 3)));
    EXPECT_EQ(Text(clear), Text(At(*image, 4, 4)));

    for (const CRect& nothing : {CRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX),
                                 CRect(-10, 0, 8, 10), CRect(0, 0, 0, 0), CRect(0, 0, -5, -5), CRect(5, 0, 3, 3)}) {
        Fill(*image, white);
        image->ClearRect(nothing);
        EXPECT_EQ(0, CountDifferent(*image, white)) << nothing.x << "," << nothing.y << "," << nothing.w;
    }
    Fill(*image, white);
    image->ClearRect(CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX - 1));
    image->ClearRect(CRect(-100, -100, 1000, 1000));
    EXPECT_EQ(25, CountDifferent(*image, white));

    // A view partly off the surface clears only what lies on it.
    image->SetRect(CRect(8, -3, 10, 10));
    Fill(*image, white);
    image->ClearRect(CRect(0, 0, 100, 100));
    EXPECT_EQ(2 * 7, CountDifferent(*image, white));

    auto packed = Make(4, 4, 24);
    Fill(*packed, white);
    packed->ClearRect(CRect(0, 0, 4, 4));
    EXPECT_EQ(0, CountDifferent(*packed, white));
}

TEST_F(PixelSDL, BlitsCopyTheClippedPartOfAnyRectangle) {
    auto source = Make(8, 8, 32);
    FillPattern(*source);
    auto target = Make(8, 8, 32);
    const CColor grey(5, 5, 5);

    Fill(*target, grey);
    EXPECT_TRUE(source->BlitTo(target.get(), CRect(2, 2, 3, 3), CRect(-1, -1, 3, 3)));
    EXPECT_EQ(Text(At(*source, 3, 3)), Text(At(*target, 0, 0)));
    EXPECT_EQ(Text(At(*source, 4, 4)), Text(At(*target, 1, 1)));
    EXPECT_EQ(4, CountDifferent(*target, grey));

    Fill(*target, grey);
    EXPECT_TRUE(source->BlitTo(target.get(), CRect(0, 0, 100, 100), CRect(6, 6, 100, 100)));
    EXPECT_EQ(Text(At(*source, 1, 1)), Text(At(*target, 7, 7)));
    EXPECT_EQ(4, CountDifferent(*target, grey));

    // The smaller of the two sizes is copied.
    Fill(*target, grey);
    source->BlitTo(target.get(), CRect(0, 0, 5, 5), CRect(0, 0, 2, 8));
    EXPECT_EQ(10, CountDifferent(*target, grey));

    const CRect odd[] = {CRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX),
                         CRect(INT_MIN, INT_MIN, -1, -1),            CRect(0, 0, 0, 0),
                         CRect(0, 0, -8, -8),                       CRect(8, 8, 1, 1),
                         CRect(-8, -8, 8, 8),                       CRect(70000, -70000, 70000, 70000)};
    for (const CRect& a : odd) {
        for (const CRect& b : odd) {
            Fill(*target, grey);
            source->BlitTo(target.get(), a, b);
            source->BlitTo(target.get(), a, CRect(0, 0, 8, 8));
            source->BlitTo(target.get(), CRect(0, 0, 8, 8), a);
            EXPECT_EQ(0, CountDifferent(*target, grey));
        }
    }
    // Huge rectangles that do overlap the surfaces copy the overlap.
    Fill(*target, grey);
    source->BlitTo(target.get(), CRect(-1000, -1000, INT_MAX, INT_MAX), CRect(-1000, -1000, INT_MAX, INT_MAX));
    EXPECT_EQ(0, CountDifferent(*target, grey) - 64);
    EXPECT_EQ(Text(At(*source, 7, 7)), Text(At(*target, 7, 7)));

    EXPECT_FALSE(source->BlitTo(tarn::GetNullImage(), CRect(0, 0, 1, 1), CRect(0, 0, 1, 1)));
    EXPECT_FALSE(source->Blit(nullptr));
    CPixelSDL empty;
    EXPECT_FALSE(source->Blit(&empty));
    EXPECT_FALSE(empty.Blit(target.get()));
}

TEST_F(PixelSDL, BlitCopiesTheViewToTheTargetsViewCorner) {
    auto source = Make(8, 8, 32);
    FillPattern(*source);
    source->SetRect(CRect(2, 2, 4, 4));
    auto target = Make(8, 8, 32);
    const CColor grey(5, 5, 5);
    Fill(*target, grey);
    EXPECT_TRUE(source->Blit(target.get()));
    EXPECT_EQ(16, CountDifferent(*target, grey));
    EXPECT_EQ(Text(At(*source, 2, 2)), Text(At(*target, 0, 0)));
    EXPECT_EQ(Text(At(*source, 5, 5)), Text(At(*target, 3, 3)));

    // The target's view limits the copy to its right and bottom edges.
    Fill(*target, grey);
    target->SetRect(CRect(5, 6, 3, 1));
    source->Blit(target.get());
    EXPECT_EQ(3, CountDifferent(*target, grey));
    EXPECT_EQ(Text(At(*source, 2, 2)), Text(At(*target, 5, 6)));
    EXPECT_EQ(Text(At(*source, 4, 2)), Text(At(*target, 7, 6)));
}

TEST_F(PixelSDL, AlphaImagesCopyTheirPixelsVerbatim) {
    auto source = Make(4, 4, 32, true);
    SDL_SetAlpha(source->GetRawSurface(), SDL_SRCALPHA, 255);
    Fill(*source, CColor(10, 20, 30, 100));
    auto target = Make(4, 4, 32, true);

    Fill(*target, CColor(200, 200, 200, 255));
    source->Blit(target.get());  // SDL blending keeps the target's alpha
    EXPECT_EQ(255, At(*target, 0, 0).a);
    EXPECT_NE(10, At(*target, 0, 0).r);

    source->SetOption(tarn::PIXEL_OPTION_COPY_ALPHA, 1);
    EXPECT_TRUE(source->CopiesAlpha());
    Fill(*target, CColor(200, 200, 200, 255));
    EXPECT_TRUE(source->BlitTo(target.get(), CRect(-2, 0, 4, 4), CRect(0, 0, 4, 4)));
    EXPECT_EQ(Text(CColor(10, 20, 30, 100)), Text(At(*target, 2, 0)));
    EXPECT_EQ(Text(CColor(200, 200, 200, 255)), Text(At(*target, 1, 0)));

    // Only 32-bit surfaces are copied verbatim.
    auto packed = Make(4, 4, 24);
    Fill(*packed, CColor(1, 1, 1));
    EXPECT_FALSE(source->Blit(packed.get()));
    EXPECT_EQ(0, CountDifferent(*packed, CColor(1, 1, 1)));
    EXPECT_FALSE(CPixelSDL::RawCopy(packed->GetRawSurface(), CRect(0, 0, 4, 4), target->GetRawSurface(),
                                    CRect(0, 0, 4, 4)));
    // Copying within one surface moves overlapping rows correctly.
    FillPattern(*target);
    const CColor origin = At(*target, 0, 0);
    EXPECT_TRUE(CPixelSDL::RawCopy(target->GetRawSurface(), CRect(0, 0, 3, 3), target->GetRawSurface(),
                                   CRect(1, 1, 3, 3)));
    EXPECT_EQ(Text(origin), Text(At(*target, 1, 1)));
}

TEST_F(PixelSDL, ScaleAndRotateMakeNewImagesOrTheNullImage) {
    auto image = Make(10, 20, 32);
    Fill(*image, CColor(0, 0, 255));
    tarn::IPixel* scaled = image->Scale(30, 40);
    ASSERT_FALSE(scaled->IsNullImage());
    EXPECT_EQ(30, scaled->GetWidth());
    EXPECT_EQ(40, scaled->GetHeight());
    EXPECT_EQ("", scaled->GetName());
    delete scaled;

    for (const auto& size : {std::make_pair(0, 5), std::make_pair(5, -1), std::make_pair(100000, 5),
                             std::make_pair(INT_MAX, INT_MAX), std::make_pair(INT_MIN, 3)}) {
        EXPECT_TRUE(image->Scale(size.first, size.second)->IsNullImage()) << size.first << "x" << size.second;
    }

    tarn::IPixel* rotated = image->Rotate(90);
    ASSERT_FALSE(rotated->IsNullImage());
    EXPECT_NEAR(20, rotated->GetWidth(), 2);
    EXPECT_NEAR(10, rotated->GetHeight(), 2);
    delete rotated;
    rotated = image->Rotate(720 + 90);
    EXPECT_NEAR(20, rotated->GetWidth(), 2);
    delete rotated;
    EXPECT_TRUE(image->Rotate(std::numeric_limits<double>::quiet_NaN())->IsNullImage());
    EXPECT_TRUE(image->Rotate(std::numeric_limits<double>::infinity())->IsNullImage());

    // Only the view is scaled.
    auto source = Make(4, 4, 32);
    Fill(*source, CColor(0, 0, 255));
    SDL_Rect part = {2, 0, 2, 2};
    SDL_FillRect(source->GetRawSurface(), &part, SDL_MapRGB(source->GetRawSurface()->format, 255, 0, 0));
    source->SetRect(CRect(2, 0, 2, 2));
    source->SetOption(tarn::PIXEL_OPTION_SCALE_SMOOTHING, 0);
    scaled = source->Scale(4, 4);
    ASSERT_FALSE(scaled->IsNullImage());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Text(CColor(255, 0, 0)), Text(scaled->GetPixel(x, y)));
    }
    delete scaled;
    source->SetOption(tarn::PIXEL_OPTION_SCALE_SMOOTHING, 1);

    CPixelSDL empty;
    EXPECT_TRUE(empty.Scale(4, 4)->IsNullImage());
    EXPECT_TRUE(empty.Rotate(4)->IsNullImage());
}

TEST_F(PixelSDL, SubImageSurfacesFollowTheView) {
    auto image = Make(10, 10, 32);
    FillPattern(*image);
    EXPECT_EQ(image->GetRawSurface(), image->GetSurface());
    EXPECT_FALSE(image->IsSubImage());

    image->SetRect(CRect(1, 2, 3, 2));
    EXPECT_TRUE(image->IsSubImage());
    SDL_Surface* part = image->GetSurface();
    ASSERT_NE(nullptr, part);
    EXPECT_EQ(3, part->w);
    EXPECT_EQ(2, part->h);
    EXPECT_EQ(Raw(image->GetRawSurface(), 1, 2), Raw(part, 0, 0));
    EXPECT_EQ(Raw(image->GetRawSurface(), 3, 3), Raw(part, 2, 1));
    EXPECT_EQ(part, image->GetSurface());  // kept while the view stays

    // Moving the view without changing its size gives the new pixels.
    image->SetRect(CRect(5, 6, 3, 2));
    part = image->GetSurface();
    EXPECT_EQ(Raw(image->GetRawSurface(), 5, 6), Raw(part, 0, 0));

    image->SetRect(CRect(8, 8, 5, 5));  // partly off the surface
    part = image->GetSurface();
    ASSERT_NE(nullptr, part);
    EXPECT_EQ(2, part->w);
    EXPECT_EQ(2, part->h);
    EXPECT_EQ(Raw(image->GetRawSurface(), 9, 9), Raw(part, 1, 1));

    for (const CRect& off : {CRect(10, 0, 5, 5), CRect(-5, -5, 5, 5), CRect(0, 0, 0, 0), CRect(2, 2, -1, 3),
                             CRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX)}) {
        image->SetRect(off);
        EXPECT_EQ(nullptr, image->GetSurface());
    }
    image->SetRect(CRect(0, 0, 10, 10));
    EXPECT_EQ(image->GetRawSurface(), image->GetSurface());
}

TEST_F(PixelSDL, AlphaBlankCopiesAndSurfaceSwaps) {
    auto image = Make(6, 5, 16);
    image->SetAlpha(300);
    EXPECT_TRUE(image->GetRawSurface()->flags & SDL_SRCALPHA);
    EXPECT_EQ(255, image->GetRawSurface()->format->alpha);
    image->SetAlpha(-3);
    EXPECT_EQ(0, image->GetRawSurface()->format->alpha);

    image->SetRect(CRect(1, 1, 2, 2));
    tarn::IPixel* copy = image->CreateBlankCopy();
    ASSERT_FALSE(copy->IsNullImage());
    EXPECT_EQ(6, copy->GetSurfaceWidth());
    EXPECT_EQ(5, copy->GetSurfaceHeight());
    EXPECT_EQ(CRect(1, 1, 2, 2), copy->GetRect());
    EXPECT_EQ(16, copy->GetRawSurface()->format->BitsPerPixel);
    delete copy;

    // A surface shared through the texture manager keeps its other user on a swap.
    SDL_Surface* shared = MakeSurface(3, 3, 32);
    tarn::CTextureManager* textures = tarn::CTextureManager::GetSingleton();
    textures->AddNew("swap-test", shared, false);
    CPixelSDL first(shared, "swap-test");
    CPixelSDL second(textures->GetPointer("swap-test"), "swap-test");
    EXPECT_EQ(2, textures->GetUserCount("swap-test"));
    first.SetSurface(MakeSurface(7, 2, 32), true);
    EXPECT_EQ(1, textures->GetUserCount("swap-test"));
    EXPECT_EQ(CRect(0, 0, 7, 2), first.GetRect());
    second.SetSurface(nullptr, true);
    EXPECT_FALSE(textures->Exists("swap-test"));
    EXPECT_TRUE(second.IsEmpty());
}

TEST_F(PixelSDL, SaveChoosesTheFormatByTheLastThreeCharacters) {
    auto image = Make(3, 2, 32);
    const struct {
        const char* name;
        const char* magic;
    } table[] = {{"picture.tga", "TGA"}, {"tga", "TGA"},       {"picturetga", "TGA"}, {"picture.TGA", "BM"},
                 {"picture.bmp", "BM"},  {"ga", "BM"},          {"x", "BM"},           {"picture.tga.png", "BM"}};
    for (const auto& entry : table) {
        ASSERT_TRUE(image->Save(entry.name)) << entry.name;
        const std::string bytes = testsupport::ReadFile(entry.name);
        ASSERT_GE(bytes.size(), 18u) << entry.name;
        const bool isBmp = bytes.compare(0, 2, "BM") == 0;
        EXPECT_EQ(std::string(entry.magic) == "BM", isBmp) << entry.name;
        if (!isBmp) {
            EXPECT_EQ(2, bytes[2]) << entry.name;
        }
    }
    EXPECT_FALSE(image->Save("no-such-directory/picture.bmp"));
    EXPECT_FALSE(image->Save("no-such-directory/picture.tga"));
    EXPECT_FALSE(image->Save(""));
    CPixelSDL empty;
    EXPECT_FALSE(empty.Save("empty.bmp"));
}

// Checks every pixel ImageMagick reads from file against image's view.
void ExpectSameColours(CPixelSDL& image, const std::string& file) {
    testsupport::CDumpedImage dumped;
    ASSERT_TRUE(testsupport::DumpWithImageMagick(file, dumped)) << file;
    ASSERT_EQ(image.GetWidth(), dumped.myWidth);
    ASSERT_EQ(image.GetHeight(), dumped.myHeight);
    for (int y = 0; y < dumped.myHeight; ++y) {
        for (int x = 0; x < dumped.myWidth; ++x) {
            const CColor expected = image.GetPixel(x, y);
            const testsupport::CDumpedPixel& seen = dumped.At(x, y);
            EXPECT_EQ(Text(CColor(expected.r, expected.g, expected.b)), Text(CColor(seen.r, seen.g, seen.b)))
                << file << " at " << x << "," << y;
        }
    }
}

TEST_F(PixelSDL, BmpFilesReadBackByImageMagick) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    auto alpha = Make(7, 5, 32, true);
    FillPattern(*alpha);
    alpha->PutPixel(3, 2, CColor(1, 2, 3, 40));
    ASSERT_TRUE(alpha->Save("alpha.bmp"));
    ExpectSameColours(*alpha, "alpha.bmp");

    // Colour-keyed pixels keep their colour in the file.
    auto keyed = Make(4, 4, 32);
    FillPattern(*keyed);
    keyed->PutPixel(1, 1, CColor(255, 0, 255));
    SDL_SetColorKey(keyed->GetRawSurface(), SDL_SRCCOLORKEY, SDL_MapRGB(keyed->GetRawSurface()->format, 255, 0, 255));
    ASSERT_TRUE(keyed->Save("keyed.bmp"));
    ExpectSameColours(*keyed, "keyed.bmp");
    EXPECT_TRUE(keyed->GetRawSurface()->flags & SDL_SRCCOLORKEY);

    auto packed = Make(5, 3, 24);
    FillPattern(*packed);
    ASSERT_TRUE(packed->Save("packed.bmp"));
    ExpectSameColours(*packed, "packed.bmp");

    auto mapped = Make(6, 4, 8);
    for (int i = 0; i < 24; ++i) mapped->PutPixel(i % 6, i / 6, CColor(Uint8(i * 10), Uint8(i * 10), Uint8(i * 10)));
    SDL_SetColorKey(mapped->GetRawSurface(), SDL_SRCCOLORKEY, 0);
    ASSERT_TRUE(mapped->Save("mapped.bmp"));
    ExpectSameColours(*mapped, "mapped.bmp");

    // A sub-image saves only its view.
    packed->SetRect(CRect(1, 1, 3, 2));
    ASSERT_TRUE(packed->Save("view.bmp"));
    ExpectSameColours(*packed, "view.bmp");
}

}  // namespace
