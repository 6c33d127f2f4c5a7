// The SDL image factory: loads picture files through the configured decoder into surfaces
// shared through the texture manager, and creates blank images in the screen's pixel layout.
#include "tarn/gfx/sdl/cgfxfactorysdl.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "tarn/gfx/cpicturefilecheck.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cpicturedecoder.h"
#include "tarn/gfx/sdl/cpixelsdl.h"
#include "tarn/io/regularfile.h"
#include "tarn/gfx/sdl/surfacecompat.h"

namespace tarn {

namespace {

// The decoder's name of a checked format.
const char* DecoderType(CPictureFileCheck::EFormat format) {
    switch (format) {
        case CPictureFileCheck::FORMAT_PNG: return "PNG";
        case CPictureFileCheck::FORMAT_GIF: return "GIF";
        case CPictureFileCheck::FORMAT_JPEG: return "JPG";
        case CPictureFileCheck::FORMAT_BMP: return "BMP";
        default: return "TGA";
    }
}

void SetColorKey(SDL_Surface* surface, const CColor& colorKey) {
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, colorKey.r, colorKey.g, colorKey.b));
}

Uint32 ReadPixel(const Uint8* at, int bytes) {
    switch (bytes) {
        case 1: return *at;
        case 2: return *reinterpret_cast<const Uint16*>(at);
        case 3: return SDL_BYTEORDER == SDL_LIL_ENDIAN ? (at[0] | at[1] << 8 | at[2] << 16)
                                                        : (at[2] | at[1] << 8 | at[0] << 16);
        default: return *reinterpret_cast<const Uint32*>(at);
    }
}

// Whether some pixel has the key colour, compared as SDL's colour-keyed blits compare it
// (alpha bits left out). Unknown (true) when the pixels cannot be read.
bool HasKeyedPixel(SDL_Surface* surface, Uint32 key) {
    const SDL_PixelFormat* format = surface->format;
    const Uint32 mask = ~format->Amask;
    key &= mask;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return true;
    bool found = false;
    const int bytes = format->BytesPerPixel;
    for (int row = 0; row < surface->h && !found; ++row) {
        const Uint8* at = static_cast<const Uint8*>(surface->pixels) + row * surface->pitch;
        for (int column = 0; column < surface->w; ++column, at += bytes) {
            if ((ReadPixel(at, bytes) & mask) == key) {
                found = true;
                break;
            }
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return found;
}

// A true-colour picture without alpha channel, colour key or key-coloured pixel: drawing it
// with or without an alpha channel gives the same pixels, and without is a plain copy.
bool IsOpaquePicture(SDL_Surface* surface, const CColor& colorKey) {
    const SDL_PixelFormat* format = surface->format;
    if (format->BytesPerPixel < 3 || format->Amask != 0 || (surface->flags & SDL_SRCCOLORKEY)) return false;
    return !HasKeyedPixel(surface, SDL_MapRGB(surface->format, colorKey.r, colorKey.g, colorKey.b));
}

// Keys the surface only when some pixel has the key colour: a key nothing matches changes no
// picture but makes every blit of it a keyed one.
void SetColorKeyIfUsed(SDL_Surface* surface, const CColor& colorKey) {
    const Uint32 key = SDL_MapRGB(surface->format, colorKey.r, colorKey.g, colorKey.b);
    if (HasKeyedPixel(surface, key)) {
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
    } else {
        SDL_SetColorKey(surface, 0, 0);
    }
}

}  // namespace

SDL_Surface* CGfxFactorySDL::ReadPicture(const std::string& filename) {
    CTextureManager* textures = CTextureManager::GetSingleton();
    std::string bytes;
    std::string reason;
    if (!ReadRegularFile(filename, CFileLimits::kPicture, bytes, &reason)) {
        textures->ReportUnloadable(filename, reason);
        return nullptr;
    }
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const CPictureFileCheck::EFormat format = CPictureFileCheck::Identify(data, bytes.size(), &reason);
    if (format == CPictureFileCheck::FORMAT_NONE) {
        textures->ReportUnloadable(filename, reason);
        return nullptr;
    }
    // Only the decoder of the format that was checked reads the bytes: a decoder's own choice
    // would go by signatures of formats never checked and by the name's extension.
    SDL_Surface* surface = CPictureDecoder::Decode(data, bytes.size(), DecoderType(format));
    if (!surface) textures->ReportUnloadable(filename, SDL_GetError());
    return surface;
}

namespace {

// A new surface without alpha is black with SDL; the browser's canvas starts out transparent.
void StartOpaque(SDL_Surface* surface) {
#if defined(__EMSCRIPTEN__)
    if (surface->format->BytesPerPixel != 4 || SDL_LockSurface(surface) != 0) return;
    for (int row = 0; row < surface->h; ++row) {
        std::fill_n(reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + row * surface->pitch), surface->w,
                    surface->format->Amask);
    }
    SDL_UnlockSurface(surface);
#else
    (void)surface;
#endif
}

}  // namespace

SDL_Surface* CGfxFactorySDL::ToDisplayFormat(SDL_Surface* surface, bool withAlpha) {
    if (!surface || !SDL_GetVideoSurface()) return surface;
    SDL_Surface* converted = withAlpha ? SDL_DisplayFormatAlpha(surface) : SDL_DisplayFormat(surface);
    if (!converted) return surface;
    SDL_FreeSurface(surface);
    return converted;
}

IPixel* CGfxFactorySDL::CreateImage(int w, int h, const CColor& colorKey) {
    SDL_Surface* surface = ToDisplayFormat(myCreator.Create(w, h, false), false);
    if (!surface) return GetNullImage();
    StartOpaque(surface);
    SetColorKey(surface, colorKey);
    return new CPixelSDL(surface, std::string());
}

IPixel* CGfxFactorySDL::CreateOpaqueImage(int w, int h) {
    SDL_Surface* surface = ToDisplayFormat(myCreator.Create(w, h, false), false);
    if (!surface) return GetNullImage();
    StartOpaque(surface);
    SDL_SetColorKey(surface, 0, 0);
    return new CPixelSDL(surface, std::string());
}

bool CGfxFactorySDL::IsOpaque(IPixel* image) const {
    SDL_Surface* surface = image ? image->GetRawSurface() : nullptr;
    if (!surface) return false;
    const SDL_PixelFormat* format = surface->format;
    return format->BytesPerPixel == 4 && format->Amask == 0 && !(surface->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA));
}

IPixel* CGfxFactorySDL::CreateImageAlpha(int w, int h) {
    SDL_Surface* surface = ToDisplayFormat(myCreator.Create(w, h, true), true);
    if (!surface) return GetNullImage();
    if (surface->format->BytesPerPixel == 4 && (!SDL_MUSTLOCK(surface) || SDL_LockSurface(surface) == 0)) {
        for (int row = 0; row < surface->h; ++row) {
            std::memset(static_cast<Uint8*>(surface->pixels) + row * surface->pitch, 0,
                        static_cast<size_t>(surface->w) * 4);
        }
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    }
    CPixelSDL* image = new CPixelSDL(surface, std::string());
    image->SetOption(PIXEL_OPTION_COPY_ALPHA, 1);
    return image;
}

IPixel* CGfxFactorySDL::LoadImage(const std::string& filename, const CColor& colorKey) {
    CTextureManager* textures = CTextureManager::GetSingleton();
    SDL_Surface* surface = nullptr;
    if (textures->Exists(filename)) {
        surface = textures->GetPointer(filename);
    } else {
        SDL_Surface* loaded = ReadPicture(filename);
        if (!loaded) return GetNullImage();
        surface = ToDisplayFormat(loaded, SurfaceAlpha(loaded) != 0 && !IsOpaquePicture(loaded, colorKey));
        textures->AddNew(filename, surface, false);
    }
    if (!surface) return GetNullImage();
    SetColorKeyIfUsed(surface, colorKey);
    return new CPixelSDL(surface, filename);
}

void CGfxFactorySDL::ReleaseImage(IPixel* image) {
    if (image && !image->IsNullImage()) delete image;
}

}  // namespace tarn
