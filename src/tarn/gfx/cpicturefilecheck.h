// Looks at a picture file's bytes before they are decoded and names their format: only PNG,
// GIF, JPEG, BMP and TGA are accepted (the game ships PNG, GIF and JPEG; the engine writes
// BMP and TGA), recognised by their signature whatever the file is called, because for these
// the check can read the picture's size and find a file cut short. Every other format (XPM,
// TIFF, XCF, PCX, ...) is refused, as are sizes larger than the game can show (a huge picture
// takes seconds and gigabytes to decode) and files cut short, so decoders never see them.
#ifndef TARN_GFX_CPICTUREFILECHECK_H
#define TARN_GFX_CPICTUREFILECHECK_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarn {

class CPictureFileCheck {
public:
    // Widest and tallest picture accepted (so at most 16 megapixels).
    static const int kMaxSide = 4096;

    enum EFormat { FORMAT_NONE = 0, FORMAT_PNG, FORMAT_GIF, FORMAT_JPEG, FORMAT_BMP, FORMAT_TGA };

    // The format of the bytes when it is one of the five and they pass its check; only that
    // format's decoder may then read them. FORMAT_NONE otherwise, and reason (when given) says
    // why.
    static EFormat Identify(const uint8_t* data, size_t size, std::string* reason);
    // Whether Identify accepts the bytes.
    static bool IsLoadable(const uint8_t* data, size_t size, std::string* reason);
    // "PNG", "GIF", "JPEG", "BMP", "TGA"; "" for FORMAT_NONE.
    static const char* GetName(EFormat format);

private:
    static bool CheckPng(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckGif(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckJpeg(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckBmp(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckTga(const uint8_t* data, size_t size, std::string* reason);
};

}  // namespace tarn

#endif
