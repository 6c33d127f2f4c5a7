// Tests of the event dispatcher: listener lists per kind, the last size, forwarding of the
// cursor commands, and listeners that come and go during a notification.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tarn/tasks/events/ceventdispatcher.h"

namespace {

using tarn::CEventDispatcher;

std::vector<std::string> theCalls;

struct CSizeWatcher {
    std::string myName;
    void OnResize(int w, int h) { theCalls.push_back(myName + " size " + std::to_string(w) + "x" + std::to_string(h)); }
};

struct CActivityWatcher {
    std::string myName;
    void OnResize(int w, int h) { theCalls.push_back(myName + " size " + std::to_string(w) + "x" + std::to_string(h)); }
    void OnActivate(bool active) { theCalls.push_back(myName + (active ? " active" : " inactive")); }
};

struct CKeyWatcher : tarn::IKeyListener {
    std::string myName;
    explicit CKeyWatcher(const std::string& name) : myName(name) {}
    void OnKeyDown(int key) override { theCalls.push_back(myName + " down " + std::to_string(key)); }
    void OnKeyUp(int key) override { theCalls.push_back(myName + " up " + std::to_string(key)); }
};

struct CMouseWatcher : tarn::IMouseListener {
    void OnMouseMove(int x, int y) override { theCalls.push_back("move " + std::to_string(x) + "," + std::to_string(y)); }
    void OnMouseDown(int b) override { theCalls.push_back("down " + std::to_string(b)); }
    void OnMouseUp(int b) override { theCalls.push_back("up " + std::to_string(b)); }
};

struct CCursorWatcher : tarn::ICursorControl {
    void ShowCursor() override { theCalls.push_back("show"); }
    void HideCursor() override { theCalls.push_back("hide"); }
    void ChangeCursor(int type) override { theCalls.push_back("cursor " + std::to_string(type)); }
};

class EventDispatcher : public ::testing::Test {
protected:
    void SetUp() override { theCalls.clear(); }
    CEventDispatcher myDispatcher;
};

TEST_F(EventDispatcher, ResizeListenersRunInRegistrationOrderAndTheLastSizeIsKept) {
    CSizeWatcher b{"b"}, a{"a"};
    myDispatcher.AddResizeListener(&b);
    myDispatcher.AddResizeListener(&a);
    myDispatcher.AddResizeListener(&b);  // a second registration is ignored
    EXPECT_EQ(0, myDispatcher.GetWidth());
    myDispatcher.NotifyResize(800, 600);
    EXPECT_EQ((std::vector<std::string>{"b size 800x600", "a size 800x600"}), theCalls);
    EXPECT_EQ(800, myDispatcher.GetWidth());
    EXPECT_EQ(600, myDispatcher.GetHeight());

    theCalls.clear();
    myDispatcher.RemoveResizeListener(&b);
    myDispatcher.NotifyResize(1024, 768);
    EXPECT_EQ((std::vector<std::string>{"a size 1024x768"}), theCalls);
    EXPECT_EQ(1024, myDispatcher.GetWidth());
}

TEST_F(EventDispatcher, ActivityListenersAlsoHearResizesAndLeaveBothLists) {
    CActivityWatcher watcher{"w"};
    myDispatcher.AddActivityListener(&watcher);
    EXPECT_TRUE(myDispatcher.HasResizeListener(&watcher));
    myDispatcher.NotifyActivity(false);
    myDispatcher.NotifyResize(10, 20);
    myDispatcher.NotifyActivity(true);
    EXPECT_EQ((std::vector<std::string>{"w inactive", "w size 10x20", "w active"}), theCalls);

    myDispatcher.RemoveActivityListener(&watcher);
    EXPECT_FALSE(myDispatcher.HasResizeListener(&watcher));
    EXPECT_FALSE(myDispatcher.HasActivityListener(&watcher));
    theCalls.clear();
    myDispatcher.NotifyActivity(false);
    myDispatcher.NotifyResize(1, 1);
    EXPECT_TRUE(theCalls.empty());
}

TEST_F(EventDispatcher, KeyAndMouseNotificationsReachEveryListenerOnce) {
    CKeyWatcher one("one"), two("two");
    CMouseWatcher mouse;
    myDispatcher.AddKeyListener(&one);
    myDispatcher.AddKeyListener(&two);
    myDispatcher.AddKeyListener(&one);
    myDispatcher.AddMouseListener(&mouse);
    myDispatcher.NotifyKeyDown(27);
    myDispatcher.NotifyKeyUp(27);
    EXPECT_EQ(4u, theCalls.size());
    EXPECT_EQ(2, std::count(theCalls.begin(), theCalls.end(), std::string("one down 27")) +
                     std::count(theCalls.begin(), theCalls.end(), std::string("two down 27")));

    theCalls.clear();
    myDispatcher.RemoveKeyListener(&one);
    myDispatcher.NotifyKeyDown(1);
    myDispatcher.NotifyMouseMove(3, 4);
    myDispatcher.NotifyMouseDown(4);
    myDispatcher.NotifyMouseUp(16);
    EXPECT_EQ((std::vector<std::string>{"two down 1", "move 3,4", "down 4", "up 16"}), theCalls);
}

TEST_F(EventDispatcher, CursorCommandsNeedACursorControl) {
    myDispatcher.ShowCursor();
    myDispatcher.HideCursor();
    myDispatcher.ChangeCursor(2);
    EXPECT_TRUE(theCalls.empty());

    CCursorWatcher control;
    myDispatcher.SetCursorControl(&control);
    myDispatcher.HideCursor();
    myDispatcher.ShowCursor();
    myDispatcher.ChangeCursor(2);
    myDispatcher.ClearCursorControl();
    myDispatcher.ChangeCursor(3);
    EXPECT_EQ((std::vector<std::string>{"hide", "show", "cursor 2"}), theCalls);
}

// A key listener that, when notified, leaves the dispatcher and removes and deletes another
// listener. The set's order is by address, so the other one may come before or after it.
struct CLeavingKeyListener : tarn::IKeyListener {
    CEventDispatcher* myDispatcher = nullptr;
    tarn::IKeyListener* myVictim = nullptr;
    int myCalls = 0;
    void OnKeyDown(int) override {
        ++myCalls;
        myDispatcher->RemoveKeyListener(this);
        myDispatcher->RemoveKeyListener(myVictim);
        delete myVictim;
        myVictim = nullptr;
    }
    void OnKeyUp(int) override {}
};

TEST_F(EventDispatcher, ListenersRemovedDuringANotificationAreNotCalled) {
    for (int round = 0; round < 8; ++round) {
        CLeavingKeyListener leaving;
        leaving.myDispatcher = &myDispatcher;
        leaving.myVictim = new CKeyWatcher("victim");
        myDispatcher.AddKeyListener(leaving.myVictim);
        myDispatcher.AddKeyListener(&leaving);
        theCalls.clear();
        // A call on the deleted victim would be a use after free (caught by the sanitizer build).
        myDispatcher.NotifyKeyDown(5);
        EXPECT_LE(theCalls.size(), 1u);
        myDispatcher.NotifyKeyDown(6);
        EXPECT_EQ(1, leaving.myCalls);
        EXPECT_LE(theCalls.size(), 1u);
    }
}

struct CSelfRemovingSize {
    CEventDispatcher* myDispatcher;
    const void* myOther;
    void OnResize(int, int) {
        theCalls.push_back("remover");
        myDispatcher->RemoveResizeListener(this);
        myDispatcher->RemoveResizeListener(myOther);
    }
};

TEST_F(EventDispatcher, ResizeListenersMayRemoveThemselvesAndLaterOnes) {
    CSizeWatcher later{"later"};
    CSelfRemovingSize remover{&myDispatcher, &later};
    CSizeWatcher earlier{"earlier"};
    myDispatcher.AddResizeListener(&earlier);
    myDispatcher.AddResizeListener(&remover);
    myDispatcher.AddResizeListener(&later);
    myDispatcher.NotifyResize(2, 3);
    EXPECT_EQ((std::vector<std::string>{"earlier size 2x3", "remover"}), theCalls);
    theCalls.clear();
    myDispatcher.NotifyResize(4, 5);
    EXPECT_EQ((std::vector<std::string>{"earlier size 4x5"}), theCalls);
}

}  // namespace
