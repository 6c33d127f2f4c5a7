// Tests of the keyboard task: the "bind" command, bindings run at the next update in the
// order they were made, the key-state table, and Escape ending the main loop through SDL.
#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/ceventtasksdl.h"
#include "tarn/tasks/task_sdl/ckeyboardtask.h"
#include "support/testsupport.h"

namespace {

using tarn::CEventDispatcher;
using tarn::CKeyboardTask;

const char* const kUsage = "[ERROR] You cannot bind unless you give us something to bind to something\n";

class KeyboardTask : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
        SDL_Event drained;
        while (SDL_PollEvent(&drained)) {
        }
    }
    void TearDown() override {
        testsupport::ResetEngine();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    std::string Bind(CKeyboardTask& task, const std::string& line) { return task.GetInterpreter()->Execute(line); }
    std::string Console(const std::string& name) {
        return tarn::CKernel::GetSingleton()->GetConsole()->GetVariable(name);
    }

    testsupport::CTempDir myDir;
};

TEST_F(KeyboardTask, BindAcceptsKeyNamesAndCodesAndRejectsIncompleteCalls) {
    CKeyboardTask task;
    EXPECT_FALSE(task.ExecuteCommand("bind( escape, \"x = 1\" )"));  // no interpreter before Start
    ASSERT_TRUE(task.Start());
    EXPECT_EQ("", Bind(task, "bind( escape, \"x = 1\" )"));
    EXPECT_EQ(1, task.GetBindingCount(27));
    EXPECT_EQ("", Bind(task, "bind( 282, \"x = 2\" )"));
    EXPECT_EQ(1, task.GetBindingCount(282));
    EXPECT_EQ("", Bind(task, "bind( 13.9, \"x = 3\" )"));  // numbers are truncated
    EXPECT_EQ(1, task.GetBindingCount(13));
    // A name that matches no key binds code 0, which no key event carries.
    EXPECT_EQ("", Bind(task, "bind( Escape, \"x = 4\" )"));
    EXPECT_EQ(1, task.GetBindingCount(0));
    EXPECT_EQ(1, task.GetBindingCount(27));

    for (const char* line : {"bind", "bind()", "bind( escape )", "bind( escape, 5 )"}) {
        EXPECT_EQ(kUsage, Bind(task, line)) << line;
    }
    EXPECT_TRUE(task.ExecuteCommand("bind"));
}

TEST_F(KeyboardTask, BindingsRunOnceAtTheNextUpdateInBindingOrder) {
    CKeyboardTask task;
    ASSERT_TRUE(task.Start());
    Bind(task, "bind( f1, \"a = 1\" )");
    Bind(task, "bind( f1, \"b = a\" )");  // sees a only when the first binding ran before it
    CEventDispatcher::GetSingleton()->NotifyKeyDown(282);
    EXPECT_EQ("", Console("b"));
    EXPECT_FALSE(task.IsKeyDown(282));
    task.Update();
    EXPECT_EQ("1", Console("a"));
    EXPECT_EQ("1", Console("b"));
    EXPECT_TRUE(task.IsKeyDown(282));

    // Holding the key repeats nothing; releasing it runs nothing either.
    tarn::CKernel::GetSingleton()->GetConsole()->SetVariable("a", "0");
    task.Update();
    CEventDispatcher::GetSingleton()->NotifyKeyUp(282);
    task.Update();
    EXPECT_EQ("0", Console("a"));
    EXPECT_FALSE(task.IsKeyDown(282));
}

TEST_F(KeyboardTask, PressesAreHandledBeforeReleasesWithinOneUpdate) {
    CKeyboardTask task;
    ASSERT_TRUE(task.Start());
    Bind(task, "bind( a, \"seen = down\" )");
    CEventDispatcher::GetSingleton()->NotifyKeyUp(97);
    CEventDispatcher::GetSingleton()->NotifyKeyDown(97);
    task.Update();
    EXPECT_EQ("down", Console("seen"));
    // The release came last, so the key ends up not held.
    EXPECT_FALSE(task.IsKeyDown(97));
}

TEST_F(KeyboardTask, CodesOutsideSdlsRangeStayOutsideTheKeyStateTable) {
    CKeyboardTask task;
    ASSERT_TRUE(task.Start());
    for (const char* line : {"bind( -1, \"k = minus\" )", "bind( 324, \"k = past\" )", "bind( 99999999999, \"k = huge\" )",
                             "bind( -99999999999, \"k = tiny\" )"}) {
        EXPECT_EQ("", Bind(task, line)) << line;
    }
    EXPECT_EQ(1, task.GetBindingCount(INT_MAX));
    EXPECT_EQ(1, task.GetBindingCount(INT_MIN));
    for (int key : {-1, 324, INT_MAX, INT_MIN, 323, 0}) {
        CEventDispatcher::GetSingleton()->NotifyKeyDown(key);
    }
    task.Update();
    for (int key : {-1, 324, INT_MAX, INT_MIN}) EXPECT_FALSE(task.IsKeyDown(key)) << key;
    EXPECT_TRUE(task.IsKeyDown(323));
    EXPECT_TRUE(task.IsKeyDown(0));
}

TEST_F(KeyboardTask, StoppingLeavesTheDispatcher) {
    CKeyboardTask task;
    ASSERT_TRUE(task.Start());
    Bind(task, "bind( space, \"hit = yes\" )");
    task.OnStop();
    CEventDispatcher::GetSingleton()->NotifyKeyDown(32);
    task.Update();
    EXPECT_EQ("", Console("hit"));
}

void PushKey(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    ASSERT_EQ(0, SDL_PushEvent(&event));
}

TEST_F(KeyboardTask, EscapeFromSdlsQueueEndsTheMainLoopInTheSameFrame) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    tarn::CEventTaskSDL events;
    events.SetPriority(10);
    CKeyboardTask keyboard;
    keyboard.SetPriority(20);
    manager->AddTask(&events, nullptr);
    manager->AddTask(&keyboard, nullptr);
    keyboard.ExecuteCommand("bind( escape, \"quit()\" )");
    EXPECT_TRUE(manager->RunOnce());
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    PushKey(SDL_KEYUP, SDLK_ESCAPE);
    manager->RunOnce();
    EXPECT_TRUE(manager->GetTasks().empty());
}

TEST_F(KeyboardTask, AKeyboardTaskRunningFirstActsOneFrameLater) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    CKeyboardTask keyboard;
    keyboard.SetPriority(5);
    tarn::CEventTaskSDL events;
    events.SetPriority(10);
    manager->AddTask(&keyboard, nullptr);
    manager->AddTask(&events, nullptr);
    keyboard.ExecuteCommand("bind( return, \"frames = seen\" )");
    PushKey(SDL_KEYDOWN, SDLK_RETURN);
    manager->RunOnce();
    EXPECT_EQ("", Console("frames"));
    manager->RunOnce();
    EXPECT_EQ("seen", Console("frames"));
    manager->StopTask(&keyboard);
    manager->StopTask(&events);
}

TEST_F(KeyboardTask, TheStartUpScriptCanBindEscapeToQuit) {
    tarn::CInterpreter* console = tarn::CKernel::GetSingleton()->GetConsole();
    console->Execute("taskload( sdl )");
    EXPECT_EQ("event started", console->Execute("starttask( event, script_events, 10 )"));
    EXPECT_EQ("keyboard started", console->Execute("starttask( keyboard, script_keys, 20 )"));
    console->Execute("script_keys::bind( escape, \"quit()\" )");
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    EXPECT_TRUE(manager->RunOnce());
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    manager->RunOnce();
    EXPECT_FALSE(manager->RunOnce());
}

}  // namespace
