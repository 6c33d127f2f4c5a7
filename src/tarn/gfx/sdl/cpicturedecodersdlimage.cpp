// The picture decoder over SDL_image, the one used wherever SDL_image is installed.
#include "tarn/gfx/sdl/cpicturedecodersdlimage.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>

namespace tarn {

SDL_Surface* CPictureDecoderSDLImage::Decode(const uint8_t* data, size_t size, const std::string& type) {
    if (size > static_cast<size_t>(INT_MAX)) {
        SDL_SetError("The picture is too large");
        return nullptr;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw) return nullptr;
    return IMG_LoadTyped_RW(rw, 1, const_cast<char*>(type.c_str()));
}

}  // namespace tarn
