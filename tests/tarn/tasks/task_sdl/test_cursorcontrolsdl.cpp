// Tests of the SDL cursor control under the dummy video driver: cursors are created once per
// change, type 0 leaves SDL's cursor alone, showing and hiding, and no video at all.
#include <SDL.h>
#include <gtest/gtest.h>

#include "tarn/tasks/task_sdl/ccursorcontrolsdl.h"
#include "tarn/inputdevice/ccursorimage.h"

namespace {

using tarn::CCursorControlSDL;

class CursorControl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
        ASSERT_NE(nullptr, SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE)) << SDL_GetError();
        // Classic SDL 1.2's dummy driver keeps cursors (a default one is current); SDL 1.2 over
        // SDL 2 makes none there.
        myLibraryHasCursors = SDL_GetCursor() != nullptr;
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    // Without cursors from the library every change only records the type.
    static void ExpectChangesWithoutCursors() {
        CCursorControlSDL control;
        for (const int type : {int(tarn::CURSOR_CROSS), int(tarn::CURSOR_HAND), int(tarn::CURSOR_NONE), 42, int(tarn::CURSOR_TEXT)}) {
            control.ChangeCursor(type);
            EXPECT_EQ(type, control.GetType());
            EXPECT_EQ(nullptr, control.GetCursor());
            EXPECT_EQ(nullptr, SDL_GetCursor());
        }
    }

    bool myLibraryHasCursors = true;
};

TEST_F(CursorControl, ChangingToTheSameTypeTwiceCreatesOneCursor) {
    if (!myLibraryHasCursors) return ExpectChangesWithoutCursors();
    CCursorControlSDL control;
    control.ChangeCursor(tarn::CURSOR_CROSS);
    SDL_Cursor* cross = control.GetCursor();
    ASSERT_NE(nullptr, cross);
    EXPECT_EQ(cross, SDL_GetCursor());
    control.ChangeCursor(tarn::CURSOR_CROSS);
    EXPECT_EQ(cross, control.GetCursor());
    EXPECT_EQ(cross, SDL_GetCursor());
    EXPECT_EQ(tarn::CURSOR_CROSS, control.GetType());
    // The cursor SDL holds carries the picture's hot spot.
    EXPECT_EQ(16, cross->hot_x);
    EXPECT_EQ(16, cross->hot_y);
    EXPECT_EQ(32, cross->area.w);

    control.ChangeCursor(tarn::CURSOR_HAND);
    EXPECT_NE(nullptr, control.GetCursor());
    EXPECT_EQ(control.GetCursor(), SDL_GetCursor());
    EXPECT_EQ(5, SDL_GetCursor()->hot_x);
}

TEST_F(CursorControl, TypeZeroAndUnknownTypesLeaveTheVisibleCursor) {
    if (!myLibraryHasCursors) return ExpectChangesWithoutCursors();
    CCursorControlSDL control;
    control.ChangeCursor(tarn::CURSOR_TEXT);
    SDL_Cursor* text = SDL_GetCursor();
    control.ChangeCursor(tarn::CURSOR_NONE);
    EXPECT_EQ(tarn::CURSOR_NONE, control.GetType());
    EXPECT_EQ(text, SDL_GetCursor());
    control.ChangeCursor(42);
    EXPECT_EQ(42, control.GetType());
    EXPECT_EQ(text, SDL_GetCursor());
    // Back to text: a new cursor, because the type changed.
    control.ChangeCursor(tarn::CURSOR_TEXT);
    EXPECT_EQ(3, SDL_GetCursor()->hot_x);
    EXPECT_EQ(7, SDL_GetCursor()->hot_y);
}

TEST_F(CursorControl, HideAndShow) {
    CCursorControlSDL control;
    control.HideCursor();
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    control.ShowCursor();
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
}

TEST_F(CursorControl, DestroyingTheControlGivesSdlItsDefaultCursorBack) {
    if (!myLibraryHasCursors) return ExpectChangesWithoutCursors();
    SDL_Cursor* original = SDL_GetCursor();
    {
        CCursorControlSDL control;
        control.ChangeCursor(tarn::CURSOR_BUSY);
        EXPECT_NE(original, SDL_GetCursor());
    }
    EXPECT_EQ(original, SDL_GetCursor());
}

TEST(CursorControlWithoutVideo, DoesNothingAndSurvivesVideoShutdown) {
    {
        CCursorControlSDL control;
        control.ChangeCursor(tarn::CURSOR_ARROW);
        control.HideCursor();
        control.ShowCursor();
        EXPECT_EQ(nullptr, control.GetCursor());
        EXPECT_EQ(tarn::CURSOR_ARROW, control.GetType());
    }
    // SDL frees its current cursor when the video stops; the control must not free it again.
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO));
    ASSERT_NE(nullptr, SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE));
    CCursorControlSDL control;
    control.ChangeCursor(tarn::CURSOR_CROSS);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    control.ChangeCursor(tarn::CURSOR_HAND);
}

}  // namespace
