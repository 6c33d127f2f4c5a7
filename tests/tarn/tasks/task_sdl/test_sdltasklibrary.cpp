// Tests of the task library "sdl": loading it registers the window, event and graphics types
// (no graphics in a build of the tasks alone); the keyboard and mouse types exist without it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "support/testsupport.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskfactory.h"

namespace {

// The checks, in a factory as the registrars left it before main; exits with 0, or with 1
// after saying on stderr what was wrong.
[[noreturn]] void TaskloadInAFreshProcess() {
    std::string wrong;
    {
        testsupport::CTempDir dir;
        tarn::CTaskFactory* factory = tarn::CTaskFactory::GetSingleton();
        const auto expect = [&wrong](bool held, const std::string& what) {
            if (!held) wrong += what + "\n";
        };
        expect(factory->HasTaskType("keyboard"), "no keyboard type");
        expect(factory->HasTaskType("mouse"), "no mouse type");
        for (const char* type : {"window", "event", "gfx"})
            expect(!factory->HasTaskType(type), std::string(type) + " before taskload");
        tarn::CKernel::GetSingleton()->GetConsole()->Execute("taskload( SDL )");  // names are case-sensitive
        expect(!factory->HasTaskType("window"), "window after taskload( SDL )");
        tarn::CKernel::GetSingleton()->GetConsole()->Execute("taskload( sdl )");
        for (const char* type : {"window", "event"})
            expect(factory->HasTaskType(type), std::string("no ") + type + " after taskload( sdl )");
#ifdef TARN_SDL_TASKS_ONLY
        expect(!factory->HasTaskType("gfx"), "gfx in a build of the tasks alone");
#else
        expect(factory->HasTaskType("gfx"), "no gfx after taskload( sdl )");
#endif
        testsupport::ResetEngine();
    }
    std::cerr << wrong;
    std::exit(wrong.empty() ? 0 : 1);
}

// A program that ran other tests before may have loaded the library already: the checks run
// in a process started afresh (not forked from this one).
TEST(SdlTaskLibrary, TaskloadRegistersWindowEventAndGfx) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(TaskloadInAFreshProcess(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
