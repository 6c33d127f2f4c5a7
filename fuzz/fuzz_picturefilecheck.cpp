// Fuzz target for the picture file check that guards the image decoders: any bytes, under
// each name kind that changes the check, must be judged without reading outside them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tarn/gfx/cpicturefilecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A private copy, so reads past the end are caught even for inputs inside a larger buffer.
    const std::vector<uint8_t> bytes(data, data + size);
    for (const char* name : {"picture.png", "picture.tga"}) {
        tarn::CPictureFileCheck::IsLoadable(bytes.empty() ? nullptr : bytes.data(), bytes.size(), name, nullptr);
    }
    return 0;
}
