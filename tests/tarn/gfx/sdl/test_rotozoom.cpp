// The engine's own scaling and rotation against SDL_gfx, both built into this program: over a
// table of surface layouts, sizes, factors and angles, smooth and not, the sizes, layouts and
// pixels are the same (the figures are printed per case).
#include <SDL.h>
#include <SDL_rotozoom.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "support/surfacecompare.h"
#include "tarn/gfx/sdl/crotozoom.h"

namespace {

using testsupport::CSurfaceDifference;

struct CLayout {
    const char* myName;
    int myBits;
    Uint32 myMasks[4];
    bool myKeyed;
};

// The engine's images: display format with and without alpha, loaded palette and RGB pictures.
const CLayout kLayouts[] = {
    {"argb", 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, false},
    {"xrgb keyed", 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0}, true},
    {"palette keyed", 8, {0, 0, 0, 0}, true},
    {"rgb24", 24, {0x000000FF, 0x0000FF00, 0x00FF0000, 0}, false},
};

// A picture with smooth gradients, a hard-edged block and (with alpha) translucent parts.
SDL_Surface* MakeSource(const CLayout& layout, int w, int h) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, layout.myBits, layout.myMasks[0],
                                                layout.myMasks[1], layout.myMasks[2], layout.myMasks[3]);
    if (layout.myBits == 8) {
        SDL_Color colors[256];
        for (int index = 0; index < 256; ++index) {
            colors[index] = SDL_Color{static_cast<Uint8>(index), static_cast<Uint8>(255 - index),
                                      static_cast<Uint8>(index * 7), 0};
        }
        SDL_SetColors(surface, colors, 0, 256);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool block = x >= w / 3 && x < 2 * w / 3 && y >= h / 4 && y < h / 2;
            const Uint8 r = static_cast<Uint8>(block ? 250 : x * 255 / w);
            const Uint8 g = static_cast<Uint8>(block ? 20 : y * 255 / h);
            const Uint8 a = static_cast<Uint8>(block ? 255 : 60 + (x + y) * 195 / (w + h));
            const Uint32 value = layout.myBits == 8 ? (x + 3 * y) & 0xFF : SDL_MapRGBA(surface->format, r, g, 90, a);
            Uint8* at = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * layout.myBits / 8;
            std::memcpy(at, &value, layout.myBits / 8);
        }
    }
    if (layout.myKeyed) SDL_SetColorKey(surface, SDL_SRCCOLORKEY, layout.myBits == 8 ? 5 : SDL_MapRGB(surface->format, 250, 20, 90));
    return surface;
}

const int kSizes[][2] = {{1, 1}, {7, 5}, {16, 16}, {33, 20}};


void Expect(const std::string& what, SDL_Surface* reference, SDL_Surface* ours) {
    const CSurfaceDifference difference = testsupport::CompareSurfaces(reference, ours);
    std::printf("%-40s %3dx%-3d largest channel difference %3d in %4d of %5d pixels\n", what.c_str(),
                reference ? reference->w : 0, reference ? reference->h : 0, difference.myLargestChannel,
                difference.myPixels, reference ? reference->w * reference->h : 0);
    EXPECT_EQ("", difference.myLayout) << what;
    EXPECT_EQ(0, difference.myLargestChannel) << what;
    SDL_FreeSurface(reference);
    SDL_FreeSurface(ours);
}

TEST(Rotozoom, ZoomMatchesSDLGfx) {
    const double factors[][2] = {{2, 2}, {0.5, 0.5}, {1.5, 0.75}, {-1, 1}, {1, -2}, {-0.3, -0.7}, {3.1, 1}, {1, 1}};
    for (const CLayout& layout : kLayouts) {
        for (const auto& size : kSizes) {
            SDL_Surface* source = MakeSource(layout, size[0], size[1]);
            for (const auto& factor : factors) {
                // SDL_gfx reads outside palette pictures it mirrors, and outside a 1x1 one.
                if (layout.myBits == 8 && (factor[0] < 0 || factor[1] < 0 || size[0] == 1)) continue;
                for (int smooth = 0; smooth <= 1; ++smooth) {
                    char what[120];
                    std::snprintf(what, sizeof what, "zoom %s %dx%d by %g,%g%s", layout.myName, size[0], size[1],
                                  factor[0], factor[1], smooth ? " smooth" : "");
                    Expect(what, zoomSurface(source, factor[0], factor[1], smooth),
                           tarn::CRotozoom::Zoom(source, factor[0], factor[1], smooth != 0));
                }
            }
            SDL_FreeSurface(source);
        }
    }
}

TEST(Rotozoom, RotateMatchesSDLGfx) {
    const double angles[] = {0, 90, 180, 45, 17.3, -30, 725};
    for (const CLayout& layout : kLayouts) {
        for (const auto& size : kSizes) {
            SDL_Surface* source = MakeSource(layout, size[0], size[1]);
            for (double angle : angles) {
                for (int smooth = 0; smooth <= 1; ++smooth) {
                    char what[120];
                    std::snprintf(what, sizeof what, "rotate %s %dx%d by %g%s", layout.myName, size[0], size[1], angle,
                                  smooth ? " smooth" : "");
                    Expect(what, rotozoomSurface(source, angle, 1.0, smooth),
                           tarn::CRotozoom::Rotate(source, angle, smooth != 0));
                }
            }
            SDL_FreeSurface(source);
        }
    }
}

}  // namespace
