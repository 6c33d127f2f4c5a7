// Turns the bytes of a picture file into an SDL surface with the decoder chosen when the engine
// was configured: SDL_image, or stb_image where SDL_image is not available.
#include "tarn/gfx/sdl/cpicturedecoder.h"

#if TARN_PICTURE_DECODER_STB
#include "tarn/gfx/sdl/cpicturedecoderstb.h"
#else
#include "tarn/gfx/sdl/cpicturedecodersdlimage.h"
#endif

namespace tarn {

#if TARN_PICTURE_DECODER_STB
using CChosenDecoder = CPictureDecoderStb;
#else
using CChosenDecoder = CPictureDecoderSDLImage;
#endif

SDL_Surface* CPictureDecoder::Decode(const uint8_t* data, size_t size, const std::string& type) {
    return CChosenDecoder::Decode(data, size, type);
}

const char* CPictureDecoder::GetName() { return CChosenDecoder::GetName(); }

}  // namespace tarn
