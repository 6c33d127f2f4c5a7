// Compares two SDL surfaces the way the engine sees them: size, pixel format, palette and keys,
// then every pixel's colour, reporting how far the two sides lie apart.
#include "support/surfacecompare.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace testsupport {

namespace {

Uint32 ReadPixel(SDL_Surface* surface, int x, int y) {
    const Uint8* at = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
    Uint32 value = 0;
    std::memcpy(&value, at, surface->format->BytesPerPixel);
    return value;
}

// The palette's size and the entries up to the highest one a pixel or the key uses: entries
// no pixel uses never reach the screen.
std::string PaletteText(SDL_Surface* surface) {
    const SDL_Palette* palette = surface->format->palette;
    if (!palette) return "";
    int highest = (surface->flags & SDL_SRCCOLORKEY) ? static_cast<int>(surface->format->colorkey) : 0;
    if (surface->format->BitsPerPixel == 8) {
        for (int y = 0; y < surface->h; ++y) {
            for (int x = 0; x < surface->w; ++x) highest = std::max(highest, static_cast<int>(ReadPixel(surface, x, y)));
        }
    }
    std::string text = " palette of " + std::to_string(palette->ncolors) + ":";
    for (int index = 0; index <= highest && index < palette->ncolors; ++index) {
        char entry[16];
        std::snprintf(entry, sizeof entry, " %02x%02x%02x", palette->colors[index].r, palette->colors[index].g,
                      palette->colors[index].b);
        text += entry;
    }
    return text;
}

}  // namespace

std::string DescribeLayout(SDL_Surface* surface) {
    if (!surface) return "no surface";
    const SDL_PixelFormat* f = surface->format;
    char text[200];
    std::snprintf(text, sizeof text, "%dx%d, %d bits R%08x G%08x B%08x A%08x%s%s", surface->w, surface->h,
                  f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask,
                  (surface->flags & SDL_SRCCOLORKEY) ? (", key " + std::to_string(f->colorkey)).c_str() : "",
                  (surface->flags & SDL_SRCALPHA) ? (", surface alpha " + std::to_string(f->alpha)).c_str() : "");
    return text + PaletteText(surface);
}

CSurfaceDifference CompareSurfaces(SDL_Surface* a, SDL_Surface* b) {
    CSurfaceDifference difference;
    const std::string layoutA = DescribeLayout(a);
    const std::string layoutB = DescribeLayout(b);
    if (layoutA != layoutB) difference.myLayout = layoutA + " | " + layoutB;
    if (!a || !b || a->w != b->w || a->h != b->h) return difference;
    SDL_LockSurface(a);
    SDL_LockSurface(b);
    for (int y = 0; y < a->h; ++y) {
        for (int x = 0; x < a->w; ++x) {
            Uint8 ca[4];
            Uint8 cb[4];
            SDL_GetRGBA(ReadPixel(a, x, y), a->format, &ca[0], &ca[1], &ca[2], &ca[3]);
            SDL_GetRGBA(ReadPixel(b, x, y), b->format, &cb[0], &cb[1], &cb[2], &cb[3]);
            int largest = 0;
            for (int channel = 0; channel < 4; ++channel) largest = std::max(largest, std::abs(ca[channel] - cb[channel]));
            difference.myLargestChannel = std::max(difference.myLargestChannel, largest);
            if (largest > 0) ++difference.myPixels;
        }
    }
    SDL_UnlockSurface(b);
    SDL_UnlockSurface(a);
    return difference;
}

}  // namespace testsupport
