// Fuzz target for fonts and text layouts: the bytes are read as an OGF font file, then laid
// out as text (the first bytes choose the layout and the area) with a font of uneven glyphs.
// Nothing may crash or hang.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "tarn/gfx/cfont.h"
#include "tarn/gfx/ctextlayout.h"
#include "tarn/gfx/font/cogffontloader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out("fuzz_textlayout.ogf", std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    tarn::CFont loaded;
    tarn::COgfFontLoader(&loaded, "fuzz_textlayout.ogf");
    if (size < 4) return 0;

    tarn::CFont font;
    for (int c = 33; c < 256; ++c) font.SetCharRect(static_cast<unsigned char>(c), tarn::CRect(0, 0, c % 7, 9));
    font.SetLetterSpacing(data[0] % 3 - 1);
    font.SetSpaceWidth(data[1] % 5);
    font.SetLineHeight(data[1] % 11);
    font.SetLayout(data[0] % 5);
    const tarn::CRect area(-3, 2, data[2], data[3] * 4);
    const std::string text = bytes.substr(4);
    font.DrawTextInArea(nullptr, text, area);
    font.DrawString(nullptr, text, 1, 1);
    loaded.DrawTextInArea(nullptr, text, area);
    return 0;
}
