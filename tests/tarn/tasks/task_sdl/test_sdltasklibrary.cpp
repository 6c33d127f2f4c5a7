// Tests of the task library "sdl": loading it registers the window, event and graphics types
// (no graphics in a build of the tasks alone); the keyboard and mouse types exist without it.
#include <gtest/gtest.h>

#include "support/testsupport.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskfactory.h"

namespace {

TEST(SdlTaskLibrary, TaskloadRegistersWindowEventAndGfx) {
    testsupport::CTempDir dir;
    tarn::CTaskFactory* factory = tarn::CTaskFactory::GetSingleton();
    EXPECT_TRUE(factory->HasTaskType("keyboard"));
    EXPECT_TRUE(factory->HasTaskType("mouse"));
    for (const char* type : {"window", "event", "gfx"}) EXPECT_FALSE(factory->HasTaskType(type)) << type;
    tarn::CKernel::GetSingleton()->GetConsole()->Execute("taskload( SDL )");  // names are case-sensitive
    EXPECT_FALSE(factory->HasTaskType("window"));
    tarn::CKernel::GetSingleton()->GetConsole()->Execute("taskload( sdl )");
    for (const char* type : {"window", "event"}) EXPECT_TRUE(factory->HasTaskType(type)) << type;
#ifdef TARN_SDL_TASKS_ONLY
    EXPECT_FALSE(factory->HasTaskType("gfx"));
#else
    EXPECT_TRUE(factory->HasTaskType("gfx"));
#endif
    testsupport::ResetEngine();
}

}  // namespace
