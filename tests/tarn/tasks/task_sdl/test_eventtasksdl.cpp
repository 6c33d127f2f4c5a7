// Tests of the event task: events pushed into SDL's real queue (dummy video driver) reach the
// dispatcher's listeners; quitting, focus changes and the cursor control it lends.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/ceventtasksdl.h"

namespace {

using tarn::CEventDispatcher;
using tarn::CEventTaskSDL;

std::vector<std::string> theCalls;

struct CRecorder : tarn::IKeyListener, tarn::IMouseListener {
    void OnKeyDown(int key) override { theCalls.push_back("key down " + std::to_string(key)); }
    void OnKeyUp(int key) override { theCalls.push_back("key up " + std::to_string(key)); }
    void OnMouseMove(int x, int y) override {
        theCalls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void OnMouseDown(int button) override { theCalls.push_back("down " + std::to_string(button)); }
    void OnMouseUp(int button) override { theCalls.push_back("up " + std::to_string(button)); }
    void OnResize(int w, int h) { theCalls.push_back("size " + std::to_string(w) + "x" + std::to_string(h)); }
    void OnActivate(bool active) { theCalls.push_back(active ? "active" : "inactive"); }
};

void Push(SDL_Event event) { ASSERT_EQ(0, SDL_PushEvent(&event)); }

SDL_Event Button(Uint8 type, Uint8 button) {
    SDL_Event event{};
    event.type = type;
    event.button.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

SDL_Event Active(Uint8 state, Uint8 gain) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.type = SDL_ACTIVEEVENT;
    event.active.state = state;
    event.active.gain = gain;
    return event;
}

class EventTask : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
        SDL_Event drained;
        while (SDL_PollEvent(&drained)) {
        }
        theCalls.clear();
        CEventDispatcher* dispatcher = CEventDispatcher::GetSingleton();
        dispatcher->AddKeyListener(&myRecorder);
        dispatcher->AddMouseListener(&myRecorder);
        dispatcher->AddActivityListener(&myRecorder);
    }
    void TearDown() override {
        CEventDispatcher* dispatcher = CEventDispatcher::GetSingleton();
        dispatcher->RemoveKeyListener(&myRecorder);
        dispatcher->RemoveMouseListener(&myRecorder);
        dispatcher->RemoveActivityListener(&myRecorder);
        testsupport::ResetEngine();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    testsupport::CTempDir myDir;
    CRecorder myRecorder;
    CEventTaskSDL myTask;
};

TEST_F(EventTask, KeysMotionAndResizesReachTheListenersInQueueOrder) {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_F1;
    Push(key);
    key.type = SDL_KEYUP;
    Push(key);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 17;
    motion.motion.y = 300;
    Push(motion);
    SDL_Event resize{};
    resize.type = SDL_VIDEORESIZE;
    resize.resize.w = 1024;
    resize.resize.h = 700;
    Push(resize);
    SDL_Event other{};
    other.type = SDL_USEREVENT;
    Push(other);
    myTask.Update();
    EXPECT_EQ((std::vector<std::string>{"key down 282", "key up 282", "move 17,300", "size 1024x700"}), theCalls);
    EXPECT_EQ(1024, CEventDispatcher::GetSingleton()->GetWidth());
    EXPECT_EQ(700, CEventDispatcher::GetSingleton()->GetHeight());
    SDL_Event left;
    EXPECT_EQ(0, SDL_PollEvent(&left));
}

TEST_F(EventTask, MouseButtonsBecomeBitCodes) {
    const struct {
        Uint8 sdl;
        int code;
    } table[] = {{SDL_BUTTON_LEFT, 1},    {SDL_BUTTON_MIDDLE, 2},    {SDL_BUTTON_RIGHT, 4},
                 {SDL_BUTTON_WHEELUP, 8}, {SDL_BUTTON_WHEELDOWN, 16}, {6, 0}, {0, 0}, {255, 0}};
    for (const auto& entry : table) {
        theCalls.clear();
        Push(Button(SDL_MOUSEBUTTONDOWN, entry.sdl));
        Push(Button(SDL_MOUSEBUTTONUP, entry.sdl));
        myTask.Update();
        const std::string code = std::to_string(entry.code);
        EXPECT_EQ((std::vector<std::string>{"down " + code, "up " + code}), theCalls) << int(entry.sdl);
        EXPECT_EQ(entry.code, CEventTaskSDL::MapMouseButton(entry.sdl));
    }
}

// Pushes a second event while the first is handled: both belong to the same update.
struct CPusher : tarn::IKeyListener {
    void OnKeyDown(int key) override {
        if (key != SDLK_a) return;
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = SDLK_b;
        SDL_PushEvent(&event);
    }
    void OnKeyUp(int) override {}
};

TEST_F(EventTask, EventsArrivingWhileDrainingAreHandledInTheSameUpdate) {
    CPusher pusher;
    CEventDispatcher::GetSingleton()->AddKeyListener(&pusher);
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_a;
    Push(key);
    myTask.Update();
    CEventDispatcher::GetSingleton()->RemoveKeyListener(&pusher);
    EXPECT_EQ((std::vector<std::string>{"key down 97", "key down 98"}), theCalls);
}

// Stays in the active list only while the application has input focus.
class CShyTask : public tarn::CTask {
public:
    void Update() override { ++myUpdates; }
    bool PauseWhenInactive() const override { return true; }
    int myUpdates = 0;
};

class CPlainTask : public tarn::CTask {
public:
    void Update() override { ++myUpdates; }
    int myUpdates = 0;
};

bool IsActive(const tarn::CTask* task) {
    const auto& tasks = tarn::CTaskManager::GetSingleton()->GetTasks();
    return std::find(tasks.begin(), tasks.end(), task) != tasks.end();
}

TEST_F(EventTask, LosingInputFocusPausesTheTasksThatAskForIt) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    CShyTask shy;
    CPlainTask plain;
    manager->AddTask(&myTask, nullptr);
    manager->AddTask(&shy, nullptr);
    manager->AddTask(&plain, nullptr);

    Push(Active(SDL_APPMOUSEFOCUS, 0));  // mouse focus alone changes nothing
    manager->RunOnce();
    EXPECT_TRUE(IsActive(&shy));
    EXPECT_EQ((std::vector<std::string>{}), theCalls);

    Push(Active(SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS, 0));
    manager->RunOnce();
    EXPECT_FALSE(IsActive(&shy));
    EXPECT_TRUE(IsActive(&plain));
    EXPECT_FALSE(manager->GetActivityListener()->IsActive());
    const int updatesWhilePaused = shy.myUpdates;
    manager->RunOnce();
    EXPECT_EQ(updatesWhilePaused, shy.myUpdates);

    Push(Active(SDL_APPINPUTFOCUS, 1));
    manager->RunOnce();
    EXPECT_TRUE(IsActive(&shy));
    EXPECT_TRUE(manager->GetActivityListener()->IsActive());
    EXPECT_EQ((std::vector<std::string>{"inactive", "active"}), theCalls);
    manager->StopTask(&myTask);
    manager->StopTask(&shy);
    manager->StopTask(&plain);
}

TEST_F(EventTask, ClosingTheWindowEndsTheMainLoopAsQuitDoes) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    CPlainTask plain;
    manager->AddTask(&myTask, nullptr);
    manager->AddTask(&plain, nullptr);
    EXPECT_TRUE(manager->RunOnce());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    manager->RunOnce();
    EXPECT_FALSE(manager->RunOnce());
    EXPECT_TRUE(plain.IsDead());
}

TEST_F(EventTask, LendsItsCursorControlWhileRunning) {
    CEventDispatcher* dispatcher = CEventDispatcher::GetSingleton();
    EXPECT_EQ(nullptr, dispatcher->GetCursorControl());
    myTask.Start();
    EXPECT_EQ(myTask.GetCursorControl(), dispatcher->GetCursorControl());
    myTask.OnStop();
    EXPECT_EQ(nullptr, dispatcher->GetCursorControl());
    {
        CEventTaskSDL shortLived;
        shortLived.Start();
    }
    EXPECT_EQ(nullptr, dispatcher->GetCursorControl());
}

TEST_F(EventTask, TheTaskManagerLeavesTheDispatcherWhenDeleted) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    const void* listener = manager->GetActivityListener();
    EXPECT_TRUE(CEventDispatcher::GetSingleton()->HasActivityListener(listener));
    tarn::CTaskManager::DeleteSingleton();
    EXPECT_FALSE(CEventDispatcher::GetSingleton()->HasActivityListener(listener));
    // A focus change after teardown reaches no deleted listener.
    CEventDispatcher::GetSingleton()->NotifyActivity(false);
}

}  // namespace
