// Fuzz target for the picture file check that guards the image decoders: any bytes must be
// judged, and their format named, without reading outside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tarn/gfx/cpicturefilecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A private copy, so reads past the end are caught even for inputs inside a larger buffer.
    const std::vector<uint8_t> bytes(data, data + size);
    const tarn::CPictureFileCheck::EFormat format =
        tarn::CPictureFileCheck::Identify(bytes.empty() ? nullptr : bytes.data(), bytes.size(), nullptr);
    if ((format == tarn::CPictureFileCheck::FORMAT_NONE) != (*tarn::CPictureFileCheck::GetName(format) == '\0'))
        std::abort();
    return 0;
}
