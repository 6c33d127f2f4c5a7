// Tests of the mouse task's cursor commands, through its interpreter and through the task
// factory, with and without a running event task.
#include <SDL.h>
#include <gtest/gtest.h>

#include "support/testsupport.h"
#include "support/videotest.h"
#include "tarn/inputdevice/ccursorimage.h"
#include "tarn/inputdevice/cmousetask.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/ceventtasksdl.h"

namespace {

using tarn::CMouseTask;

class MouseTask : public testsupport::CVideoTest {};

TEST_F(MouseTask, StartsPausedWithThreeCommands) {
    CMouseTask task;
    EXPECT_FALSE(task.ExecuteCommand("CursorHide"));
    EXPECT_FALSE(task.Start());
    tarn::CInterpreter* commands = task.GetInterpreter();
    ASSERT_NE(nullptr, commands);
    EXPECT_EQ("", commands->Execute("CursorHide"));
    EXPECT_EQ("", commands->Execute("CursorShow( ignored, 3 )"));
    EXPECT_EQ("", commands->Execute("CursorChangeTo( cursor_cross )"));
    EXPECT_EQ("[ERROR] Could not recognize your cursor type", commands->Execute("CursorChangeTo( 5 )"));
    EXPECT_EQ("[ERROR] Could not recognize your cursor type", commands->Execute("CursorChangeTo()"));
    EXPECT_EQ("[ERROR] Needs a parameter to define to what we change our cursor( like arrow, cross, text... )",
              commands->Execute("CursorChangeTo"));
    EXPECT_TRUE(task.ExecuteCommand("CursorHide"));
}

TEST_F(MouseTask, CommandsReachTheEventTasksCursor) {
    tarn::CEventTaskSDL events;
    events.Start();
    CMouseTask task;
    task.Start();
    task.ExecuteCommand("CursorHide");
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    task.ExecuteCommand("CursorShow");
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));

    task.ExecuteCommand("CursorChangeTo( cursor_cross )");
    SDL_Cursor* cross = SDL_GetCursor();
    EXPECT_EQ(events.GetCursorControl()->GetCursor(), cross);
    task.ExecuteCommand("CursorChangeTo( cursor_cross )");
    EXPECT_EQ(cross, SDL_GetCursor());  // created once
    task.ExecuteCommand("CursorChangeTo( no_such_cursor )");
    EXPECT_EQ(tarn::CURSOR_NONE, events.GetCursorControl()->GetType());
    EXPECT_EQ(cross, SDL_GetCursor());
    events.OnStop();

    // Without an event task the commands change nothing.
    task.ExecuteCommand("CursorChangeTo( cursor_hand )");
    task.ExecuteCommand("CursorHide");
    EXPECT_EQ(cross, SDL_GetCursor());
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
}

TEST_F(MouseTask, IsRegisteredForTheStartUpScript) {
    tarn::CInterpreter* console = tarn::CKernel::GetSingleton()->GetConsole();
    EXPECT_EQ("mouse started", console->Execute("starttask( mouse, script_mouse )"));
    const auto& paused = tarn::CTaskManager::GetSingleton()->GetPausedTasks();
    bool found = false;
    for (const tarn::CTask* task : paused) found = found || task->GetName() == "script_mouse";
    EXPECT_TRUE(found);
    EXPECT_EQ("", console->Execute("script_mouse::CursorChangeTo( cursor_arrow )"));
}

}  // namespace
