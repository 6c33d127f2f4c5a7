// The picture decoder over SDL_image, the one used wherever SDL_image is installed.
#ifndef TARN_GFX_SDL_CPICTUREDECODERSDLIMAGE_H
#define TARN_GFX_SDL_CPICTUREDECODERSDLIMAGE_H

#include <cstddef>
#include <cstdint>
#include <string>

struct SDL_Surface;

namespace tarn {

class CPictureDecoderSDLImage {
public:
    // The decoded picture (the caller frees it), or null with SDL_image's reason in
    // SDL_GetError(). type (the extension) guides SDL_image for TGA, which has no signature.
    static SDL_Surface* Decode(const uint8_t* data, size_t size, const std::string& type);
    static const char* GetName() { return "SDL_image"; }
};

}  // namespace tarn

#endif
