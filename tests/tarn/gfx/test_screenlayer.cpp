// Tests of the screen layer: the first refresh draws everything, later refreshes redraw only
// what changed and report exactly its old and new places to the screen image, hiding and
// removing force a full flip, and a new video mode size redraws everything.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <string>
#include <vector>

#include "support/gfxtesthelpers.h"
#include "support/observe.h"
#include "support/testsupport.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"

namespace {

using tarn::CColor;
using tarn::CRect;
using tarn::CScreenLayer;
using tarn::CSprite;
using tarn::CSpriteHandle;
using testsupport::ScreenColor;

class ScreenLayer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError();
        // A fresh screen image may reuse the address of the one of the test before.
        Layer()->RedrawAll();
        myBack = Make(64, 48, CColor(90, 90, 90), 200, 0, 0);
        myRed = Make(4, 4, CColor(200, 0, 0), 100, 1, 1);
        myGreen = Make(3, 3, CColor(0, 200, 0), 50, 20, 20);
        Layer()->Refresh();
        Flip();
    }
    void TearDown() override {
        myBack.reset();
        myRed.reset();
        myGreen.reset();
        EXPECT_TRUE(Layer()->GetChildren().empty());
        testsupport::ResetEngine();
    }
    static CScreenLayer* Layer() { return CScreenLayer::GetSingleton(); }
    static CSpriteHandle Make(int w, int h, const CColor& color, int z, int x, int y) {
        CSpriteHandle sprite = tarn::CSpriteFactory::MakeHandle(new CSprite(testsupport::SolidImage(w, h, color)));
        sprite->SetZ(z);
        sprite->SetPosition(x, y);
        sprite->SetParent(Layer());
        return sprite;
    }
    std::list<CRect> Dirty() const { return myDisplay.Screen()->GetDirtyRects(); }
    void Flip() { myDisplay.Screen()->Update(); }
    static int DrawingAllCount() { return testsupport::Occurrences(testsupport::LogBody(), "drawing all"); }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
    CSpriteHandle myBack;
    CSpriteHandle myRed;
    CSpriteHandle myGreen;
};

TEST_F(ScreenLayer, TheFirstRefreshDrawsEverythingBackToFront) {
    EXPECT_NE(std::string::npos, testsupport::LogBody().find("drawing all")) << testsupport::LogBody();
    EXPECT_EQ("90,90,90", ScreenColor(0, 0));
    EXPECT_EQ("200,0,0", ScreenColor(1, 1));
    EXPECT_EQ("0,200,0", ScreenColor(22, 22));
    // Nothing changed: nothing is drawn or reported.
    Layer()->Refresh();
    EXPECT_TRUE(Dirty().empty());
    EXPECT_FALSE(myDisplay.Screen()->IsFullUpdate());
}

TEST_F(ScreenLayer, AMoveReportsTheNewAndTheOldPlace) {
    myRed->SetPosition(10, 5);
    myRed->SetPosition(12, 6);
    Layer()->Refresh();
    EXPECT_EQ((std::list<CRect>{CRect(12, 6, 4, 4), CRect(1, 1, 4, 4)}), Dirty());
    EXPECT_EQ("90,90,90", ScreenColor(1, 1));
    EXPECT_EQ("200,0,0", ScreenColor(12, 6));
    EXPECT_EQ("0,200,0", ScreenColor(20, 20));
    Flip();

    // A change in place reports one rectangle; the sprites behind are left alone.
    myGreen->SetAlpha(128);
    Layer()->Refresh();
    EXPECT_EQ((std::list<CRect>{CRect(20, 20, 3, 3)}), Dirty());
    EXPECT_EQ(45, tarn::GetScreen()->GetPixel(21, 21).r);
    Flip();

    // Moving over a nearer sprite: the nearer one stays in front.
    myRed->SetPosition(19, 19);
    Layer()->Refresh();
    EXPECT_EQ((std::list<CRect>{CRect(19, 19, 4, 4), CRect(12, 6, 4, 4)}), Dirty());
    EXPECT_EQ("200,0,0", ScreenColor(19, 19));
    EXPECT_EQ("100,100,0", ScreenColor(21, 21));
}

TEST_F(ScreenLayer, ANewSpriteShowsAtTheNextRefresh) {
    CSpriteHandle blue = Make(2, 2, CColor(0, 0, 200), 10, 30, 30);
    EXPECT_EQ("90,90,90", ScreenColor(30, 30));
    Layer()->Refresh();
    EXPECT_EQ("0,0,200", ScreenColor(30, 30));
    ASSERT_FALSE(Dirty().empty());
    EXPECT_EQ(CRect(30, 30, 2, 2), Dirty().front());
}

TEST_F(ScreenLayer, HidingAndRemovingFlipTheWholeScreen) {
    myRed->SetVisible(false);
    EXPECT_TRUE(myDisplay.Screen()->IsFullUpdate());
    EXPECT_EQ("90,90,90", ScreenColor(1, 1));
    Layer()->Refresh();
    Flip();
    myRed->SetVisible(true);
    Layer()->Refresh();
    EXPECT_EQ("200,0,0", ScreenColor(1, 1));
    EXPECT_FALSE(myDisplay.Screen()->IsFullUpdate());
    Flip();

    myGreen.reset();
    EXPECT_TRUE(myDisplay.Screen()->IsFullUpdate());
    EXPECT_EQ("90,90,90", ScreenColor(21, 21));
}

TEST_F(ScreenLayer, RemovingOrHidingASpriteThatIsNoChildRedrawsTheChildrenItErased) {
    CSprite stranger(testsupport::SolidImage(2, 2, CColor(0, 0, 200)));
    CSpriteHandle leaving = Make(2, 2, CColor(0, 0, 200), 10, 40, 40);
    Layer()->Refresh();
    const struct {
        const char* how;
        void (*call)(CSprite* stranger, CSprite* leaving);
        const char* atLeaving;
    } cases[] = {
        {"RemoveSprite", [](CSprite* s, CSprite*) { Layer()->RemoveSprite(s); }, "0,0,200"},
        {"HideSprite", [](CSprite* s, CSprite*) { Layer()->HideSprite(s); }, "0,0,200"},
        {"in two steps",
         [](CSprite*, CSprite* l) {
             l->SetParent(nullptr);
             Layer()->RemoveSprite(l);
         },
         "90,90,90"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        Flip();
        c.call(&stranger, leaving.get());
        Layer()->Refresh();
        EXPECT_EQ("90,90,90", ScreenColor(0, 0));
        EXPECT_EQ("200,0,0", ScreenColor(1, 1));
        EXPECT_EQ("0,200,0", ScreenColor(21, 21));
        EXPECT_EQ(c.atLeaving, ScreenColor(40, 40));
        EXPECT_TRUE(myDisplay.Screen()->IsFullUpdate());
    }
    EXPECT_EQ(3u, Layer()->GetChildren().size());
}

TEST_F(ScreenLayer, ANewVideoModeSizeRedrawsEverything) {
    Layer()->Refresh();
    myDisplay.Reopen(80, 60);
    EXPECT_EQ("0,0,0", ScreenColor(1, 1));
    EXPECT_EQ(1, DrawingAllCount());
    Layer()->Refresh();
    EXPECT_EQ(2, DrawingAllCount());
    EXPECT_EQ("200,0,0", ScreenColor(1, 1));
    EXPECT_EQ("0,200,0", ScreenColor(20, 20));
    EXPECT_EQ("90,90,90", ScreenColor(0, 0));
    EXPECT_TRUE(myDisplay.Screen()->IsFullUpdate());
}

TEST_F(ScreenLayer, NothingIsDrawnWithoutAScreen) {
    tarn::SetScreen(nullptr);
    myRed->SetPosition(30, 30);
    Layer()->Refresh();
    tarn::SetScreen(myDisplay.Screen());
    EXPECT_EQ("90,90,90", ScreenColor(30, 30));
    Layer()->Refresh();
    EXPECT_EQ("200,0,0", ScreenColor(30, 30));
}

}  // namespace

// The farthest sprite, when opaque, saves no background and blanks the places it leaves: the
// screen shows exactly what the saving and restoring path shows, step by step.
TEST_F(ScreenLayer, AnOpaqueFarthestSpriteDrawsOverBlankWithTheSameResult) {
    const auto snapshot = [] {
        std::string pixels;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) pixels += ScreenColor(x, y) + ";";
        }
        return pixels;
    };
    const auto play = [&](tarn::IPixel* backImage) {
        myBack.reset();
        myRed.reset();
        myGreen.reset();
        Layer()->Refresh();
        EXPECT_EQ(snapshot().find("90,90,90"), std::string::npos);
        std::vector<std::string> shots;
        CSpriteHandle back = tarn::CSpriteFactory::MakeHandle(new CSprite(backImage));
        back->SetZ(200);
        back->SetParent(Layer());
        CSpriteHandle red = Make(4, 4, CColor(200, 0, 0), 100, 1, 1);
        const auto shoot = [&] {
            Layer()->Refresh();
            shots.push_back(snapshot());
        };
        shoot();
        back->SetPosition(5, 3);
        shoot();
        red->SetPosition(2, 2);
        shoot();
        CSpriteHandle behind = Make(10, 10, CColor(200, 200, 0), 300, 0, 0);
        shoot();
        back->SetPosition(-3, 6);
        shoot();
        behind.reset();
        shoot();
        back->SetVisible(false);
        shoot();
        back->SetVisible(true);
        back->SetPosition(8, 8);
        shoot();
        back.reset();
        shoot();
        return shots;
    };
    tarn::IPixel* opaque = tarn::CreateOpaqueImage(40, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) opaque->PutPixel(x, y, CColor(90, 90, 90));
    }
    ASSERT_TRUE(tarn::IsOpaqueImage(opaque));
    tarn::IPixel* keyed = testsupport::SolidImage(40, 30, CColor(90, 90, 90));
    ASSERT_FALSE(tarn::IsOpaqueImage(keyed));
    const std::vector<std::string> overBlank = play(opaque);
    const std::vector<std::string> restored = play(keyed);
    ASSERT_EQ(overBlank.size(), restored.size());
    for (size_t i = 0; i < overBlank.size(); ++i) {
        const auto differ = std::mismatch(overBlank[i].begin(), overBlank[i].end(), restored[i].begin());
        EXPECT_TRUE(overBlank[i] == restored[i])
            << "step " << i << ": first difference at character " << (differ.first - overBlank[i].begin()) << ": "
            << overBlank[i].substr(differ.first - overBlank[i].begin(), 40) << " against "
            << restored[i].substr(differ.second - restored[i].begin(), 40);
    }
    EXPECT_EQ(restored.back().find("90,90,90"), std::string::npos);
    // With every sprite gone the screen is blank again.
    EXPECT_EQ(snapshot().find("200,"), std::string::npos);
}
