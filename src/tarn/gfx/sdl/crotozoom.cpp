// Scaling and rotation of SDL surfaces written for the engine, used where SDL_gfx is not
// available: nearest or bilinear sampling, negative factors flipping, any angle.
#include "tarn/gfx/sdl/crotozoom.h"
#include "tarn/gfx/sdl/surfacecompat.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarn {

namespace {

// M_PI is a POSIX extension that MinGW leaves out in strict C++17; the same value.
const double kPi = 3.14159265358979323846;

// Positions are fixed-point numbers with 16 fractional bits.
const int kFractionBits = 16;
const int64_t kOne = int64_t{1} << kFractionBits;
// Factors closer to 0 than this act as this; angles closer to 0 act as 0.
const double kSmallest = 0.001;

// Turns source into a surface of 8 or 32 bits: itself when it already is one, else a new
// 32-bit red-green-blue-alpha copy (the caller frees it; *made says so), keyed pixels left
// transparent. Null when SDL cannot make the copy.
SDL_Surface* WorkSurface(SDL_Surface* source, bool* made) {
    *made = false;
    const int bits = source->format->BitsPerPixel;
    if (bits == 8 || bits == 32) return source;
    const bool little = SDL_BYTEORDER == SDL_LIL_ENDIAN;
    SDL_Surface* work = SDL_CreateRGBSurface(SDL_SWSURFACE, source->w, source->h, 32,
                                             little ? 0x000000FFu : 0xFF000000u, little ? 0x0000FF00u : 0x00FF0000u,
                                             little ? 0x00FF0000u : 0x0000FF00u, little ? 0xFF000000u : 0x000000FFu);
    if (!work) return nullptr;
    SDL_BlitSurface(source, nullptr, work, nullptr);
    *made = true;
    return work;
}

// A zeroed w by h surface in work's layout: 8-bit ones take its palette and colour key.
SDL_Surface* Target(SDL_Surface* work, int w, int h) {
    const SDL_PixelFormat* format = work->format;
    SDL_Surface* target = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, format->BitsPerPixel, format->Rmask,
                                               format->Gmask, format->Bmask, format->Amask);
    if (!target) return nullptr;
    if (format->BitsPerPixel == 8) {
        std::copy(format->palette->colors, format->palette->colors + format->palette->ncolors,
                  target->format->palette->colors);
        target->format->palette->ncolors = format->palette->ncolors;
        SDL_SetColorKey(target, work->flags & SDL_SRCCOLORKEY, SurfaceColorKey(work));
        if (work->flags & SDL_SRCCOLORKEY) {
            std::memset(target->pixels, static_cast<int>(SurfaceColorKey(work) & 0xFF),
                        static_cast<size_t>(target->pitch) * h);
        }
    } else {
        SDL_SetAlpha(target, SDL_SRCALPHA, 255);
    }
    return target;
}

const Uint8* At(const SDL_Surface* surface, int x, int y) {
    return static_cast<const Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch +
           x * surface->format->BytesPerPixel;
}

Uint8* At(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch +
           x * surface->format->BytesPerPixel;
}

// value a at fraction 0, b at fraction kOne, on the straight line between.
Uint8 Mix(int a, int b, int64_t fraction) {
    return static_cast<Uint8>(a + static_cast<int>(((b - a) * fraction) >> kFractionBits));
}

// The bilinear mix of the four pixels right and below (x, y), 4 bytes each, each byte mixed
// on its own (so any channel order).
void MixFour(const SDL_Surface* source, int x, int y, int x1, int y1, int64_t fx, int64_t fy, Uint8* out) {
    const Uint8* c00 = At(source, x, y);
    const Uint8* c10 = At(source, x1, y);
    const Uint8* c01 = At(source, x, y1);
    const Uint8* c11 = At(source, x1, y1);
    for (int channel = 0; channel < 4; ++channel) {
        const Uint8 top = Mix(c00[channel], c10[channel], fx);
        const Uint8 bottom = Mix(c01[channel], c11[channel], fx);
        out[channel] = Mix(top, bottom, fy);
    }
}

// Where each of the to target pixels along one axis samples the from source pixels: the
// source pixel and the one after (the same at the edge), and the fraction between them.
struct CAxisSample {
    int myFirst;
    int mySecond;
    int64_t myFraction;
};

// Nearest sampling of 8-bit pictures takes the exact source pixel under each target pixel's
// corner; 32-bit ones step in fixed point, which may fall one pixel short where the exact
// position is a whole number.
std::vector<CAxisSample> AxisSamples(int from, int to, bool flip, bool smooth, bool exact) {
    // Smooth sampling puts the first and last target pixels on the first and last source
    // pixels and spreads the others evenly between.
    const int span = smooth ? from - 1 : from;
    const int parts = smooth ? to - 1 : to;
    const int64_t step = parts > 0 ? static_cast<int64_t>(static_cast<double>(kOne) * span / parts) : 0;
    std::vector<CAxisSample> samples(static_cast<size_t>(to));
    for (int index = 0; index < to; ++index) {
        const int64_t position = exact ? (int64_t{index} * from / to) << kFractionBits : index * step;
        int first = std::min(static_cast<int>(position >> kFractionBits), from - 1);
        int second = smooth ? std::min(first + 1, from - 1) : first;
        if (flip) {
            first = from - 1 - first;
            second = from - 1 - second;
        }
        samples[static_cast<size_t>(index)] = {first, second, smooth ? (position & (kOne - 1)) : 0};
    }
    return samples;
}

void ZoomPixels(const SDL_Surface* source, SDL_Surface* target, bool flipX, bool flipY, bool smooth) {
    const int bytes = source->format->BytesPerPixel;
    smooth = smooth && bytes == 4;
    const std::vector<CAxisSample> columns = AxisSamples(source->w, target->w, flipX, smooth, bytes == 1);
    const std::vector<CAxisSample> rows = AxisSamples(source->h, target->h, flipY, smooth, bytes == 1);
    for (int y = 0; y < target->h; ++y) {
        const CAxisSample& row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < target->w; ++x) {
            const CAxisSample& column = columns[static_cast<size_t>(x)];
            if (smooth) {
                MixFour(source, column.myFirst, row.myFirst, column.mySecond, row.mySecond, column.myFraction,
                        row.myFraction, At(target, x, y));
            } else {
                std::memcpy(At(target, x, y), At(source, column.myFirst, row.myFirst), static_cast<size_t>(bytes));
            }
        }
    }
}

// Each target pixel takes the source pixel it came from when turned back by the angle about
// the centres; bilinear sampling needs the pixel right and below inside the source too.
void RotatePixels(const SDL_Surface* source, SDL_Surface* target, double angle, bool smooth) {
    const int bytes = source->format->BytesPerPixel;
    smooth = smooth && bytes == 4;
    const double radians = angle * kPi / 180.0;
    const int64_t cosine = static_cast<int64_t>(std::cos(radians) * kOne);
    const int64_t sine = static_cast<int64_t>(std::sin(radians) * kOne);
    const int64_t halfW = target->w / 2;
    const int64_t halfH = target->h / 2;
    const int64_t sourceCentreX = int64_t{source->w} * (kOne / 2);
    const int64_t sourceCentreY = int64_t{source->h} * (kOne / 2);
    for (int y = 0; y < target->h; ++y) {
        const int64_t v = y - halfH;
        for (int x = 0; x < target->w; ++x) {
            const int64_t u = x - halfW;
            const int64_t px = cosine * u - sine * v + sourceCentreX;
            const int64_t py = sine * u + cosine * v + sourceCentreY;
            const int64_t sx = px >> kFractionBits;
            const int64_t sy = py >> kFractionBits;
            if (smooth) {
                if (sx < 0 || sy < 0 || sx >= source->w - 1 || sy >= source->h - 1) continue;
                MixFour(source, static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(sx + 1),
                        static_cast<int>(sy + 1), px & (kOne - 1), py & (kOne - 1), At(target, x, y));
            } else if (sx >= 0 && sy >= 0 && sx < source->w && sy < source->h) {
                std::memcpy(At(target, x, y), At(source, static_cast<int>(sx), static_cast<int>(sy)),
                            static_cast<size_t>(bytes));
            }
        }
    }
}

// Fills a 32-bit target with the source's key value (0 when it has none) and keys that value:
// the corners a rotation leaves uncovered stay see-through in any layout.
void KeyBackground(const SDL_Surface* work, SDL_Surface* target) {
    if (target->format->BytesPerPixel != 4) return;
    const Uint32 key = SurfaceColorKey(work);
    for (int y = 0; y < target->h; ++y) {
        for (int x = 0; x < target->w; ++x) std::memcpy(At(target, x, y), &key, 4);
    }
    SDL_SetColorKey(target, SDL_SRCCOLORKEY, key);
}

// Runs draw from source's 8- or 32-bit form into a new w by h target (null when SDL fails),
// its background keyed when asked.
template <typename Draw>
SDL_Surface* Transform(SDL_Surface* source, int w, int h, bool keyedBackground, Draw draw) {
    if (!source) return nullptr;
    bool made = false;
    SDL_Surface* work = WorkSurface(source, &made);
    if (!work) return nullptr;
    SDL_Surface* target = Target(work, w, h);
    if (target && keyedBackground) KeyBackground(work, target);
    if (target && SDL_LockSurface(work) == 0) {
        if (SDL_LockSurface(target) == 0) {
            draw(work, target);
            SDL_UnlockSurface(target);
        }
        SDL_UnlockSurface(work);
    }
    if (made) SDL_FreeSurface(work);
    return target;
}

// A factor's size, kept away from 0.
double Magnitude(double factor) { return std::max(std::fabs(factor), kSmallest); }

int ZoomedSide(int side, double factor) {
    return std::max(1, static_cast<int>(std::floor(side * Magnitude(factor) + 0.5)));
}

}  // namespace

void CRotozoom::ZoomSize(int w, int h, double zoomX, double zoomY, int* zoomedW, int* zoomedH) {
    *zoomedW = ZoomedSide(w, zoomX);
    *zoomedH = ZoomedSide(h, zoomY);
}

void CRotozoom::RotateSize(int w, int h, double angle, int* rotatedW, int* rotatedH) {
    if (std::fabs(angle) <= kSmallest) {
        *rotatedW = w;
        *rotatedH = h;
        return;
    }
    const double radians = angle * kPi / 180.0;
    const double cosine = std::fabs(std::cos(radians));
    const double sine = std::fabs(std::sin(radians));
    // Half the bounding box of the turned rectangle, rounded up, from the half sides in whole
    // pixels (an odd side loses its last half pixel, as SDL_gfx's rotation has it on Linux).
    const double halfW = std::ceil(cosine * (w / 2) + sine * (h / 2));
    const double halfH = std::ceil(sine * (w / 2) + cosine * (h / 2));
    *rotatedW = 2 * std::max(1, static_cast<int>(halfW));
    *rotatedH = 2 * std::max(1, static_cast<int>(halfH));
}

SDL_Surface* CRotozoom::Zoom(SDL_Surface* source, double zoomX, double zoomY, bool smooth) {
    if (!source) return nullptr;
    int w = 0;
    int h = 0;
    ZoomSize(source->w, source->h, zoomX, zoomY, &w, &h);
    return Transform(source, w, h, false, [&](const SDL_Surface* from, SDL_Surface* to) {
        ZoomPixels(from, to, zoomX < 0, zoomY < 0, smooth);
    });
}

SDL_Surface* CRotozoom::Rotate(SDL_Surface* source, double angle, bool smooth) {
    if (!source) return nullptr;
    int w = 0;
    int h = 0;
    RotateSize(source->w, source->h, angle, &w, &h);
    return Transform(source, w, h, true, [&](const SDL_Surface* from, SDL_Surface* to) {
        if (std::fabs(angle) <= kSmallest) {
            ZoomPixels(from, to, false, false, smooth);
        } else {
            RotatePixels(from, to, angle, smooth);
        }
    });
}

}  // namespace tarn
