// A 32 by 32 two-colour cursor picture kept as XPM-style text lines, and the nine built-in
// cursors. Turns the text into the data and mask bitmaps SDL_CreateCursor takes.
#include "tarn/inputdevice/ccursorimage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tarn {

namespace {

// Type 1, "cursor_arrow".
const char* const kCursorArrowRows[] = {
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      X..X",
    "      X..X",
    "       XX",
};

// Type 2, "cursor_cross".
const char* const kCursorCrossRows[] = {
    "",
    "",
    "",
    "",
    "",
    "              XXX",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "    XXXXXXXXXXX.XXXXXXXXXXX",
    "    X.....................X",
    "    XXXXXXXXXXX.XXXXXXXXXXX",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              X.X",
    "              XXX",
};

// Type 3, "cursor_text".
const char* const kCursorTextRows[] = {
    "XXX XXX",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "   X",
    "XXX XXX",
};

// Type 4, "cursor_hand".
const char* const kCursorHandRows[] = {
    "     XX",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..XXX",
    "    X..X..XXX",
    "    X..X..X..XX",
    "    X..X..X..X X",
    "XXX X..X..X..X..X",
    "X..XX........X..X",
    " X..X...........X",
    "  X.X...........X",
    "  X.............X",
    "   X............X",
    "   X...........X",
    "    X..........X",
    "    X..........X",
    "     X........X",
    "     X........X",
    "     XXXXXXXXXX",
};

// Type 5, "cursor_busy".
const char* const kCursorBusyRows[] = {
    "XXXXXXXXXXXXX",
    "XX.........XX",
    "XXXXXXXXXXXXX",
    " X.........X",
    " X.........X",
    " X..X.X.X..X",
    " X...X.X...X",
    " XX...X...XX",
    "  XX.....XX",
    "   XX.X.XX",
    "    XX.XX",
    "    XX.XX",
    "   XX...XX",
    "  XX..X..XX",
    " XX.......XX",
    " X....X....X",
    " X...X.X...X",
    " X..X.X.X..X",
    " X.X.X.X.X.X",
    "XXXXXXXXXXXXX",
    "XX.........XX",
    "XXXXXXXXXXXXX",
};

// Type 6, "cursor_resize_horizontal".
const char* const kCursorResizeHorizontalRows[] = {
    "     ..         ..",
    "    .X.         .X.",
    "   .XX.         .XX.",
    "  .XXX...........XXX.",
    " .XXXXXXXXXXXXXXXXXXX.",
    "  .XXX...........XXX.",
    "   .XX.         .XX.",
    "    .X.         .X.",
    "     ..         ..",
};

// Type 7, "cursor_resize_vertical".
const char* const kCursorResizeVerticalRows[] = {
    "      .",
    "     .X.",
    "    .XXX.",
    "   .XXXXX.",
    "  .XXXXXXX.",
    "  ....X....",
    "     .X.",
    "     .X.",
    "     .X.",
    "     .X.",
    "     .X.",
    "     .X.",
    "     .X.",
    "     .X.",
    "     .X.",
    "  ....X....",
    "  .XXXXXXX.",
    "   .XXXXX.",
    "    .XXX.",
    "     .X.",
    "      .",
};

// Type 8, "cursor_resize_diagonal1".
const char* const kCursorResizeDiagonal1Rows[] = {
    ".......",
    ".XXXXX.",
    ".XXXX.",
    ".XXX..",
    ".XX.X.",
    ".X. .X.",
    "..   .X.",
    "      .X.",
    "       .X.   ..",
    "        .X. .X.",
    "         .X.XX.",
    "          .XXX.",
    "         .XXXX.",
    "        .XXXXX.",
    "        .......",
};

// Type 9, "cursor_resize_diagonal2".
const char* const kCursorResizeDiagonal2Rows[] = {
    "        .......",
    "        .XXXXX.",
    "         .XXXX.",
    "          .XXX.",
    "         .X.XX.",
    "        .X. .X.",
    "       .X.   ..",
    "      .X.",
    "..   .X.",
    ".X. .X.",
    ".XX.X.",
    ".XXX..",
    ".XXXX.",
    ".XXXXX.",
    ".......",
};

struct CBuiltInCursor {
    const char* myName;
    const char* myHotSpot;
    const char* const* myRows;
    size_t myRowCount;
};

// Indexed by type - 1.
const CBuiltInCursor kBuiltIn[] = {
    {"cursor_arrow", "0,0", kCursorArrowRows, sizeof(kCursorArrowRows) / sizeof(kCursorArrowRows[0])},
    {"cursor_cross", "16,16", kCursorCrossRows, sizeof(kCursorCrossRows) / sizeof(kCursorCrossRows[0])},
    {"cursor_text", "3,7", kCursorTextRows, sizeof(kCursorTextRows) / sizeof(kCursorTextRows[0])},
    {"cursor_hand", "5,0", kCursorHandRows, sizeof(kCursorHandRows) / sizeof(kCursorHandRows[0])},
    {"cursor_busy", "0,0", kCursorBusyRows, sizeof(kCursorBusyRows) / sizeof(kCursorBusyRows[0])},
    {"cursor_resize_horizontal", "10,4", kCursorResizeHorizontalRows, sizeof(kCursorResizeHorizontalRows) / sizeof(kCursorResizeHorizontalRows[0])},
    {"cursor_resize_vertical", "6,9", kCursorResizeVerticalRows, sizeof(kCursorResizeVerticalRows) / sizeof(kCursorResizeVerticalRows[0])},
    {"cursor_resize_diagonal1", "6,7", kCursorResizeDiagonal1Rows, sizeof(kCursorResizeDiagonal1Rows) / sizeof(kCursorResizeDiagonal1Rows[0])},
    {"cursor_resize_diagonal2", "6,7", kCursorResizeDiagonal2Rows, sizeof(kCursorResizeDiagonal2Rows) / sizeof(kCursorResizeDiagonal2Rows[0])},
};

const int kBuiltInCount = sizeof(kBuiltIn) / sizeof(kBuiltIn[0]);

std::vector<std::string> MakeLines(const CBuiltInCursor& cursor) {
    std::vector<std::string> lines;
    lines.push_back("    32    32        3            1");
    lines.push_back("X c #000000");
    lines.push_back(". c #ffffff");
    lines.push_back("  c None");
    for (int row = 0; row < CCursorImage::kSize; ++row) {
        std::string text = row < static_cast<int>(cursor.myRowCount) ? cursor.myRows[row] : "";
        text.resize(CCursorImage::kSize, ' ');
        lines.push_back(text);
    }
    lines.push_back(cursor.myHotSpot);
    return lines;
}

}  // namespace

int CursorTypeFromName(const std::string& name) {
    for (int i = 0; i < kBuiltInCount; ++i) {
        if (name == kBuiltIn[i].myName) return i + 1;
    }
    return CURSOR_NONE;
}

std::string CursorNameFromType(int type) {
    if (type < 1 || type > kBuiltInCount) return "cursor_none";
    return kBuiltIn[type - 1].myName;
}

const CCursorImage* CCursorImage::GetBuiltIn(int type) {
    static const std::vector<std::unique_ptr<CCursorImage>> images = [] {
        std::vector<std::unique_ptr<CCursorImage>> made;
        for (const CBuiltInCursor& cursor : kBuiltIn) made.push_back(std::make_unique<CCursorImage>(MakeLines(cursor)));
        return made;
    }();
    if (type < 1 || type > kBuiltInCount) return nullptr;
    return images[type - 1].get();
}

CCursorImage::CCursorImage(const std::vector<std::string>& lines) : myLines(lines) {}

void CCursorImage::BuildBitmaps(unsigned char* data, unsigned char* mask) const {
    std::memset(data, 0, kBitmapBytes);
    std::memset(mask, 0, kBitmapBytes);
    const int firstRow = 4;
    for (int row = 0; row < kSize; ++row) {
        const int line = firstRow + row;
        if (line >= static_cast<int>(myLines.size())) break;
        const std::string& text = myLines[line];
        const int columns = std::min(static_cast<int>(text.size()), kSize);
        for (int column = 0; column < columns; ++column) {
            const int byte = row * (kSize / 8) + column / 8;
            const unsigned char bit = static_cast<unsigned char>(0x80 >> (column % 8));
            if (text[column] == 'X') {
                data[byte] |= bit;
                mask[byte] |= bit;
            } else if (text[column] == '.') {
                mask[byte] |= bit;
            }
        }
    }
}

void CCursorImage::GetHotSpot(int& x, int& y) const {
    x = 0;
    y = 0;
    if (static_cast<int>(myLines.size()) < kLineCount) return;
    int readX = 0;
    int readY = 0;
    if (std::sscanf(myLines[kLineCount - 1].c_str(), "%d,%d", &readX, &readY) != 2) return;
    x = std::clamp(readX, 0, kSize - 1);
    y = std::clamp(readY, 0, kSize - 1);
}

}  // namespace tarn
