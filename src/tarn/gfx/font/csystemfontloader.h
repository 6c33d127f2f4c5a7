// Builds the fixed 8 by 15 system font from glyph data compiled into the program, so text can
// be shown before any file is read.
#ifndef TARN_GFX_FONT_CSYSTEMFONTLOADER_H
#define TARN_GFX_FONT_CSYSTEMFONTLOADER_H

#include <string>
#include <vector>

#include "tarn/gfx/font/ifontloader.h"

namespace tarn {

class CSystemFontLoader : public IFontLoader {
public:
    static const int kImageWidth = 1789;
    static const int kImageHeight = 15;
    static const int kGlyphWidth = 8;
    static const int kFirstCode = 33;
    static const int kLastCode = 254;
    static const int kFirstGlyphX = 6;

    CSystemFontLoader() = default;
    // Loads the system font into font at once (filename is ignored).
    CSystemFontLoader(CFont* font, const std::string& filename);

    std::string GetName() const override;
    // Gives font the glyph sheet and rectangles for codes 33 to 254; the filename is ignored.
    void Load(CFont* font, const std::string& filename) override;

    // The run lengths of a run-length text: each character adds its code minus 32 to the
    // current run; "~" keeps adding, any other character closes the run.
    static std::vector<int> DecodeRuns(const std::string& text);
};

}  // namespace tarn

#endif
