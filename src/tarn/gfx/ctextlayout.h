// Word-wraps text into a rectangle and draws it line by line, left-aligned, centred,
// right-aligned or justified.
#ifndef TARN_GFX_CTEXTLAYOUT_H
#define TARN_GFX_CTEXTLAYOUT_H

#include <string>

#include "tarn/gfx/cfont.h"
#include "tarn/gfx/crect.h"

namespace tarn {

enum { TEXT_LAYOUT_LEFT = 0, TEXT_LAYOUT_CENTER = 1, TEXT_LAYOUT_RIGHT = 2, TEXT_LAYOUT_JUSTIFY = 3 };

class CTextLayout {
public:
    // A layout of kind; an unknown kind aligns left.
    explicit CTextLayout(int kind);
    virtual ~CTextLayout() = default;
    // Draws text into area of image (image may be null: measures only), one fitted line after
    // another while the area has room. Tabs are drawn as four spaces. Returns where the text
    // ended: (area.x, y below the last line), or for justified text the last drawn x and y.
    virtual CTextPos DrawText(CFont* font, IPixel* image, const std::string& text, const CRect& area);
    // How many characters from from (words and their separators) fit on one line of area.w;
    // 0 when not even the first word fits. Records the line's width and whether it ended at a
    // line feed or the end of the text.
    virtual int LineFit(const CFont* font, const std::string& text, const CRect& area, int from);

    int GetKind() const { return myKind; }
    int GetLastLineWidth() const { return myLastLineWidth; }
    bool LastLineEnded() const { return myLineEnded; }

private:
    int LineX(const CRect& area) const;
    // Draws one justified line; returns the x after its last word.
    int DrawJustified(CFont* font, IPixel* image, const std::string& line, const CRect& area, int y);

    int myKind;
    int myLastLineWidth;
    bool myLineEnded;
};

}  // namespace tarn

#endif
