// Tests of the text sprite: the editing operations and when they render, drawing over a
// background or a transparent image, resizing, and making one through the sprite factory.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/ctextlayout.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace {

using tarn::CColor;
using tarn::CFont;
using tarn::CRect;
using tarn::CSprite;
using tarn::CTextPos;
using tarn::CTextSprite;

const CColor kWhite(255, 255, 255);
const CColor kBlue(0, 0, 200);

// Every printable glyph is a white 3 by 4 block, advance 4, space 2, lines 5 high.
CFont* BlockFont() {
    CFont* font = new CFont();
    font->SetImage(testsupport::SolidImage(3, 4, kWhite));
    for (int c = 33; c < 127; ++c) font->SetCharRect(static_cast<unsigned char>(c), CRect(0, 0, 3, 4));
    font->SetLetterSpacing(1);
    font->SetSpaceWidth(2);
    font->SetLineHeight(5);
    return font;
}

class TextSprite : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError(); }
    void TearDown() override { testsupport::ResetEngine(); }
    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(TextSprite, EditingChangesTheTextAndRendersIt) {
    CTextSprite sprite(BlockFont(), 40, 10);
    sprite.SetText("ab");
    EXPECT_EQ(sprite.GetEndPosition(), CTextPos(8, 0));
    sprite.InsertText(1, "xy");
    EXPECT_EQ(sprite.GetText(), "axyb");
    sprite.AppendText("c");
    EXPECT_EQ(std::string(sprite.GetTextChars()), "axybc");
    sprite.EraseText(1, 2);
    EXPECT_EQ(sprite.GetText(), "abc");
    sprite.EraseText(2, 100);  // cut at the end
    EXPECT_EQ(sprite.GetText(), "ab");
    sprite.EraseLastChar();
    EXPECT_EQ(sprite.GetText(), "a");
    EXPECT_EQ(sprite.GetTextLength(), 1);
    EXPECT_EQ(sprite.GetEndPosition(), CTextPos(4, 0));
}

TEST_F(TextSprite, EditingOutsideTheTextDoesNothing) {
    CTextSprite sprite(BlockFont(), 40, 10);
    sprite.SetText("abc");
    sprite.InsertText(-1, "x");
    sprite.InsertText(4, "x");
    sprite.InsertText(1, "");
    sprite.AppendText("");
    sprite.EraseText(-1, 1);
    sprite.EraseText(4, 1);
    sprite.EraseText(1, 0);
    sprite.EraseText(1, -3);
    EXPECT_EQ(sprite.GetText(), "abc");
    sprite.SetText("");
    sprite.EraseLastChar();
    EXPECT_EQ(sprite.GetText(), "");
    EXPECT_EQ(sprite.GetEndPosition(), CTextPos(0, 0));
}

TEST_F(TextSprite, RendersTextOverATransparentImage) {
    CTextSprite sprite(BlockFont(), 20, 5);
    sprite.SetText("a b");
    tarn::IPixel* image = sprite.GetImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetPixel(0, 1), kWhite);   // glyphs sit on the line's bottom row
    EXPECT_EQ(image->GetPixel(0, 0).a, 0);      // above them: transparent
    EXPECT_EQ(image->GetPixel(4, 2).a, 0);      // the space
    EXPECT_EQ(image->GetPixel(6, 2), kWhite);
    sprite.SetText("b");
    EXPECT_EQ(image->GetPixel(6, 2).a, 0);  // the old text is cleared
}

TEST_F(TextSprite, RendersOverItsBackgroundAndFollowsResize) {
    CTextSprite sprite(BlockFont(), 20, 5, new CSprite(testsupport::SolidImage(4, 4, kBlue)));
    ASSERT_NE(sprite.GetBackground(), nullptr);
    EXPECT_EQ(sprite.GetBackground()->GetRect().w, 20);
    sprite.SetText("a");
    EXPECT_EQ(sprite.GetImage()->GetPixel(10, 0), kBlue);
    EXPECT_EQ(sprite.GetImage()->GetPixel(1, 2), kWhite);

    sprite.Resize(30, 12);
    EXPECT_EQ(sprite.GetRect().w, 30);
    EXPECT_EQ(sprite.GetImage()->GetHeight(), 12);
    EXPECT_EQ(sprite.GetTextArea(), CRect(0, 0, 30, 12));  // it covered the whole sprite
    EXPECT_EQ(sprite.GetBackground()->GetRect().h, 12);
    EXPECT_EQ(sprite.GetImage()->GetPixel(25, 10), kBlue);
    EXPECT_EQ(sprite.GetImage()->GetPixel(1, 2), kWhite);
}

TEST_F(TextSprite, FontLayoutFillsTheTextArea) {
    CFont* font = BlockFont();
    font->SetLayout(tarn::TEXT_LAYOUT_RIGHT);
    CTextSprite sprite(font, 20, 10);
    sprite.SetTextArea(CRect(2, 1, 16, 8));
    sprite.SetText("a bb cc");  // "a bb " is 16 wide, "cc" moves down
    EXPECT_EQ(sprite.GetEndPosition(), CTextPos(2, 11));
    EXPECT_EQ(sprite.GetImage()->GetPixel(2, 2), kWhite);
    EXPECT_EQ(sprite.GetImage()->GetPixel(16, 7), kWhite);  // "cc" ends at the right edge
}

TEST_F(TextSprite, WithoutAFontItIsEmptyAndNeverDraws) {
    CTextSprite sprite;
    EXPECT_TRUE(sprite.IsEmpty());
    sprite.SetText("abc");
    EXPECT_EQ(sprite.GetEndPosition(), CTextPos(0, 0));
    sprite.SetFont(BlockFont());
    EXPECT_EQ(sprite.GetEndPosition(), CTextPos(12, 0));
    EXPECT_TRUE(sprite.IsEmpty());  // still no image
    sprite.Resize(16, 5);
    EXPECT_FALSE(sprite.IsEmpty());
    EXPECT_EQ(sprite.GetImage()->GetPixel(9, 2), kWhite);
}

TEST_F(TextSprite, TheFactoryMakesTextSprites) {
    std::unique_ptr<CSprite> sprite(tarn::CSpriteFactory::GetSingleton()->CreateSprite(tarn::SPRITE_TEXT));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->GetType(), tarn::SPRITE_TEXT);
    EXPECT_NE(dynamic_cast<CTextSprite*>(sprite.get()), nullptr);
}

}  // namespace
