// Tests of the stand-in graphics task: it installs the SDL factory and the screen image, keeps
// the screen on the window's current surface, presents at most once per 16 ms, and removes
// everything when stopped.
#include <SDL.h>
#include <gtest/gtest.h>

#include "support/testsupport.h"
#include "tarn/gfx/cgfxsettings.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/task_sdl/capplicationsdl.h"
#include "tarn/tasks/task_sdl/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/cgfxtaskplaceholder.h"

namespace {

using tarn::CGfxTaskPlaceholder;

class GfxTaskPlaceholder : public ::testing::Test {
protected:
    void TearDown() override {
        testsupport::ResetEngine();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        tarn::GetGfxSettings() = tarn::CGfxSettings();
    }
    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{1000};
};

TEST_F(GfxTaskPlaceholder, FollowsTheWindowStartedAfterIt) {
    CGfxTaskPlaceholder gfx;
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

TEST_F(GfxTaskPlaceholder, PresentsAtMostOneFrameEvery16Milliseconds) {
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO));
    ASSERT_NE(nullptr, SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE));
    CGfxTaskPlaceholder gfx;
    gfx.Start();
    gfx.Update();
    EXPECT_EQ(1, gfx.GetFrameCount());
    myClock.Advance(10);
    gfx.Update();
    EXPECT_EQ(1, gfx.GetFrameCount());
    myClock.Advance(6);
    gfx.Update();
    gfx.Update();
    EXPECT_EQ(2, gfx.GetFrameCount());
    myClock.Advance(1000);
    gfx.Update();
    EXPECT_EQ(3, gfx.GetFrameCount());
}

}  // namespace
