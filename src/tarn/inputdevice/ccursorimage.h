// A 32 by 32 two-colour cursor picture kept as XPM-style text lines, and the nine built-in
// cursors. Turns the text into the data and mask bitmaps SDL_CreateCursor takes.
#ifndef TARN_INPUTDEVICE_CCURSORIMAGE_H
#define TARN_INPUTDEVICE_CCURSORIMAGE_H

#include <string>
#include <vector>

namespace tarn {

// Cursor types; the names are what "CursorChangeTo" accepts.
enum {
    CURSOR_NONE = 0,
    CURSOR_ARROW,
    CURSOR_CROSS,
    CURSOR_TEXT,
    CURSOR_HAND,
    CURSOR_BUSY,
    CURSOR_RESIZE_HORIZONTAL,
    CURSOR_RESIZE_VERTICAL,
    CURSOR_RESIZE_DIAGONAL1,
    CURSOR_RESIZE_DIAGONAL2,
    CURSOR_TYPE_COUNT
};

// The type of "cursor_arrow", "cursor_cross" ...; 0 for "cursor_none" and unknown names.
int CursorTypeFromName(const std::string& name);
// The name of a type; "cursor_none" for types outside the table.
std::string CursorNameFromType(int type);

class CCursorImage {
public:
    static constexpr int kSize = 32;
    static constexpr int kBitmapBytes = kSize * kSize / 8;
    static constexpr int kLineCount = 37;

    // The built-in image of type 1..9; null for every other type.
    static const CCursorImage* GetBuiltIn(int type);

    // lines: header, three colour lines, 32 pixel rows ('X' black, '.' white, blank
    // transparent), hot spot "x,y". Missing or short rows count as transparent.
    explicit CCursorImage(const std::vector<std::string>& lines);

    const std::vector<std::string>& GetLines() const { return myLines; }
    // Fills data and mask (kBitmapBytes each, rows of 4 bytes, most significant bit first):
    // 'X' sets both bits, '.' only the mask bit, anything else neither.
    void BuildBitmaps(unsigned char* data, unsigned char* mask) const;
    // The hot spot read from the last line with "%d,%d", clamped into the picture;
    // 0,0 when the line cannot be read.
    void GetHotSpot(int& x, int& y) const;

private:
    std::vector<std::string> myLines;
};

}  // namespace tarn

#endif
