// The picture decoder over stb_image, for builds without SDL_image (Windows): PNG, GIF, JPEG,
// BMP and TGA give the surfaces SDL_image gives - palette pictures stay 8-bit with their
// palette and transparent index, true colour keeps its channel order and alpha.
#ifndef TARN_GFX_SDL_CPICTUREDECODERSTB_H
#define TARN_GFX_SDL_CPICTUREDECODERSTB_H

#include <cstddef>
#include <cstdint>
#include <string>

struct SDL_Surface;

namespace tarn {

class CPictureDecoderStb {
public:
    // The decoded picture (the caller frees it), or null with the reason in SDL_GetError().
    // PNG, GIF, JPEG and BMP are told by their signature; a file without one is read as TGA
    // when type (the extension) is "tga", in any case, and refused otherwise.
    static SDL_Surface* Decode(const uint8_t* data, size_t size, const std::string& type);
    static const char* GetName() { return "stb_image"; }

private:
    static SDL_Surface* DecodePng(const uint8_t* data, size_t size);
    static SDL_Surface* DecodeGif(const uint8_t* data, size_t size);
    static SDL_Surface* DecodeJpeg(const uint8_t* data, size_t size);
    static SDL_Surface* DecodeBmp(const uint8_t* data, size_t size);
    static SDL_Surface* DecodeTga(const uint8_t* data, size_t size);
};

}  // namespace tarn

#endif
