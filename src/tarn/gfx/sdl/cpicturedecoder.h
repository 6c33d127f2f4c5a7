// Turns the bytes of a picture file into an SDL surface with the decoder chosen when the engine
// was configured: SDL_image, or stb_image where SDL_image is not available.
#ifndef TARN_GFX_SDL_CPICTUREDECODER_H
#define TARN_GFX_SDL_CPICTUREDECODER_H

#include <cstddef>
#include <cstdint>
#include <string>

struct SDL_Surface;

namespace tarn {

class CPictureDecoder {
public:
    // The decoded picture (the caller frees it), or null with the reason in SDL_GetError().
    // type is the file's extension ("png", "tga"): it guides the decoder for formats without
    // a signature. The bytes are only read.
    static SDL_Surface* Decode(const uint8_t* data, size_t size, const std::string& type);
    // "SDL_image" or "stb_image".
    static const char* GetName();
};

}  // namespace tarn

#endif
