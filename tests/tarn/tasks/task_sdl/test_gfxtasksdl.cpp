// Tests of the graphics task: it installs the SDL factory and the screen image, keeps the
// screen on the window's current surface, draws the screen layer at most once per 16 ms,
// and removes everything when stopped while the sprites live on.
#include <SDL.h>
#include <gtest/gtest.h>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cgfxsettings.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/task_sdl/capplicationsdl.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/cgfxtasksdl.h"

namespace {

using tarn::CGfxTaskSDL;

class GfxTaskSDL : public ::testing::Test {
protected:
    void TearDown() override {
        testsupport::ResetEngine();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        tarn::GetGfxSettings() = tarn::CGfxSettings();
    }
    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{1000};
};

TEST_F(GfxTaskSDL, FollowsTheWindowStartedAfterIt) {
    CGfxTaskSDL gfx;
    ASSERT_TRUE(gfx.Start());
    EXPECT_NE(nullptr, tarn::GetFactory());
    tarn::IPixel* screen = tarn::GetScreen();
    EXPECT_FALSE(screen->IsNullImage());
    EXPECT_TRUE(screen->IsEmpty());  // no window yet

    tarn::CApplicationSDL window;
    tarn::CParameterList size;
    size.AddNumber(320);
    size.AddNumber(200);
    window.Start(&size);
    gfx.Update();
    EXPECT_EQ(SDL_GetVideoSurface(), screen->GetRawSurface());
    EXPECT_EQ(320, screen->GetWidth());

    window.Resize(400, 300);  // the surface changes when the mode is reopened
    gfx.OnResize(400, 300);
    EXPECT_EQ(SDL_GetVideoSurface(), screen->GetRawSurface());
    EXPECT_EQ(300, screen->GetHeight());

    // Images made through the facade now have the screen's layout.
    tarn::IPixel* image = tarn::CreateImage(4, 4);
    EXPECT_EQ(SDL_GetVideoSurface()->format->BitsPerPixel, image->GetRawSurface()->format->BitsPerPixel);
    tarn::ReleaseImage(image);

    gfx.OnStop();
    EXPECT_EQ(nullptr, tarn::GetFactory());
    EXPECT_TRUE(tarn::GetScreen()->IsNullImage());
    EXPECT_FALSE(tarn::CEventDispatcher::GetSingleton()->HasResizeListener(&gfx));
    // The display surface is untouched by the screen image's end.
    EXPECT_EQ(0, SDL_FillRect(SDL_GetVideoSurface(), nullptr, 0));
}

TEST_F(GfxTaskSDL, PresentsAtMostOneFrameEvery16Milliseconds) {
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO));
    ASSERT_NE(nullptr, SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE));
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    CGfxTaskSDL gfx;
    gfx.Start();
    gfx.Update();
    EXPECT_EQ(1, gfx.GetFrameCount());
    // The main loop is asked back when the next frame is due.
    EXPECT_EQ(16u, manager->TimeUntilDue());
    myClock.Advance(10);
    gfx.Update();
    EXPECT_EQ(1, gfx.GetFrameCount());
    EXPECT_EQ(6u, manager->TimeUntilDue());
    myClock.Advance(6);
    gfx.Update();
    gfx.Update();
    EXPECT_EQ(2, gfx.GetFrameCount());
    myClock.Advance(1000);
    gfx.Update();
    EXPECT_EQ(3, gfx.GetFrameCount());
}

TEST_F(GfxTaskSDL, DrawsChangedSpritesOntoTheScreen) {
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO));
    ASSERT_NE(nullptr, SDL_SetVideoMode(64, 48, 32, SDL_SWSURFACE));
    SDL_FillRect(SDL_GetVideoSurface(), nullptr, 0);
    CGfxTaskSDL gfx;
    ASSERT_TRUE(gfx.Start());
    tarn::CSpriteHandle sprite = tarn::CSpriteFactory::MakeHandle(
        new tarn::CSprite(testsupport::SolidImage(4, 4, tarn::CColor(200, 0, 0))));
    sprite->SetParent(tarn::CScreenLayer::GetSingleton());
    sprite->SetPosition(5, 6);
    EXPECT_EQ("0,0,0", testsupport::ScreenColor(5, 6));
    gfx.Update();
    EXPECT_EQ("200,0,0", testsupport::ScreenColor(5, 6));

    sprite->SetPosition(20, 20);
    myClock.Advance(5);
    gfx.Update();  // too early: erased, not yet drawn again
    EXPECT_EQ("0,0,0", testsupport::ScreenColor(20, 20));
    myClock.Advance(11);
    gfx.Update();
    EXPECT_EQ("200,0,0", testsupport::ScreenColor(20, 20));
    EXPECT_EQ("0,0,0", testsupport::ScreenColor(5, 6));

    // Stopped, the task takes the screen away; the sprite may still change and go.
    gfx.OnStop();
    sprite->SetPosition(1, 1);
    gfx.Update();
    // Started again, everything is drawn on the screen image it installs.
    ASSERT_TRUE(gfx.Start());
    gfx.Update();
    EXPECT_EQ("200,0,0", testsupport::ScreenColor(1, 1));
    sprite.reset();
    EXPECT_TRUE(tarn::CScreenLayer::GetSingleton()->GetChildren().empty());
    gfx.OnStop();
}

}  // namespace
