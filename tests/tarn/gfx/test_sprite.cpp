// Tests of the sprite: drawing geometry at the target's edges and inside a scroll rectangle,
// saving and restoring what it covers, alpha, dirty tracking in a layer, derived images from
// Resize and SetImage, and reading bad sprite elements.
#include <SDL.h>
#include <gtest/gtest.h>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritelayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace {

using tarn::CColor;
using tarn::CRect;
using tarn::CSprite;
using testsupport::ScreenColor;

const CColor kRed(200, 0, 0);
const CColor kGreen(0, 200, 0);
const CColor kBlue(0, 0, 200);
const CColor kWhite(250, 250, 250);

class Sprite : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError();
        myTarget = std::make_unique<CSprite>(tarn::GetScreen(), tarn::ImageOwnership::Borrowed);
    }
    void TearDown() override {
        myTarget.reset();
        testsupport::ResetEngine();
    }
    // Paints the screen pixel x, y.
    static void Paint(int x, int y, const CColor& color) { tarn::GetScreen()->PutPixel(x, y, color); }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
    std::unique_ptr<CSprite> myTarget;
};

// Four columns: red, green, blue, white; two rows.
tarn::IPixel* Stripes() {
    tarn::IPixel* image = tarn::CreateImage(4, 2);
    const CColor colors[] = {kRed, kGreen, kBlue, kWhite};
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 2; ++y) image->PutPixel(x, y, colors[x]);
    }
    return image;
}

TEST_F(Sprite, TakesItsSizeFromTheImageAndNeverReleasesABorrowedOne) {
    CSprite sprite(Stripes());
    EXPECT_EQ(CRect(0, 0, 4, 2), sprite.GetRect());
    EXPECT_FALSE(sprite.IsEmpty());
    EXPECT_TRUE(CSprite().IsEmpty());
    // The screen sprite borrows the screen: the screen is still whole after it goes.
    EXPECT_EQ(CRect(0, 0, 64, 48), myTarget->GetRect());
    myTarget.reset();
    EXPECT_EQ(64, tarn::GetScreen()->GetWidth());
    // Whatever the caller says, a sprite never owns, scales or saves under the screen.
    {
        CSprite owner(tarn::GetScreen());
        owner.Resize(8, 8);
        EXPECT_EQ(tarn::GetScreen(), owner.GetImage());
        CSprite setter;
        setter.SetImage(tarn::GetScreen());
        EXPECT_FALSE(setter.SaveBackground(&owner));
    }
    EXPECT_EQ(64, tarn::GetScreen()->GetWidth());

    // Any lent image stays the lender's: not scaled, not released.
    tarn::IPixel* lent = testsupport::SolidImage(2, 2, kRed);
    {
        CSprite borrower(lent, tarn::ImageOwnership::Borrowed);
        borrower.Resize(8, 8);
        borrower.Rotate(90);
        EXPECT_EQ(lent, borrower.GetImage());
        EXPECT_EQ(CRect(0, 0, 2, 2), borrower.GetRect());
    }
    EXPECT_EQ("200,0,0", testsupport::ColorText(lent->GetPixel(1, 1)));
    tarn::ReleaseImage(lent);
}

TEST_F(Sprite, DrawsOnlyWhatLiesOnTheTarget) {
    CSprite sprite(Stripes());
    sprite.SetPosition(-2, 0);  // partly off the left edge: the right part of the image shows
    EXPECT_TRUE(sprite.Draw(myTarget.get()));
    EXPECT_EQ("0,0,200", ScreenColor(0, 0));
    EXPECT_EQ("250,250,250", ScreenColor(1, 1));
    EXPECT_EQ("0,0,0", ScreenColor(2, 0));

    sprite.SetPosition(62, 47);  // partly off the right and bottom edges
    EXPECT_TRUE(sprite.Draw(myTarget.get()));
    EXPECT_EQ("200,0,0", ScreenColor(62, 47));
    EXPECT_EQ("0,200,0", ScreenColor(63, 47));
    EXPECT_EQ("0,0,0", ScreenColor(62, 46));

    sprite.SetPosition(64, 0);  // touching the edge from outside: nothing
    EXPECT_FALSE(sprite.Draw(myTarget.get()));
    sprite.SetPosition(-4, -2);
    EXPECT_FALSE(sprite.Draw(myTarget.get()));
    EXPECT_FALSE(CSprite().Draw(myTarget.get()));
    // A target without an image has nothing to draw on.
    CSprite noImage;
    noImage.SetRect(CRect(0, 0, 64, 48));
    sprite.SetPosition(0, 0);
    EXPECT_FALSE(sprite.Draw(&noImage));
    EXPECT_FALSE(sprite.SaveBackground(&noImage));
    EXPECT_FALSE(sprite.DrawClipped(&noImage, CRect(0, 0, 8, 8)));
    EXPECT_FALSE(CSprite(tarn::GetNullImage()).Draw(myTarget.get()));
}

TEST_F(Sprite, NeverDrawsOutsideItsScrollRectangle) {
    CSprite sprite(testsupport::SolidImage(8, 8, kRed));
    sprite.SetScrollRect(CRect(2, 3, 3, 2));
    EXPECT_TRUE(sprite.Draw(myTarget.get()));
    EXPECT_EQ("200,0,0", ScreenColor(2, 3));
    EXPECT_EQ("200,0,0", ScreenColor(4, 4));
    EXPECT_EQ("0,0,0", ScreenColor(1, 3));
    EXPECT_EQ("0,0,0", ScreenColor(5, 4));
    EXPECT_EQ("0,0,0", ScreenColor(2, 5));

    // Moved so that it misses the scroll rectangle: nothing at all.
    sprite.SetPosition(20, 20);
    EXPECT_FALSE(sprite.Draw(myTarget.get()));
    EXPECT_EQ("0,0,0", ScreenColor(20, 20));

    // A clip narrows the drawing further.
    sprite.SetPosition(0, 0);
    tarn::GetScreen()->ClearRect(CRect(0, 0, 64, 48));
    EXPECT_TRUE(sprite.DrawClipped(myTarget.get(), CRect(4, 0, 10, 10)));
    EXPECT_EQ("0,0,0", ScreenColor(3, 3));
    EXPECT_EQ("200,0,0", ScreenColor(4, 3));
    EXPECT_FALSE(sprite.DrawClipped(myTarget.get(), CRect(30, 30, 5, 5)));
}

TEST_F(Sprite, ErasePutsBackWhatTheDrawingCovered) {
    for (int x = 0; x < 64; ++x) Paint(x, 1, kBlue);
    // Once inside the screen and once partly off its left edge.
    for (int x : {5, -2}) {
        CSprite sprite(testsupport::SolidImage(4, 4, kRed));
        sprite.SetPosition(x, 0);
        tarn::CSpriteLayer layer;  // the sprite draws when it is erased and due
        layer.SetTarget(myTarget.get());
        sprite.SetParent(&layer);
        layer.Redraw(myTarget.get());
        EXPECT_EQ("200,0,0", ScreenColor(std::max(x, 0), 1)) << x;
        EXPECT_TRUE(sprite.Erase(myTarget.get()));
        EXPECT_EQ("0,0,200", ScreenColor(std::max(x, 0), 1)) << x;
        EXPECT_EQ("0,0,200", ScreenColor(x + 3, 1)) << x;
        EXPECT_EQ("0,0,0", ScreenColor(x + 3, 2)) << x;
        EXPECT_TRUE(sprite.Erase(myTarget.get()));  // erasing twice restores once
        sprite.SetParent(nullptr);
    }
}

TEST_F(Sprite, AlphaBlendsTheDrawingAndIsResetAfterIt) {
    CSprite sprite(testsupport::SolidImage(2, 2, kRed));
    sprite.SetAlpha(128);
    EXPECT_TRUE(sprite.Draw(myTarget.get()));
    EXPECT_NEAR(100, tarn::GetScreen()->GetPixel(0, 0).r, 2);
    EXPECT_EQ(255, sprite.GetImage()->GetRawSurface()->format->alpha);
    sprite.SetAlpha(1000);
    EXPECT_EQ(255, sprite.GetAlpha());
}

TEST_F(Sprite, ChangesTwiceBeforeARedrawEraseOnceAndReportBothPlaces) {
    tarn::CSpriteLayer layer;
    layer.SetTarget(myTarget.get());
    CSprite sprite(testsupport::SolidImage(4, 4, kRed));
    sprite.SetPosition(1, 1);
    sprite.SetParent(&layer);
    layer.Redraw(myTarget.get());
    EXPECT_EQ(CSprite::DirtyState::Clean, sprite.GetDirtyState());
    EXPECT_EQ("200,0,0", ScreenColor(1, 1));

    sprite.SetX(10);
    EXPECT_EQ("0,0,0", ScreenColor(1, 1));  // erased at the old place at the first change
    Paint(1, 1, kGreen);
    sprite.SetPosition(20, 30);  // already dirty: not erased again, the green stays
    EXPECT_EQ("0,200,0", ScreenColor(1, 1));
    EXPECT_EQ(CSprite::DirtyState::Moved, sprite.GetDirtyState());
    EXPECT_EQ(CRect(1, 1, 4, 4), sprite.GetDirtyRect(1));
    EXPECT_EQ(CRect(20, 30, 4, 4), sprite.GetDirtyRect(0));

    layer.Redraw(myTarget.get());
    EXPECT_EQ(CSprite::DirtyState::Clean, sprite.GetDirtyState());
    EXPECT_EQ("200,0,0", ScreenColor(20, 30));
    EXPECT_EQ("0,0,0", ScreenColor(10, 1));

    sprite.SetAlpha(200);  // in place
    EXPECT_EQ(CSprite::DirtyState::InPlace, sprite.GetDirtyState());
    layer.Redraw(myTarget.get());
    sprite.SetParent(nullptr);
}

TEST_F(Sprite, MovedOffTheTargetAndBackItShowsAgain) {
    tarn::CSpriteLayer layer;
    layer.SetTarget(myTarget.get());
    CSprite sprite(testsupport::SolidImage(4, 4, kRed));
    sprite.SetParent(&layer);
    layer.Redraw(myTarget.get());
    sprite.SetPosition(100, 100);
    layer.Redraw(myTarget.get());
    EXPECT_EQ("0,0,0", ScreenColor(0, 0));
    sprite.SetPosition(8, 8);
    layer.Redraw(myTarget.get());
    EXPECT_EQ("200,0,0", ScreenColor(8, 8));
    sprite.SetParent(nullptr);
}

TEST_F(Sprite, ResizeAndRotateStartFromTheSourceImage) {
    tarn::IPixel* source = testsupport::SolidImage(4, 2, kGreen);
    CSprite sprite(source);
    sprite.Resize(8, 4);
    EXPECT_EQ(CRect(0, 0, 8, 4), sprite.GetRect());
    EXPECT_NE(source, sprite.GetImage());
    EXPECT_EQ(source, sprite.GetSourceImage());
    sprite.Resize(2, 1);
    EXPECT_EQ(2, sprite.GetImage()->GetWidth());
    sprite.Rotate(90);  // from the 4 by 2 source, not the 2 by 1 derived image
    EXPECT_GE(sprite.GetRect().h, 4);
    EXPECT_EQ(sprite.GetImage()->GetWidth(), sprite.GetRect().w);
    EXPECT_EQ(sprite.GetImage()->GetHeight(), sprite.GetRect().h);
    // Setting the source again undoes the derived image.
    sprite.SetImage(source);
    EXPECT_EQ(source, sprite.GetImage());
    EXPECT_EQ(CRect(0, 0, 4, 2), sprite.GetRect());
    // A new image replaces (and releases) both.
    sprite.SetImage(testsupport::SolidImage(3, 3, kRed));
    EXPECT_EQ(CRect(0, 0, 3, 3), sprite.GetRect());
    EXPECT_TRUE(sprite.Draw(myTarget.get()));
    EXPECT_EQ("200,0,0", ScreenColor(2, 2));
}

TEST_F(Sprite, ImageRectShowsAPartOfTheImage) {
    CSprite sprite(Stripes());
    sprite.SetImageRect(CRect(2, 0, 2, 2));
    EXPECT_EQ(CRect(0, 0, 2, 2), sprite.GetRect());
    EXPECT_EQ(CRect(2, 0, 2, 2), sprite.GetImageRect());
    EXPECT_TRUE(sprite.Draw(myTarget.get()));
    EXPECT_EQ("0,0,200", ScreenColor(0, 0));
    EXPECT_EQ("250,250,250", ScreenColor(1, 0));
    EXPECT_EQ("0,0,0", ScreenColor(2, 0));
}

TEST_F(Sprite, ReadingBadMembersGivesAnInvisibleSprite) {
    tarn::CXmlNode root("Sprite");
    auto add = [&root](const char* name, const char* content) {
        auto* child = new tarn::CXmlNode(name);
        child->SetContent(content);
        root.AddChild(child);
    };
    add("ImageFilename", "no/such/picture.png");
    add("Z", "not a number");
    add("Alpha", "-40");
    CSprite sprite;
    tarn::CXmlFileSys filesys(&root, tarn::CXmlFileSys::MODE_READ);
    sprite.Serialize(&filesys);
    EXPECT_FALSE(sprite.IsEmpty());
    EXPECT_TRUE(sprite.GetImage()->IsNullImage());
    EXPECT_EQ(100, sprite.GetZ());
    EXPECT_EQ(0, sprite.GetAlpha());
    EXPECT_FALSE(sprite.Draw(myTarget.get()));
}

}  // namespace
