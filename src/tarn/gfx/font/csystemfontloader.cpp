// Builds the fixed 8 by 15 system font from glyph data compiled into the program, so text can
// be shown before any file is read.
#include "tarn/gfx/font/csystemfontloader.h"

#include "tarn/gfx/font/systemfontdata.h"
#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace tarn {

CSystemFontLoader::CSystemFontLoader(CFont* font, const std::string& filename) { Load(font, filename); }

std::string CSystemFontLoader::GetName() const { return "system"; }

std::vector<int> CSystemFontLoader::DecodeRuns(const std::string& text) {
    std::vector<int> runs;
    int run = 0;
    for (char c : text) {
        run += static_cast<unsigned char>(c) - 32;
        if (c == '~') continue;
        runs.push_back(run);
        run = 0;
    }
    return runs;
}

void CSystemFontLoader::Load(CFont* font, const std::string&) {
    IPixel* image = CreateImageAlpha(kImageWidth, kImageHeight);
    if (!image || image->IsEmpty()) {
        ReleaseImage(image);
        return;
    }
    image->ClearRect(CRect(0, 0, kImageWidth, kImageHeight));
    const std::vector<int> runs = DecodeRuns(kSystemFontRuns);
    const CColor white(255, 255, 255, 255);
    size_t next = 0;
    int left = runs.empty() ? 0 : runs[next++];
    bool opaque = false;
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            // Each run covers exactly its length; a run of 0 only toggles the colour.
            while (left <= 0 && next < runs.size()) {
                left = runs[next++];
                opaque = !opaque;
            }
            --left;
            if (opaque) image->PutPixel(x, y, white);
        }
    }
    font->SetImage(image);
    for (int code = 0; code < CFont::kCharCount; ++code) {
        const bool glyph = code >= kFirstCode && code <= kLastCode;
        font->SetCharRect(static_cast<unsigned char>(code),
                          glyph ? CRect(kFirstGlyphX + kGlyphWidth * (code - kFirstCode), 0, kGlyphWidth, kImageHeight)
                                : CRect());
    }
    font->SetLetterSpacing(0);
    font->SetLineHeight(kImageHeight);
    font->SetSpaceWidth(kGlyphWidth);
}

}  // namespace tarn
