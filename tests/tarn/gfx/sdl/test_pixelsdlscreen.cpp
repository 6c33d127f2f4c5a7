// Tests of the screen image: dirty rectangles with their cap and full-screen switch, the two
// console variables, flipping under the dummy driver, and leaving the display surface alone.
#include <SDL.h>
#include <gtest/gtest.h>

#include <list>

#include "support/testsupport.h"
#include "tarn/gfx/cgfxsettings.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/task_sdl/cgfxtasksdl.h"

namespace {

using tarn::CPixelSDLScreen;
using tarn::CRect;

class PixelSDLScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
        myVideo = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
        ASSERT_NE(nullptr, myVideo) << SDL_GetError();
        tarn::GetGfxSettings() = tarn::CGfxSettings();
        myScreen.reset(new CPixelSDLScreen());
        myScreen->SetSurface(myVideo, false);
    }
    void TearDown() override {
        myScreen.reset();
        // The display surface is still SDL's and still usable.
        EXPECT_EQ(myVideo, SDL_GetVideoSurface());
        EXPECT_EQ(0, SDL_FillRect(myVideo, nullptr, 0));
        testsupport::ResetEngine();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        tarn::GetGfxSettings() = tarn::CGfxSettings();
    }
    std::string Console(const std::string& line) { return tarn::CKernel::GetSingleton()->GetConsole()->Execute(line); }

    testsupport::CTempDir myDir;
    SDL_Surface* myVideo = nullptr;
    std::unique_ptr<CPixelSDLScreen> myScreen;
};

TEST_F(PixelSDLScreen, AttachingTheDisplayLogsItsSize) {
    const std::string log = testsupport::LogBody();
    EXPECT_NE(std::string::npos, log.find("( ) myWidth = 640\n( ) myHeight = 480\n")) << log;
    EXPECT_EQ(640, myScreen->GetWidth());
    EXPECT_EQ(myVideo, myScreen->GetRawSurface());
}

TEST_F(PixelSDLScreen, DirtyRectanglesAreClippedAndCapped) {
    myScreen->AddDirtyRect(CRect(10, 10, 20, 20));
    myScreen->AddDirtyRect(CRect(-10, 470, 30, 30));
    myScreen->AddDirtyRect(CRect(700, 10, 5, 5));  // off the screen: nothing to update
    myScreen->AddDirtyRect(CRect(5, 5, 0, 0));
    EXPECT_EQ((std::list<CRect>{CRect(10, 10, 20, 20), CRect(0, 470, 20, 10)}), myScreen->GetDirtyRects());
    EXPECT_FALSE(myScreen->IsFullUpdate());

    tarn::GetGfxSettings().myFlipRectsSize = 3;
    myScreen->AddDirtyRect(CRect(1, 1, 1, 1));
    EXPECT_FALSE(myScreen->IsFullUpdate());
    myScreen->AddDirtyRect(CRect(2, 2, 1, 1));  // the fourth: a full update instead
    EXPECT_TRUE(myScreen->IsFullUpdate());
    EXPECT_EQ(3u, myScreen->GetDirtyRects().size());
    myScreen->Update();
    EXPECT_TRUE(myScreen->GetDirtyRects().empty());
    EXPECT_FALSE(myScreen->IsFullUpdate());

    tarn::GetGfxSettings().myFlipRectsSize = 0;  // no cap
    for (int i = 0; i < 500; ++i) myScreen->AddDirtyRect(CRect(i % 600, 0, 5, 5));
    EXPECT_FALSE(myScreen->IsFullUpdate());
    EXPECT_EQ(500u, myScreen->GetDirtyRects().size());
}

TEST_F(PixelSDLScreen, TheWholeScreenSwitchesToAFullFlipUntilTheUpdate) {
    myScreen->AddDirtyRect(CRect(1, 1, 5, 5));
    myScreen->AddDirtyRect(CRect(0, 0, 640, 480));
    EXPECT_TRUE(myScreen->IsFullUpdate());
    myScreen->AddDirtyRect(CRect(7, 7, 5, 5));
    EXPECT_EQ(1u, myScreen->GetDirtyRects().size());
    myScreen->Update();
    EXPECT_FALSE(myScreen->IsFullUpdate());
    myScreen->AddDirtyRect(CRect(7, 7, 5, 5));
    EXPECT_EQ(1u, myScreen->GetDirtyRects().size());
    // A rectangle larger than the screen is only clipped, not a full update.
    myScreen->AddDirtyRect(CRect(-1, -1, 642, 482));
    EXPECT_FALSE(myScreen->IsFullUpdate());
}

TEST_F(PixelSDLScreen, RectangleByRectangleUpdatesEmptyTheList) {
    // Nothing dirty: nothing goes to the display. Rectangles go in one update.
    tarn::CLoopStats& stats = tarn::GetLoopStats();
    stats.Reset();
    myScreen->Update();
    EXPECT_EQ(0u, stats.Get(tarn::CLoopStats::FLIPS));
    myScreen->AddDirtyRect(CRect(0, 0, 10, 10));
    myScreen->AddDirtyRect(CRect(630, 470, 100, 100));
    myScreen->Update();
    EXPECT_EQ(1u, stats.Get(tarn::CLoopStats::FLIPS));
    EXPECT_TRUE(myScreen->GetDirtyRects().empty());
    myScreen->Update();
    EXPECT_EQ(1u, stats.Get(tarn::CLoopStats::FLIPS));
    // Without a display nothing is drawn, and the list is still emptied.
    CPixelSDLScreen detached;
    detached.AddDirtyRect(CRect(0, 0, 5, 5));
    detached.Update();
    EXPECT_TRUE(detached.GetDirtyRects().empty());
}

TEST_F(PixelSDLScreen, FlipSettingsAreConsoleVariablesOfTheGraphicsTask) {
    tarn::CGfxTaskSDL graphics;
    EXPECT_EQ("75", Console("gfx_flip_rects_size"));
    EXPECT_EQ("0", Console("gfx_flip_debug_rects"));
    Console("gfx_flip_rects_size = 2");
    Console("gfx_flip_debug_rects = 1");
    EXPECT_EQ(2, tarn::GetGfxSettings().myFlipRectsSize);
    EXPECT_TRUE(tarn::GetGfxSettings().myFlipDebugRects);
    // A second graphics task binds nothing twice and keeps the values.
    tarn::CGfxTaskSDL second;
    EXPECT_EQ("2", Console("gfx_flip_rects_size"));
    myScreen->AddDirtyRect(CRect(0, 0, 1, 1));
    myScreen->AddDirtyRect(CRect(1, 0, 1, 1));
    myScreen->AddDirtyRect(CRect(2, 0, 1, 1));
    EXPECT_TRUE(myScreen->IsFullUpdate());
    Console("gfx_flip_rects_size = nonsense");
    EXPECT_EQ(0, tarn::GetGfxSettings().myFlipRectsSize);
}

TEST_F(PixelSDLScreen, ReattachingNeverFreesTheOldDisplaySurface) {
    SDL_Surface* other = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    myScreen->SetSurface(other, true);
    EXPECT_EQ(8, myScreen->GetWidth());
    myScreen->AddDirtyRect(CRect(0, 0, 8, 8));
    EXPECT_TRUE(myScreen->IsFullUpdate());
    myScreen->SetSurface(myVideo, true);
    EXPECT_FALSE(myScreen->IsFullUpdate());
    SDL_FreeSurface(other);
}

}  // namespace
