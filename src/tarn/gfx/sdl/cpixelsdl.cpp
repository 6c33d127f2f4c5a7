// An image over an SDL 1.2 surface, seen through a view rectangle. Loaded surfaces are shared
// through the texture manager; every surface an image drops goes through its release.
#include "tarn/gfx/sdl/cpixelsdl.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "tarn/gfx/blitclip.h"
#include "tarn/gfx/cgfxsettings.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/gfxcast.h"
#include "tarn/gfx/sdl/crawblitscope.h"
#include "tarn/gfx/sdl/csdlsurfacecreator.h"
#include "tarn/gfx/sdl/csurfacezoom.h"
#include "tarn/gfx/sdl/ctgawriter.h"
#include "tarn/gfx/sdl/surfacecompat.h"

namespace tarn {

namespace {

void FreeSdlSurface(SDL_Surface* surface) { SDL_FreeSurface(surface); }

// Surfaces dropped by images are freed by SDL.
struct CSurfaceFreerRegistrar {
    CSurfaceFreerRegistrar() { CTextureManager::SetSurfaceFreer(&FreeSdlSurface); }
} theSurfaceFreerRegistrar;

// Locks a surface for direct pixel access while alive (when SDL requires it).
class CSurfaceLock {
public:
    explicit CSurfaceLock(SDL_Surface* surface) : mySurface(surface), myLocked(false) {
        if (!SDL_MUSTLOCK(mySurface)) {
            myLocked = true;
        } else if (SDL_LockSurface(mySurface) == 0) {
            myLocked = true;
            myMustUnlock = true;
        }
    }
    ~CSurfaceLock() {
        if (myMustUnlock) SDL_UnlockSurface(mySurface);
    }
    CSurfaceLock(const CSurfaceLock&) = delete;
    CSurfaceLock& operator=(const CSurfaceLock&) = delete;
    bool IsLocked() const { return myLocked; }

private:
    SDL_Surface* mySurface;
    bool myLocked;
    bool myMustUnlock = false;
};

Uint8* PixelAddress(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch +
           static_cast<ptrdiff_t>(x) * surface->format->BytesPerPixel;
}

Uint32 ReadRaw(const Uint8* at, int bytes) {
    switch (bytes) {
        case 1: return *at;
        case 2: {
            Uint16 value;
            std::memcpy(&value, at, 2);
            return value;
        }
        case 3:
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
            return (at[0] << 16) | (at[1] << 8) | at[2];
#else
            return at[0] | (at[1] << 8) | (at[2] << 16);
#endif
        default: {
            Uint32 value;
            std::memcpy(&value, at, 4);
            return value;
        }
    }
}

void WriteRaw(Uint8* at, int bytes, Uint32 value) {
    switch (bytes) {
        case 1: *at = static_cast<Uint8>(value); break;
        case 2: {
            const Uint16 narrow = static_cast<Uint16>(value);
            std::memcpy(at, &narrow, 2);
            break;
        }
        case 3:
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
            at[0] = static_cast<Uint8>(value >> 16);
            at[1] = static_cast<Uint8>(value >> 8);
            at[2] = static_cast<Uint8>(value);
#else
            at[0] = static_cast<Uint8>(value);
            at[1] = static_cast<Uint8>(value >> 8);
            at[2] = static_cast<Uint8>(value >> 16);
#endif
            break;
        default: std::memcpy(at, &value, 4); break;
    }
}

// old + ((new - old) * alpha >> 8), the shift rounding toward minus infinity.
int BlendChannel(int oldValue, int newValue, int alpha) {
    const int scaled = (newValue - oldValue) * alpha;
    return oldValue + (scaled >= 0 ? scaled >> 8 : -((-scaled + 255) >> 8));
}

Uint32 BlendMasked(Uint32 oldRaw, Uint32 newRaw, Uint32 mask, Uint8 shift, int alpha) {
    if (!mask) return 0;
    const int oldValue = static_cast<int>((oldRaw & mask) >> shift);
    const int newValue = static_cast<int>((newRaw & mask) >> shift);
    return (static_cast<Uint32>(BlendChannel(oldValue, newValue, alpha)) << shift) & mask;
}

// The pixel oldRaw with color blended in at the colour's alpha, in surface's format.
Uint32 BlendPixel(const SDL_PixelFormat* format, Uint32 oldRaw, const CColor& color) {
    const int alpha = color.a;
    switch (format->BytesPerPixel) {
        case 1: {
            Uint8 r, g, b;
            SDL_GetRGB(oldRaw, const_cast<SDL_PixelFormat*>(format), &r, &g, &b);
            return SDL_MapRGB(const_cast<SDL_PixelFormat*>(format), static_cast<Uint8>(BlendChannel(r, color.r, alpha)),
                              static_cast<Uint8>(BlendChannel(g, color.g, alpha)),
                              static_cast<Uint8>(BlendChannel(b, color.b, alpha)));
        }
        case 3: {
            const Uint32 newRaw = SDL_MapRGB(const_cast<SDL_PixelFormat*>(format), color.r, color.g, color.b);
            Uint32 result = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                result |= BlendMasked(oldRaw, newRaw, 0xFFu << shift, static_cast<Uint8>(shift), alpha);
            }
            return result;
        }
        default: {
            const Uint32 newRaw =
                SDL_MapRGBA(const_cast<SDL_PixelFormat*>(format), color.r, color.g, color.b, color.a);
            return BlendMasked(oldRaw, newRaw, format->Rmask, format->Rshift, alpha) |
                   BlendMasked(oldRaw, newRaw, format->Gmask, format->Gshift, alpha) |
                   BlendMasked(oldRaw, newRaw, format->Bmask, format->Bshift, alpha) |
                   BlendMasked(oldRaw, newRaw, format->Amask, format->Ashift, alpha);
        }
    }
}

CRect WholeSurface(const SDL_Surface* surface) { return surface ? CRect(0, 0, surface->w, surface->h) : CRect(); }

// A new surface of the same format as source, w by h (palette and keys included).
SDL_Surface* CreateLike(SDL_Surface* source, int w, int h) {
    const SDL_PixelFormat* format = source->format;
    SDL_Surface* made = SDL_CreateRGBSurface(source->flags & (SDL_SWSURFACE | SDL_HWSURFACE), w, h,
                                             format->BitsPerPixel, format->Rmask, format->Gmask, format->Bmask,
                                             format->Amask);
    if (!made) return nullptr;
    if (format->palette && made->format->palette) {
        SDL_SetColors(made, format->palette->colors, 0, format->palette->ncolors);
    }
    if (source->flags & SDL_SRCCOLORKEY) SDL_SetColorKey(made, SDL_SRCCOLORKEY, SurfaceColorKey(source));
    if (source->flags & SDL_SRCALPHA) SDL_SetAlpha(made, SDL_SRCALPHA, SurfaceAlpha(source));
    return made;
}

}  // namespace

CPixelSDL::CPixelSDL(SDL_Surface* surface, const std::string& name)
    : mySurface(surface),
      mySubImage(surface),
      myCopyAlpha(false),
      myViewRect(WholeSurface(surface)),
      mySurfaceRect(WholeSurface(surface)),
      myName(name) {}

CPixelSDL::~CPixelSDL() {
    FreeSubImage();
    CTextureManager::GetSingleton()->Release(mySurface);
}

void CPixelSDL::FreeSubImage() {
    if (mySubImage && mySubImage != mySurface) SDL_FreeSurface(mySubImage);
    mySubImage = mySurface;
    mySubImageRect = CRect();
}

void CPixelSDL::DetachSurface() {
    FreeSubImage();
    mySurface = nullptr;
    mySubImage = nullptr;
    mySurfaceRect = CRect();
}

bool CPixelSDL::IsAccessible(long long x, long long y) const {
    const bool inView = myViewRect.x <= x && x <= myViewRect.Right() && myViewRect.y <= y && y <= myViewRect.Bottom();
    const bool inSurface = 0 <= x && x < mySurfaceRect.w && 0 <= y && y < mySurfaceRect.h;
    return inView && inSurface;
}

void CPixelSDL::PutPixel(int x, int y, const CColor& color) {
    if (!mySurface) return;
    const long long ax = static_cast<long long>(x) + myViewRect.x;
    const long long ay = static_cast<long long>(y) + myViewRect.y;
    if (!IsAccessible(ax, ay)) return;
    CSurfaceLock lock(mySurface);
    if (!lock.IsLocked()) return;
    SDL_PixelFormat* format = mySurface->format;
    Uint8* at = PixelAddress(mySurface, static_cast<int>(ax), static_cast<int>(ay));
    Uint32 value = 0;
    if (color.a == 255) {
        value = SDL_MapRGB(format, color.r, color.g, color.b);
    } else {
        value = BlendPixel(format, ReadRaw(at, format->BytesPerPixel), color);
    }
#if defined(__EMSCRIPTEN__)
    // An image without alpha of its own stays opaque on the browser's canvas, as with SDL.
    if (!myCopyAlpha) value |= format->Amask;
#endif
    WriteRaw(at, format->BytesPerPixel, value);
}

CColor CPixelSDL::GetPixel(int x, int y) const {
    if (!mySurface) return CColor(0, 0, 0, 255);
    const long long ax = static_cast<long long>(x) + myViewRect.x;
    const long long ay = static_cast<long long>(y) + myViewRect.y;
    if (!IsAccessible(ax, ay)) return CColor(0, 0, 0, 255);
    CSurfaceLock lock(mySurface);
    if (!lock.IsLocked()) return CColor(0, 0, 0, 255);
    const Uint32 raw = ReadRaw(PixelAddress(mySurface, static_cast<int>(ax), static_cast<int>(ay)),
                               mySurface->format->BytesPerPixel);
    Uint8 r, g, b, a;
    SDL_GetRGBA(raw, mySurface->format, &r, &g, &b, &a);
    return CColor(r, g, b, a);
}

void CPixelSDL::ClearRect(const CRect& rect) {
    if (!mySurface || mySurface->format->BytesPerPixel != 4) return;
    const long long x = static_cast<long long>(rect.x) + myViewRect.x;
    const long long y = static_cast<long long>(rect.y) + myViewRect.y;
    if (x > mySurfaceRect.w || y > mySurfaceRect.h || x + rect.w < 0 || y + rect.h < 0) return;
    const CRect moved(static_cast<int>(x), static_cast<int>(y), rect.w, rect.h);
    const CRect area = moved.Clip(myViewRect).Clip(mySurfaceRect);
    if (!area.HasArea()) return;
    CSurfaceLock lock(mySurface);
    if (!lock.IsLocked()) return;
#if defined(__EMSCRIPTEN__)
    // The browser's canvases blend by alpha always: an image without alpha of its own clears
    // to opaque black, as it does with SDL.
    const Uint32 cleared = myCopyAlpha ? 0u : 0xFF000000u;
    for (int row = area.y; row < area.y + area.h; ++row) {
        std::fill_n(reinterpret_cast<Uint32*>(PixelAddress(mySurface, area.x, row)), area.w, cleared);
    }
#else
    for (int row = area.y; row < area.y + area.h; ++row) {
        std::memset(PixelAddress(mySurface, area.x, row), 0, static_cast<size_t>(area.w) * 4);
    }
#endif
}

IPixel* CPixelSDL::WrapDerived(SDL_Surface* surface) {
    if (!surface) return GetNullImage();
    SDL_Surface* source = GetSurface();
    if (source && (source->flags & SDL_SRCCOLORKEY) && surface->format->BytesPerPixel != 1) {
        Uint8 r, g, b;
        SDL_GetRGB(SurfaceColorKey(source), source->format, &r, &g, &b);
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, r, g, b));
    }
    CPixelSDL* image = new CPixelSDL(surface, std::string());
    image->myCopyAlpha = myCopyAlpha;
    return image;
}

IPixel* CPixelSDL::Scale(int w, int h) {
    if (!IsSurfaceSize(w, h)) return GetNullImage();
    SDL_Surface* source = GetSurface();
    if (!source) return GetNullImage();
    const double zoomX = static_cast<double>(w) / source->w;
    const double zoomY = static_cast<double>(h) / source->h;
    return WrapDerived(CSurfaceZoom::Zoom(source, zoomX, zoomY, GetGfxSettings().myScaleSmoothing != 0));
}

IPixel* CPixelSDL::Rotate(double angle) {
    if (!std::isfinite(angle)) return GetNullImage();
    SDL_Surface* source = GetSurface();
    if (!source) return GetNullImage();
    return WrapDerived(CSurfaceZoom::Rotate(source, std::fmod(angle, 360.0), GetGfxSettings().myRotateSmoothing != 0));
}

void CPixelSDL::SetAlpha(int alpha) {
    if (mySurface) SDL_SetAlpha(mySurface, SDL_SRCALPHA, static_cast<Uint8>(std::clamp(alpha, 0, 255)));
}

IPixel* CPixelSDL::CreateBlankCopy() {
    if (!mySurface) return GetNullImage();
    SDL_Surface* made = CreateLike(mySurface, mySurface->w, mySurface->h);
    if (!made) return GetNullImage();
    CPixelSDL* image = new CPixelSDL(made, std::string());
    image->SetRect(myViewRect);
    return image;
}

CRect CPixelSDL::ClipRect(const CRect& rect) const {
    const long long x = static_cast<long long>(rect.x) + myViewRect.x;
    const long long y = static_cast<long long>(rect.y) + myViewRect.y;
    // Beyond the 32-bit range nothing can be drawn anyway; such rectangles come back empty.
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return CRect();
    return CRect(static_cast<int>(x), static_cast<int>(y),
                 static_cast<int>(std::max<long long>(INT32_MIN, std::min<long long>(rect.w, myViewRect.Right() - x))),
                 static_cast<int>(std::max<long long>(INT32_MIN, std::min<long long>(rect.h, myViewRect.Bottom() - y))));
}

bool CPixelSDL::RawCopy(SDL_Surface* source, const CRect& src, SDL_Surface* target, const CRect& dst,
                        std::uint32_t opaqueBits) {
    if (!source || !target || source->format->BytesPerPixel != 4 || target->format->BytesPerPixel != 4) return false;
    CRect from = src;
    CRect to = dst;
    if (!ClipBlit(WholeSurface(source), from, WholeSurface(target), to)) return true;
    CSurfaceLock sourceLock(source);
    CSurfaceLock targetLock(target);
    if (!sourceLock.IsLocked() || !targetLock.IsLocked()) return false;
    const size_t rowBytes = static_cast<size_t>(from.w) * 4;
    for (int row = 0; row < from.h; ++row) {
        Uint8* line = PixelAddress(target, to.x, to.y + row);
        std::memmove(line, PixelAddress(source, from.x, from.y + row), rowBytes);
        if (!opaqueBits) continue;
        Uint32* pixels = reinterpret_cast<Uint32*>(line);
        for (int x = 0; x < from.w; ++x) pixels[x] |= opaqueBits;
    }
    return true;
}

bool CPixelSDL::CopyTo(CPixelSDL* target, CRect src, CRect dst) {
    if (!target || !mySurface || !target->mySurface) return false;
#if defined(__EMSCRIPTEN__)
    // The browser's canvases blend by alpha always: a target without alpha of its own stays
    // opaque, as it does with SDL.
    if (myCopyAlpha) return RawCopy(mySurface, src, target->mySurface, dst, target->myCopyAlpha ? 0 : target->mySurface->format->Amask);
#else
    if (myCopyAlpha) return RawCopy(mySurface, src, target->mySurface, dst);
#endif
    if (!ClipBlit(mySurfaceRect, src, target->mySurfaceRect, dst)) return true;
    SDL_Rect from = {static_cast<Sint16>(src.x), static_cast<Sint16>(src.y), static_cast<Uint16>(src.w),
                     static_cast<Uint16>(src.h)};
    SDL_Rect to = {static_cast<Sint16>(dst.x), static_cast<Sint16>(dst.y), 0, 0};
    return SDL_UpperBlit(mySurface, &from, target->mySurface, &to) == 0;
}

bool CPixelSDL::BlitTo(IPixel* target, const CRect& srcRect, const CRect& dstRect) {
    CPixelSDL* sdlTarget = GfxCast<CPixelSDL>(target);
    if (!sdlTarget) return false;
    return CopyTo(sdlTarget, ClipRect(srcRect), sdlTarget->ClipRect(dstRect));
}

bool CPixelSDL::Blit(IPixel* target) {
    CPixelSDL* sdlTarget = GfxCast<CPixelSDL>(target);
    if (!sdlTarget) return false;
    const CRect whole(0, 0, GetWidth(), GetHeight());
    return CopyTo(sdlTarget, ClipRect(whole), sdlTarget->ClipRect(whole));
}

void CPixelSDL::SetOption(int option, int value) {
    switch (option) {
        case PIXEL_OPTION_COPY_ALPHA: myCopyAlpha = value != 0; break;
        case PIXEL_OPTION_SCALE_SMOOTHING: GetGfxSettings().myScaleSmoothing = value; break;
        case PIXEL_OPTION_ROTATE_SMOOTHING: GetGfxSettings().myRotateSmoothing = value; break;
        default: break;
    }
}

bool CPixelSDL::Save(const std::string& filename) {
    SDL_Surface* surface = GetSurface();
    if (!surface) return false;
    if (filename.size() >= 3 && filename.compare(filename.size() - 3, 3, "tga") == 0) {
        return CTgaWriter::Save(surface, filename) == 0;
    }
    SDL_RWops* rw = SDL_RWFromFile(filename.c_str(), "wb");
    if (!rw) return false;
    // SDL converts through a blit; without this, keyed pixels would come out black and
    // translucent ones darkened.
    CRawBlitScope raw(surface);
    return SDL_SaveBMP_RW(surface, rw, 1) == 0;
}

SDL_Surface* CPixelSDL::GetSurface() {
    if (!mySurface) return nullptr;
    if (!IsSubImage()) {
        FreeSubImage();
        return mySurface;
    }
    const CRect area = myViewRect.Clip(mySurfaceRect);
    if (!area.HasArea()) {
        FreeSubImage();
        return nullptr;
    }
    if (mySubImage != mySurface && mySubImageRect == area) return mySubImage;
    FreeSubImage();
    SDL_Surface* copy = CreateLike(mySurface, area.w, area.h);
    if (!copy) return nullptr;
    {
        CSurfaceLock sourceLock(mySurface);
        CSurfaceLock copyLock(copy);
        if (!sourceLock.IsLocked() || !copyLock.IsLocked()) {
            SDL_FreeSurface(copy);
            return nullptr;
        }
        const size_t rowBytes = static_cast<size_t>(area.w) * mySurface->format->BytesPerPixel;
        for (int row = 0; row < area.h; ++row) {
            std::memcpy(PixelAddress(copy, 0, row), PixelAddress(mySurface, area.x, area.y + row), rowBytes);
        }
    }
    mySubImage = copy;
    mySubImageRect = area;
    return mySubImage;
}

void CPixelSDL::SetSurface(SDL_Surface* surface, bool releaseOld) {
    FreeSubImage();
    if (releaseOld && surface != mySurface) CTextureManager::GetSingleton()->Release(mySurface);
    mySurface = surface;
    mySubImage = surface;
    mySurfaceRect = WholeSurface(surface);
    myViewRect = mySurfaceRect;
}

}  // namespace tarn
