// A bitmap font: one glyph image and a rectangle per character code. Draws characters,
// strings and (through a text layout) word-wrapped, aligned text into any image.
#ifndef TARN_GFX_CFONT_H
#define TARN_GFX_CFONT_H

#include <memory>
#include <string>

#include "tarn/gfx/crect.h"

namespace tarn {

class IPixel;
class CTextLayout;

// A position returned by the drawing operations: where the next character would go.
struct CTextPos {
    CTextPos() : x(0), y(0) {}
    CTextPos(int px, int py) : x(px), y(py) {}
    bool operator==(const CTextPos& other) const { return x == other.x && y == other.y; }
    int x;
    int y;
};

class CFont {
public:
    static const int kCharCount = 256;
    static const int kTabSpaces = 4;

    // An empty font: no glyph image, every rectangle empty, no layout, all sizes 0.
    CFont();
    // A fixed-grid font: a 16 by 16 glyph sheet of 16-pixel cells and a 256-byte table of
    // glyph widths minus one. A width table that cannot be read fully leaves every rectangle
    // empty (logged); a missing image leaves the font without glyphs.
    CFont(const std::string& widthFile, const std::string& imageFile);
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    virtual ~CFont();
    // With a layout: the layout fills area; without: DrawString at start.
    virtual CTextPos DrawText(IPixel* image, const std::string& text, const CRect& area, const CTextPos& start);
    virtual CTextPos DrawTextInArea(IPixel* image, const std::string& text, const CRect& area);
    // Draws one line pass over text: tabs advance four spaces, line feeds start a new line.
    // (0, 0) for an empty text, else the position after the last character.
    virtual CTextPos DrawString(IPixel* image, const std::string& text, int x, int y);
    virtual CTextPos DrawStringAtOrigin(IPixel* image, const std::string& text);
    // Replaces the layout by a new one of kind (TEXT_LAYOUT_LEFT ...); an unknown kind removes it.
    virtual void SetLayout(int kind);
    // The layout, owned by the font, or null.
    virtual CTextLayout* GetLayout() const;
    // Draws the glyph of code bottom-aligned on the line at x, y; image may be null (measures
    // only). The advance: glyph width + letter spacing, 0 for a code without a glyph.
    virtual int DrawChar(IPixel* image, unsigned char code, int x, int y);
    virtual int GetTextWidth(const std::string& text) const;

    void SetCharRect(unsigned char code, const CRect& rect) { myCharPositions[code] = rect; }
    CRect GetCharRect(unsigned char code) const { return myCharPositions[code]; }
    // Takes image (released with ReleaseImage) and releases the previous one.
    void SetImage(IPixel* image);
    IPixel* GetImage() const { return myImage; }
    void SetLineHeight(int height) { myLineHeight = height; }
    void SetLetterSpacing(int spacing) { myLetterSpacing = spacing; }
    void SetSpaceWidth(int width) { mySpaceWidth = width; }
    int GetLineHeight() const { return myLineHeight; }
    int GetLetterSpacing() const { return myLetterSpacing; }
    int GetSpaceWidth() const { return mySpaceWidth; }

private:
    void LoadFixedGrid(const std::string& widthFile, const std::string& imageFile);

    IPixel* myImage;
    CRect myCharPositions[kCharCount];
    std::unique_ptr<CTextLayout> myLayout;
    int myLineHeight;
    int myLetterSpacing;
    int mySpaceWidth;
};

}  // namespace tarn

#endif
