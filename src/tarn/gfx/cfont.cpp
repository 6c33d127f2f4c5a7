// A bitmap font: one glyph image and a rectangle per character code. Draws characters,
// strings and (through a text layout) word-wrapped, aligned text into any image.
#include "tarn/gfx/cfont.h"

#include "tarn/gfx/ctextlayout.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

namespace {
const int kGridCells = 16;
const int kGridCellSize = 16;
}  // namespace

CFont::CFont() : myImage(nullptr), myLineHeight(0), myLetterSpacing(0), mySpaceWidth(0) {}

CFont::CFont(const std::string& widthFile, const std::string& imageFile) : CFont() {
    LoadFixedGrid(widthFile, imageFile);
}

CFont::~CFont() { ReleaseImage(myImage); }

void CFont::LoadFixedGrid(const std::string& widthFile, const std::string& imageFile) {
    SetImage(LoadImage(imageFile));
    SetLayout(TEXT_LAYOUT_LEFT);
    myLineHeight = kGridCellSize;
    myLetterSpacing = 0;
    // One width byte per character code; a file that is not a regular one of at most 1 MB is
    // refused (and logged) before reading.
    std::string widths;
    if (!ReadRegularFile(widthFile, CFileLimits::kText, widths) || widths.size() < kCharCount) {
        *CLogger::GetSingleton() << "Could not read the width table: " << widthFile << "\n";
        return;
    }
    for (int i = 0; i < kCharCount; ++i) {
        const int width = static_cast<unsigned char>(widths[i]) + 1;
        myCharPositions[i] = CRect((i % kGridCells) * kGridCellSize, (i / kGridCells) * kGridCellSize, width,
                                   kGridCellSize);
    }
    constexpr int kSpace = ' ';
    mySpaceWidth = myCharPositions[kSpace].w;
}

CTextPos CFont::DrawText(IPixel* image, const std::string& text, const CRect& area, const CTextPos& start) {
    if (myLayout) return myLayout->DrawText(this, image, text, area);
    return DrawString(image, text, start.x, start.y);
}

CTextPos CFont::DrawTextInArea(IPixel* image, const std::string& text, const CRect& area) {
    return DrawText(image, text, area, CTextPos(area.x, area.y));
}

CTextPos CFont::DrawString(IPixel* image, const std::string& text, int x, int y) {
    if (text.empty()) return CTextPos();
    int offset = 0;
    for (char c : text) {
        if (c == '\t') {
            offset += kTabSpaces * mySpaceWidth;
        } else if (c == '\n') {
            offset = 0;
            y += myLineHeight;
        } else if (c == ' ') {
            offset += mySpaceWidth;
        } else {
            offset += DrawChar(image, static_cast<unsigned char>(c), x + offset, y);
        }
    }
    return CTextPos(x + offset, y);
}

CTextPos CFont::DrawStringAtOrigin(IPixel* image, const std::string& text) { return DrawString(image, text, 0, 0); }

void CFont::SetLayout(int kind) {
    myLayout.reset();
    if (kind < TEXT_LAYOUT_LEFT || kind > TEXT_LAYOUT_JUSTIFY) return;
    myLayout = std::make_unique<CTextLayout>(kind);
}

CTextLayout* CFont::GetLayout() const { return myLayout.get(); }

int CFont::DrawChar(IPixel* image, unsigned char code, int x, int y) {
    const CRect& glyph = myCharPositions[code];
    if (glyph.IsEmpty()) return 0;
    if (image && myImage && !myImage->IsEmpty()) {
        myImage->BlitTo(image, glyph, CRect(x, y + myLineHeight - glyph.h, glyph.w, glyph.h));
    }
    return glyph.w + myLetterSpacing;
}

int CFont::GetTextWidth(const std::string& text) const {
    int width = 0;
    for (char c : text) {
        if (c == ' ') {
            width += mySpaceWidth;
            continue;
        }
        const CRect& glyph = myCharPositions[static_cast<unsigned char>(c)];
        if (!glyph.IsEmpty()) width += glyph.w + myLetterSpacing;
    }
    return width;
}

void CFont::SetImage(IPixel* image) {
    if (image == myImage) return;
    ReleaseImage(myImage);
    myImage = image;
}

}  // namespace tarn
