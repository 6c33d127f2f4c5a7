// The SDL image factory: loads picture files with SDL_image into surfaces shared through the
// texture manager, and creates blank images in the screen's pixel layout.
#include "tarn/gfx/sdl/cgfxfactorysdl.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <vector>

#include "tarn/gfx/cpicturefilecheck.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cpixelsdl.h"

namespace tarn {

namespace {

void SetColorKey(SDL_Surface* surface, const CColor& colorKey) {
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, colorKey.r, colorKey.g, colorKey.b));
}

}  // namespace

SDL_Surface* CGfxFactorySDL::ReadPicture(const std::string& filename) {
    CTextureManager* textures = CTextureManager::GetSingleton();
    std::vector<uint8_t> bytes;
    if (!CPictureFileCheck::ReadFile(filename, bytes)) {
        textures->ReportUnloadable(filename, "the file is missing or cannot be read");
        return nullptr;
    }
    std::string reason;
    if (!CPictureFileCheck::IsLoadable(bytes.data(), bytes.size(), filename, &reason)) {
        textures->ReportUnloadable(filename, reason);
        return nullptr;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw) return nullptr;
    // The extension guides SDL_image for formats without a signature (TGA), as IMG_Load does.
    const std::string::size_type dot = filename.rfind('.');
    const std::string type = dot == std::string::npos ? std::string() : filename.substr(dot + 1);
    SDL_Surface* surface = IMG_LoadTyped_RW(rw, 1, const_cast<char*>(type.c_str()));
    if (!surface) textures->ReportUnloadable(filename, IMG_GetError());
    return surface;
}

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
    SetColorKey(surface, colorKey);
    return new CPixelSDL(surface, std::string());
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
        surface = ToDisplayFormat(loaded, loaded->format->alpha != 0);
        textures->AddNew(filename, surface, false);
    }
    if (!surface) return GetNullImage();
    SetColorKey(surface, colorKey);
    return new CPixelSDL(surface, filename);
}

void CGfxFactorySDL::ReleaseImage(IPixel* image) {
    if (image && !image->IsNullImage()) delete image;
}

}  // namespace tarn
