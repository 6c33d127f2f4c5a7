// Tests of the text layouts: line fitting, where each alignment puts its lines, justified
// gaps, tabs, empty lines and words wider than the area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tarn/gfx/cfont.h"
#include "tarn/gfx/ctextlayout.h"

namespace {

using tarn::CFont;
using tarn::CRect;
using tarn::CTextLayout;
using tarn::CTextPos;

struct Placed {
    char code;
    int x;
    int y;
};

// Printable glyphs 5 wide, letter spacing 1 (advance 6), space 4, lines 10 high; records
// where each glyph would go.
class CRecordingFont : public CFont {
public:
    CRecordingFont() {
        for (int c = 33; c < 127; ++c) SetCharRect(static_cast<unsigned char>(c), CRect(0, 0, 5, 10));
        SetLetterSpacing(1);
        SetSpaceWidth(4);
        SetLineHeight(10);
    }
    int DrawChar(tarn::IPixel* image, unsigned char code, int x, int y) override {
        placed.push_back({static_cast<char>(code), x, y});
        return CFont::DrawChar(image, code, x, y);
    }
    std::string Trace() const {
        std::string out;
        for (const Placed& p : placed) out += std::string(1, p.code) + std::to_string(p.x) + "," + std::to_string(p.y) + " ";
        return out;
    }
    std::vector<Placed> placed;
};

const CRect kArea(100, 50, 40, 100);

TEST(TextLayoutLineFit, CountsWordsAndSeparatorsThatFit) {
    CRecordingFont font;
    CTextLayout layout(tarn::TEXT_LAYOUT_LEFT);
    EXPECT_EQ(layout.LineFit(&font, "aa bb cc", kArea, 0), 6);
    EXPECT_EQ(layout.GetLastLineWidth(), 32);  // both words and their spaces
    EXPECT_FALSE(layout.LastLineEnded());
    EXPECT_EQ(layout.LineFit(&font, "aa bb cc", kArea, 6), 2);
    EXPECT_EQ(layout.GetLastLineWidth(), 12);
    EXPECT_TRUE(layout.LastLineEnded());
}

TEST(TextLayoutLineFit, StopsAtALineFeed) {
    CRecordingFont font;
    CTextLayout layout(tarn::TEXT_LAYOUT_LEFT);
    EXPECT_EQ(layout.LineFit(&font, "a\nbb", kArea, 0), 2);
    EXPECT_EQ(layout.GetLastLineWidth(), 6);
    EXPECT_TRUE(layout.LastLineEnded());
}

TEST(TextLayoutLineFit, ZeroWhenTheFirstWordIsTooWide) {
    CRecordingFont font;
    CTextLayout layout(tarn::TEXT_LAYOUT_LEFT);
    EXPECT_EQ(layout.LineFit(&font, "aaaaaaaaaa b", kArea, 0), 0);
    EXPECT_EQ(layout.LineFit(&font, "ab", kArea, 5), 0);   // beyond the text
    EXPECT_EQ(layout.LineFit(&font, "ab", kArea, -1), 0);  // before it
}

struct AlignCase {
    int kind;
    const char* trace;
    int endX;
};

TEST(TextLayoutDraw, EachAlignmentPlacesItsLines) {
    const AlignCase cases[] = {
        {tarn::TEXT_LAYOUT_LEFT, "a100,50 a106,50 b116,50 b122,50 c100,60 c106,60 ", 100},
        // (40 - 32 - 1) / 2 and (40 - 12 - 1) / 2
        {tarn::TEXT_LAYOUT_CENTER, "a103,50 a109,50 b119,50 b125,50 c113,60 c119,60 ", 100},
        {tarn::TEXT_LAYOUT_RIGHT, "a108,50 a114,50 b124,50 b130,50 c128,60 c134,60 ", 100},
        // The first line spreads to the area's right edge; the last one stays left-aligned.
        {tarn::TEXT_LAYOUT_JUSTIFY, "a100,50 a106,50 b128,50 b134,50 c100,60 c106,60 ", 112},
    };
    for (const AlignCase& c : cases) {
        CRecordingFont font;
        CTextLayout layout(c.kind);
        const CTextPos end = layout.DrawText(&font, nullptr, "aa bb cc", kArea);
        EXPECT_EQ(font.Trace(), c.trace) << "kind " << c.kind;
        EXPECT_EQ(end, CTextPos(c.endX, 70)) << "kind " << c.kind;
    }
}

TEST(TextLayoutDraw, JustifiedGapsKeepTheirFractions) {
    CRecordingFont font;
    CTextLayout layout(tarn::TEXT_LAYOUT_JUSTIFY);
    // "a b c " is 30 wide; without the trailing space 26, so two gaps of 2.5 extra pixels.
    const CTextPos end = layout.DrawText(&font, nullptr, "a b c dddddddd", CRect(0, 0, 31, 25));
    EXPECT_EQ(font.Trace(), "a0,0 b12,0 c24,0 ");
    // The too-wide word stops the text; the rest of the area is used up by empty lines.
    EXPECT_EQ(end, CTextPos(30, 30));
}

TEST(TextLayoutDraw, AWordWiderThanTheAreaStopsTheText) {
    CRecordingFont font;
    CTextLayout layout(tarn::TEXT_LAYOUT_LEFT);
    const CTextPos end = layout.DrawText(&font, nullptr, "ab cdefghijk lm", CRect(0, 0, 30, 1000000));
    EXPECT_EQ(font.Trace(), "a0,0 b6,0 ");
    EXPECT_EQ(end, CTextPos(0, 1000000));
}

TEST(TextLayoutDraw, TabsBecomeFourSpacesAndEmptyLinesAreKept) {
    CRecordingFont font;
    CTextLayout layout(tarn::TEXT_LAYOUT_LEFT);
    layout.DrawText(&font, nullptr, "a\tb\n\nc", CRect(0, 0, 100, 100));
    EXPECT_EQ(font.Trace(), "a0,0 b22,0 c0,20 ");
}

TEST(TextLayoutDraw, StopsWhenTheAreaIsFull) {
    CRecordingFont font;
    CTextLayout layout(tarn::TEXT_LAYOUT_LEFT);
    const CTextPos end = layout.DrawText(&font, nullptr, "a\nb\nc", CRect(0, 0, 100, 15));
    EXPECT_EQ(font.Trace(), "a0,0 b0,10 ");
    EXPECT_EQ(end, CTextPos(0, 20));
}

TEST(TextLayoutDraw, ZeroLineHeightEndsWithoutLooping) {
    CRecordingFont font;
    font.SetLineHeight(0);
    CTextLayout layout(tarn::TEXT_LAYOUT_CENTER);
    const CTextPos end = layout.DrawText(&font, nullptr, "ab verywideword", CRect(0, 0, 20, 10));
    EXPECT_EQ(font.Trace(), "a1,0 b7,0 ");
    EXPECT_EQ(end, CTextPos(0, 0));
}

}  // namespace
