// Tests of the font: measuring, the one-pass string drawing with tabs and line feeds, glyphs
// placed bottom-aligned on the line, layouts, and fixed-grid fonts from good and bad files.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/ctextlayout.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace {

using tarn::CColor;
using tarn::CFont;
using tarn::CRect;
using tarn::CTextPos;

const CColor kWhite(255, 255, 255);
const CColor kBlack(0, 0, 0);

// Glyph a is 3 by 4, glyph b 2 by 6 (both white), letter spacing 1, space 5, lines 8 high.
void MakeSmallFont(CFont& font) {
    font.SetImage(testsupport::SolidImage(8, 8, kWhite));
    font.SetCharRect('a', CRect(0, 0, 3, 4));
    font.SetCharRect('b', CRect(3, 0, 2, 6));
    font.SetLetterSpacing(1);
    font.SetSpaceWidth(5);
    font.SetLineHeight(8);
}

class Font : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError(); }
    void TearDown() override { testsupport::ResetEngine(); }
    // Rows of target as "#" (white) and "." (anything else).
    static std::string Picture(tarn::IPixel* target) {
        std::string out;
        for (int y = 0; y < target->GetHeight(); ++y) {
            for (int x = 0; x < target->GetWidth(); ++x) out += target->GetPixel(x, y) == kWhite ? '#' : '.';
            out += '\n';
        }
        return out;
    }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(Font, TextWidthCountsSpacesAndSkipsCodesWithoutGlyphs) {
    CFont font;
    MakeSmallFont(font);
    EXPECT_EQ(font.GetTextWidth("ab"), 4 + 3);
    EXPECT_EQ(font.GetTextWidth("a b"), 4 + 5 + 3);
    EXPECT_EQ(font.GetTextWidth("azb\x01\xff"), 4 + 3);
    EXPECT_EQ(font.GetTextWidth(""), 0);
}

TEST_F(Font, DrawStringAdvancesOverTabsAndLineFeeds) {
    CFont font;
    MakeSmallFont(font);
    EXPECT_EQ(font.DrawString(nullptr, "a\tb", 10, 20), CTextPos(10 + 4 + 20 + 3, 20));
    EXPECT_EQ(font.DrawString(nullptr, "ab\na", 10, 20), CTextPos(14, 28));
    EXPECT_EQ(font.DrawString(nullptr, "", 10, 20), CTextPos(0, 0));
    EXPECT_EQ(font.DrawStringAtOrigin(nullptr, "a a"), CTextPos(13, 0));
}

TEST_F(Font, GlyphsSitOnTheBottomOfTheLine) {
    CFont font;
    MakeSmallFont(font);
    tarn::IPixel* target = testsupport::SolidImage(8, 8, kBlack);
    EXPECT_EQ(font.DrawChar(target, 'a', 0, 0), 4);
    EXPECT_EQ(font.DrawChar(target, 'b', 4, 0), 3);
    EXPECT_EQ(font.DrawChar(target, 'z', 6, 0), 0);
    EXPECT_EQ(Picture(target),
              "........\n"
              "........\n"
              "....##..\n"
              "....##..\n"
              "###.##..\n"
              "###.##..\n"
              "###.##..\n"
              "###.##..\n");
    tarn::ReleaseImage(target);
}

TEST_F(Font, DrawTextUsesTheLayoutOnlyWhenThereIsOne) {
    CFont font;
    MakeSmallFont(font);
    const CRect area(0, 0, 20, 40);
    EXPECT_EQ(font.DrawText(nullptr, "aa aa aa", area, CTextPos(3, 4)), CTextPos(3 + 8 + 5 + 8 + 5 + 8, 4));
    font.SetLayout(tarn::TEXT_LAYOUT_RIGHT);
    ASSERT_NE(font.GetLayout(), nullptr);
    EXPECT_EQ(font.GetLayout()->GetKind(), tarn::TEXT_LAYOUT_RIGHT);
    EXPECT_EQ(font.DrawText(nullptr, "aa aa aa", area, CTextPos(3, 4)), CTextPos(0, 24));
    EXPECT_EQ(font.DrawTextInArea(nullptr, "aa", CRect(2, 2, 20, 40)), CTextPos(2, 10));
    font.SetLayout(99);
    EXPECT_EQ(font.GetLayout(), nullptr);
}

TEST_F(Font, FixedGridFontReadsTheWidthTable) {
    tarn::IPixel* sheet = testsupport::SolidImage(256, 256, kWhite);
    ASSERT_TRUE(sheet->Save("grid.bmp"));
    tarn::ReleaseImage(sheet);
    std::string widths(256, '\x07');
    widths['A'] = 9;
    widths[' '] = 3;
    widths[255] = '\xff';
    testsupport::WriteFile("widths.dat", widths);

    CFont font("widths.dat", "grid.bmp");
    EXPECT_EQ(font.GetCharRect('A'), CRect(16 * 1, 16 * 4, 10, 16));
    EXPECT_EQ(font.GetCharRect('B'), CRect(16 * 2, 16 * 4, 8, 16));
    EXPECT_EQ(font.GetCharRect(255), CRect(240, 240, 256, 16));
    EXPECT_EQ(font.GetSpaceWidth(), 4);
    EXPECT_EQ(font.GetLineHeight(), 16);
    ASSERT_NE(font.GetLayout(), nullptr);
    EXPECT_EQ(font.GetLayout()->GetKind(), tarn::TEXT_LAYOUT_LEFT);
}

TEST_F(Font, FixedGridFontSurvivesMissingOrShortFiles) {
    testsupport::WriteFile("short.dat", std::string(100, '\x05'));
    const char* tables[] = {"missing.dat", "short.dat"};
    for (const char* table : tables) {
        CFont font(table, "missing.bmp");
        for (int c = 0; c < 256; ++c) EXPECT_TRUE(font.GetCharRect(static_cast<unsigned char>(c)).IsEmpty()) << c;
        tarn::IPixel* target = testsupport::SolidImage(8, 8, kBlack);
        font.DrawString(target, "AB", 0, 0);
        EXPECT_EQ(target->GetPixel(1, 1), kBlack);
        tarn::ReleaseImage(target);
    }
    EXPECT_NE(testsupport::LogBody().find("Could not read the width table: short.dat"), std::string::npos);
}

}  // namespace
