// Looks at a picture file's bytes before they are decoded: files cut short and sizes larger
// than the game can show are refused, so decoders never see them (a huge picture takes
// seconds and gigabytes to decode). Knows PNG, GIF, JPEG, BMP and TGA; other formats are left
// to the decoder.
#ifndef TARN_GFX_CPICTUREFILECHECK_H
#define TARN_GFX_CPICTUREFILECHECK_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

class CPictureFileCheck {
public:
    // Widest and tallest picture accepted (so at most 16 megapixels).
    static const int kMaxSide = 4096;

    // True when the bytes of filename may be handed to the decoder. reason (when given) says
    // why not.
    static bool IsLoadable(const uint8_t* data, size_t size, const std::string& filename, std::string* reason);
    // Reads the whole file into bytes (appending); false when it cannot be opened or read
    // (a directory, for one). Nothing is thrown.
    static bool ReadFile(const std::string& filename, std::vector<uint8_t>& bytes);

private:
    static bool CheckPng(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckGif(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckJpeg(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckBmp(const uint8_t* data, size_t size, std::string* reason);
    static bool CheckTga(const uint8_t* data, size_t size, std::string* reason);
};

}  // namespace tarn

#endif
