// Tests of the system font: decoding run-length text, the glyph rectangles it sets, and that
// its glyphs really draw.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace {

using tarn::CColor;
using tarn::CFont;
using tarn::CRect;
using tarn::CSystemFontLoader;

TEST(SystemFontRuns, TildeExtendsARunAndOtherCharactersCloseIt) {
    EXPECT_EQ(CSystemFontLoader::DecodeRuns(" !A"), (std::vector<int>{0, 1, 33}));
    EXPECT_EQ(CSystemFontLoader::DecodeRuns("~~#"), (std::vector<int>{94 + 94 + 3}));
    EXPECT_EQ(CSystemFontLoader::DecodeRuns("~"), (std::vector<int>{}));  // an unclosed run is dropped
    EXPECT_EQ(CSystemFontLoader::DecodeRuns(""), (std::vector<int>{}));
}

class SystemFont : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError(); }
    void TearDown() override { testsupport::ResetEngine(); }
    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(SystemFont, GlyphsExistFor33To254Only) {
    CFont font;
    CSystemFontLoader loader(&font, "ignored");
    EXPECT_EQ(loader.GetName(), "system");
    for (int c = 0; c < 256; ++c) {
        const CRect rect = font.GetCharRect(static_cast<unsigned char>(c));
        if (c < 33 || c == 255) {
            EXPECT_TRUE(rect.IsEmpty()) << c;
        } else {
            EXPECT_EQ(rect, CRect(6 + 8 * (c - 33), 0, 8, 15)) << c;
        }
    }
    EXPECT_EQ(font.GetLineHeight(), 15);
    EXPECT_EQ(font.GetSpaceWidth(), 8);
    EXPECT_EQ(font.GetLetterSpacing(), 0);
    ASSERT_NE(font.GetImage(), nullptr);
    EXPECT_EQ(font.GetImage()->GetWidth(), 1789);
    EXPECT_EQ(font.GetImage()->GetHeight(), 15);
}

// Counts the opaque white pixels of the w by h corner of image.
int Lit(tarn::IPixel* image, int w, int h) {
    int lit = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) lit += image->GetPixel(x, y) == CColor(255, 255, 255) ? 1 : 0;
    }
    return lit;
}

TEST_F(SystemFont, DrawsVisibleDistinctGlyphs) {
    CFont font;
    CSystemFontLoader(&font, "");
    tarn::IPixel* target = testsupport::SolidImage(40, 15, CColor(0, 0, 0));
    EXPECT_EQ(font.DrawString(target, "I", 0, 0), tarn::CTextPos(8, 0));
    const int thin = Lit(target, 8, 15);
    font.DrawString(target, "M", 8, 0);
    const int wide = Lit(target, 16, 15) - thin;
    EXPECT_GT(thin, 5);
    EXPECT_GT(wide, thin);  // an M has more ink than an I
    // The space between glyph cells and the lines above and below stay dark.
    tarn::ReleaseImage(target);
    target = testsupport::SolidImage(16, 15, CColor(0, 0, 0));
    font.DrawString(target, " .", 0, 0);
    EXPECT_EQ(Lit(target, 8, 15), 0);
    EXPECT_GT(Lit(target, 16, 15), 0);
    tarn::ReleaseImage(target);
}

TEST_F(SystemFont, DrawsTheLetterAOnItsLine) {
    CFont font;
    CSystemFontLoader(&font, "");
    tarn::IPixel* target = testsupport::SolidImage(8, 15, CColor(0, 0, 0));
    font.DrawChar(target, 'A', 0, 0);
    std::string picture;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 8; ++x) picture += target->GetPixel(x, y) == CColor(255, 255, 255) ? '#' : '.';
        picture += '\n';
    }
    EXPECT_EQ(picture,
              "........\n"
              "........\n"
              "........\n"
              "...##...\n"
              "..#..#..\n"
              ".#....#.\n"
              ".#....#.\n"
              ".#....#.\n"
              ".######.\n"
              ".#....#.\n"
              ".#....#.\n"
              ".#....#.\n"
              "........\n"
              "........\n"
              "........\n");
    tarn::ReleaseImage(target);
}

}  // namespace
