// Tests of the animated sprite on a display: frames show their rectangle of the sprite sheet,
// animated sprite files load through the sprite factory and round trip, and bad animation
// elements are skipped or mapped to the one frame type.
#include <SDL.h>
#include <gtest/gtest.h>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/canimation.h"
#include "tarn/gfx/canimationupdater.h"
#include "tarn/gfx/cframerect.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace {

using tarn::CAnimatedSprite;
using tarn::CAnimation;
using tarn::CColor;
using tarn::CFrameRect;
using tarn::CRect;
using tarn::CSpriteHandle;

class AnimatedSprite : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError();
        tarn::CScreenLayer::GetSingleton()->RedrawAll();
        // A sheet of three 4 by 4 frames: red, green, blue.
        tarn::IPixel* sheet = tarn::CreateImage(12, 4);
        const CColor colors[] = {CColor(200, 0, 0), CColor(0, 200, 0), CColor(0, 0, 200)};
        for (int x = 0; x < 12; ++x) {
            for (int y = 0; y < 4; ++y) sheet->PutPixel(x, y, colors[x / 4]);
        }
        ASSERT_TRUE(sheet->Save("sheet.bmp"));
        tarn::ReleaseImage(sheet);
    }
    void TearDown() override {
        EXPECT_TRUE(tarn::CScreenLayer::GetSingleton()->GetChildren().empty());
        EXPECT_TRUE(tarn::CAnimationUpdater::GetSingleton()->GetSprites().empty());
        testsupport::ResetEngine();
    }
    static std::unique_ptr<CAnimation> Walk(const std::string& name, bool loop) {
        auto animation = std::make_unique<CAnimation>(name, loop);
        for (int i = 0; i < 3; ++i) animation->AddFrame(std::make_unique<CFrameRect>(CRect(i * 4, 0, 4, 4), 100));
        return animation;
    }
    static void Frame(tarn::types::ticks now) {
        tarn::CAnimationUpdater::GetSingleton()->Update(now);
        tarn::CScreenLayer::GetSingleton()->Refresh();
    }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(AnimatedSprite, ShowsEachFramesRectangleOfTheSheet) {
    auto* sprite = new CAnimatedSprite();
    CSpriteHandle handle = tarn::CSpriteFactory::MakeHandle(sprite);
    sprite->SetImage(tarn::LoadImage("sheet.bmp"));
    sprite->AddAnimation(Walk("walk", true));
    sprite->SetPosition(10, 10);
    sprite->SetParent(tarn::CScreenLayer::GetSingleton());
    sprite->SetAnimation("walk");
    Frame(1000);
    EXPECT_EQ(CRect(10, 10, 4, 4), sprite->GetRect());
    EXPECT_EQ("200,0,0", testsupport::ScreenColor(13, 13));
    EXPECT_EQ("0,0,0", testsupport::ScreenColor(14, 13));
    Frame(1100);
    EXPECT_EQ("0,200,0", testsupport::ScreenColor(13, 13));
    Frame(1200);
    EXPECT_EQ("0,0,200", testsupport::ScreenColor(10, 10));
    Frame(1300);
    EXPECT_EQ("200,0,0", testsupport::ScreenColor(10, 10));
    sprite->Stop();
}

TEST_F(AnimatedSprite, FilesLoadThroughTheFactoryAndRoundTrip) {
    {
        CAnimatedSprite original;
        original.SetImage(tarn::LoadImage("sheet.bmp"));
        original.AddAnimation(Walk("walk", true));
        auto once = std::make_unique<CAnimation>("once", false);
        auto frame = std::make_unique<CFrameRect>(CRect(8, 0, 4, 4), 20);
        frame->SetWrapped(std::make_unique<CFrameRect>(CRect(0, 0, 4, 4), 70));
        once->AddFrame(std::move(frame));
        original.AddAnimation(std::move(once));
        original.SetAnimation("once");
        original.SetTimeMultiply(1.5f);
        original.Stop();
        ASSERT_TRUE(tarn::XmlSave(original, "walker.xml", "Sprite"));
    }
    const std::string text = testsupport::ReadFile("walker.xml");
    EXPECT_EQ(0u, text.find("<Sprite type=\"sprite_animated\" >\n  <ImageFilename>\n    sheet.bmp\n")) << text;
    EXPECT_NE(std::string::npos, text.find("  <CurrentAnimation>\n    once\n  </CurrentAnimation>\n")) << text;
    EXPECT_NE(std::string::npos, text.find("  <TimeMultiply>\n    1.5\n  </TimeMultiply>\n")) << text;
    EXPECT_NE(std::string::npos, text.find("<Animation loop=\"0\" name=\"once\" >")) << text;
    EXPECT_NE(std::string::npos, text.find("<Wrapped type=\"frame_rect\" >")) << text;

    CSpriteHandle handle = tarn::CSpriteFactory::GetSingleton()->LoadSprite("walker.xml");
    ASSERT_EQ(tarn::SPRITE_ANIMATED, handle->GetType());
    auto* loaded = static_cast<CAnimatedSprite*>(handle.get());
    // The stored animation plays from its first frame.
    EXPECT_EQ("once", loaded->GetAnimationName());
    EXPECT_TRUE(loaded->IsPlaying());
    EXPECT_EQ(1, loaded->GetFrameCount());
    Frame(500);
    // The outer frame shows its rectangle, then the wrapped one shows its own.
    EXPECT_EQ(CRect(0, 0, 4, 4), loaded->GetImageRect());
    Frame(540);
    EXPECT_TRUE(loaded->IsPlaying());  // the wrapped 70 ms decide, not the outer 20
    Frame(570);
    EXPECT_FALSE(loaded->IsPlaying());
    loaded->SetAnimation("walk");
    EXPECT_EQ(3, loaded->GetFrameCount());
    loaded->Stop();
}

TEST_F(AnimatedSprite, BadAnimationElementsAreSkipped) {
    testsupport::WriteFile("bad.xml",
                           "<Sprite type=\"sprite_animated\">\n"
                           "<ImageFilename>sheet.bmp</ImageFilename>\n"
                           "<CurrentAnimation>a</CurrentAnimation>\n"
                           "<CurrentFrame>99</CurrentFrame>\n"
                           "<TimeMultiply>fast</TimeMultiply>\n"
                           "<Animation name=\"a\" loop=\"maybe\">\n"
                           "<Frame><Rect x=\"4\" y=\"0\" w=\"4\" h=\"4\"/></Frame>\n"
                           "<Frame type=\"frame_unknown\"><Rect x=\"8\" y=\"0\" w=\"4\" h=\"4\"/>"
                           "<FrameLength>-5</FrameLength><Wrapped/></Frame>\n"
                           "</Animation>\n"
                           "<Animation/>\n"
                           "</Sprite>\n");
    CSpriteHandle handle = tarn::CSpriteFactory::GetSingleton()->LoadSprite("bad.xml");
    ASSERT_EQ(tarn::SPRITE_ANIMATED, handle->GetType());
    auto* sprite = static_cast<CAnimatedSprite*>(handle.get());
    EXPECT_EQ("a", sprite->GetAnimationName());
    EXPECT_EQ(1, sprite->GetFrameCount());  // the frame without a type is skipped
    Frame(100);
    EXPECT_EQ(CRect(8, 0, 4, 4), sprite->GetImageRect());
    Frame(200);
    sprite->Stop();
}

}  // namespace
