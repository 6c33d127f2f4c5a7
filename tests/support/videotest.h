// A test fixture with a 64x64 32-bit video mode open under the dummy driver; tearing down
// resets the engine's singletons and stops the video again.
#ifndef TESTS_SUPPORT_VIDEOTEST_H
#define TESTS_SUPPORT_VIDEOTEST_H

#include <gtest/gtest.h>

#include <SDL.h>

#include "support/testsupport.h"

namespace testsupport {

class CVideoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
        ASSERT_NE(nullptr, SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE)) << SDL_GetError();
    }
    void TearDown() override {
        ResetEngine();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    CTempDir myDir;
};

}  // namespace testsupport

#endif
