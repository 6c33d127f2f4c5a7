// Tests of the cursor pictures: the nine built-in images, their names and hot spots, the
// bitmaps SDL receives, and malformed pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tarn/inputdevice/ccursorimage.h"

namespace {

using tarn::CCursorImage;

bool Bit(const unsigned char* bitmap, int row, int column) {
    return (bitmap[row * 4 + column / 8] & (0x80 >> (column % 8))) != 0;
}

TEST(CursorImage, NamesAndTypes) {
    const char* const names[] = {"cursor_none",
                                 "cursor_arrow",
                                 "cursor_cross",
                                 "cursor_text",
                                 "cursor_hand",
                                 "cursor_busy",
                                 "cursor_resize_horizontal",
                                 "cursor_resize_vertical",
                                 "cursor_resize_diagonal1",
                                 "cursor_resize_diagonal2"};
    for (int type = 0; type < tarn::CURSOR_TYPE_COUNT; ++type) {
        EXPECT_EQ(type, tarn::CursorTypeFromName(names[type]));
        EXPECT_EQ(names[type], tarn::CursorNameFromType(type));
    }
    for (const char* unknown : {"", "arrow", "Cursor_Arrow", "cursor_arrow "}) {
        EXPECT_EQ(0, tarn::CursorTypeFromName(unknown)) << unknown;
    }
    EXPECT_EQ("cursor_none", tarn::CursorNameFromType(10));
    EXPECT_EQ("cursor_none", tarn::CursorNameFromType(-1));
}

TEST(CursorImage, BuiltInImagesAre37LinesOf32By32Pixels) {
    EXPECT_EQ(nullptr, CCursorImage::GetBuiltIn(0));
    EXPECT_EQ(nullptr, CCursorImage::GetBuiltIn(10));
    const char* const hotSpots[] = {"0,0", "16,16", "3,7", "5,0", "0,0", "10,4", "6,9", "6,7", "6,7"};
    for (int type = 1; type <= 9; ++type) {
        const CCursorImage* image = CCursorImage::GetBuiltIn(type);
        ASSERT_NE(nullptr, image);
        const std::vector<std::string>& lines = image->GetLines();
        ASSERT_EQ(37u, lines.size());
        EXPECT_EQ("    32    32        3            1", lines[0]);
        EXPECT_EQ("X c #000000", lines[1]);
        EXPECT_EQ(". c #ffffff", lines[2]);
        EXPECT_EQ("  c None", lines[3]);
        for (int row = 4; row < 36; ++row) {
            EXPECT_EQ(32u, lines[row].size());
            EXPECT_EQ(std::string::npos, lines[row].find_first_not_of("X. ")) << type << ":" << row;
        }
        EXPECT_EQ(hotSpots[type - 1], lines[36]);
        int x = -1, y = -1;
        image->GetHotSpot(x, y);
        EXPECT_EQ(lines[36], std::to_string(x) + "," + std::to_string(y));
    }
}

TEST(CursorImage, BitmapsFollowTheCharacters) {
    unsigned char data[CCursorImage::kBitmapBytes];
    unsigned char mask[CCursorImage::kBitmapBytes];
    CCursorImage::GetBuiltIn(tarn::CURSOR_ARROW)->BuildBitmaps(data, mask);
    // Row 2 is "X.X": black, white, black.
    EXPECT_EQ(0xA0, data[2 * 4]);
    EXPECT_EQ(0xE0, mask[2 * 4]);
    // Row 10 is "X.....XXXXX": eleven pixels spread over two bytes.
    EXPECT_EQ(0x83, data[10 * 4]);
    EXPECT_EQ(0xE0, data[10 * 4 + 1]);
    EXPECT_EQ(0xFF, mask[10 * 4]);
    EXPECT_EQ(0xE0, mask[10 * 4 + 1]);
    // Row 12 is "X.X X..X": the blank is transparent (no data, no mask).
    EXPECT_FALSE(Bit(mask, 12, 3));
    EXPECT_FALSE(Bit(data, 12, 3));
    // Everything from row 19 on is transparent.
    for (int byte = 19 * 4; byte < CCursorImage::kBitmapBytes; ++byte) EXPECT_EQ(0, mask[byte] | data[byte]);

    // White pixels never set data bits; every data bit has its mask bit.
    for (int type = 1; type <= 9; ++type) {
        CCursorImage::GetBuiltIn(type)->BuildBitmaps(data, mask);
        for (int byte = 0; byte < CCursorImage::kBitmapBytes; ++byte) {
            EXPECT_EQ(data[byte], data[byte] & mask[byte]) << type;
        }
    }
    // The cross's white bar (row 15) runs from column 5 to 25 inside black ends at 4 and 26.
    CCursorImage::GetBuiltIn(tarn::CURSOR_CROSS)->BuildBitmaps(data, mask);
    EXPECT_TRUE(Bit(mask, 15, 26));
    EXPECT_FALSE(Bit(mask, 15, 27));
    EXPECT_TRUE(Bit(data, 15, 4));
    EXPECT_FALSE(Bit(data, 15, 5));
    EXPECT_TRUE(Bit(mask, 15, 5));
    EXPECT_TRUE(Bit(data, 15, 26));
}

TEST(CursorImage, MalformedPicturesStayWithinTheBitmaps) {
    std::vector<std::string> lines = {"header", "c1", "c2", "c3", "X", std::string(100, 'X')};
    CCursorImage shortImage(lines);
    unsigned char data[CCursorImage::kBitmapBytes];
    unsigned char mask[CCursorImage::kBitmapBytes];
    shortImage.BuildBitmaps(data, mask);
    EXPECT_EQ(0x80, data[0]);
    for (int byte = 4; byte < 8; ++byte) EXPECT_EQ(0xFF, data[byte]);  // cut at 32 columns
    EXPECT_EQ(0, data[8]);
    int x = -1, y = -1;
    shortImage.GetHotSpot(x, y);  // no hot spot line
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);

    lines.resize(37, "");
    for (const auto& entry : std::vector<std::pair<std::string, std::pair<int, int>>>{
             {"40,-3", {31, 0}}, {"nonsense", {0, 0}}, {"7", {0, 0}}, {"2,9", {2, 9}}}) {
        lines[36] = entry.first;
        CCursorImage(lines).GetHotSpot(x, y);
        EXPECT_EQ(entry.second.first, x) << entry.first;
        EXPECT_EQ(entry.second.second, y) << entry.first;
    }
    CCursorImage(std::vector<std::string>()).BuildBitmaps(data, mask);
    EXPECT_EQ(0, data[0] | mask[0]);
}

}  // namespace
