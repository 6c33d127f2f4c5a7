// Tests of the mouse device: hit testing in registration order, blocking, hover and mouse-out,
// capture, press/release pairing, and receivers that leave while they are being called.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/events/ceventdispatcher.h"

namespace {

using tarn::CMouse;
using tarn::CRect;

std::vector<std::string> theCalls;

class CReceiver : public tarn::IMouseReceiver {
public:
    CReceiver(const std::string& name, CRect rect, bool blocking) : myName(name), myRect(rect), myBlocking(blocking) {}
    void OnMouseMove(int x, int y) override {
        Record("move " + std::to_string(x) + "," + std::to_string(y));
        if (myOnMove) myOnMove();
    }
    void OnMouseOut(int x, int y) override { Record("out " + std::to_string(x) + "," + std::to_string(y)); }
    void OnMouseDown(int button) override {
        Record("down " + std::to_string(button));
        if (myOnDown) myOnDown();
    }
    void OnMouseUp(int button) override {
        Record("up " + std::to_string(button));
        if (myOnUp) myOnUp();
    }
    bool IsBlocking() const override { return myBlocking; }
    CRect GetRect() const override { return myRect; }
    int GetZ() const override { return 100; }

    std::function<void()> myOnMove;
    std::function<void()> myOnDown;
    std::function<void()> myOnUp;

private:
    void Record(const std::string& what) { theCalls.push_back(myName + " " + what); }

    std::string myName;
    CRect myRect;
    bool myBlocking;
};

using Calls = std::vector<std::string>;

class Mouse : public ::testing::Test {
protected:
    void SetUp() override { theCalls.clear(); }
    // Moves to (x, y) and clicks button 1 there.
    void Click(int x, int y) {
        myMouse.OnMouseMove(x, y);
        theCalls.clear();
        myMouse.OnMouseDown(1);
        myMouse.OnMouseUp(1);
    }
    CMouse myMouse;
};

TEST_F(Mouse, ABlockingFrontReceiverHidesTheOnesBehindIt) {
    CReceiver front("front", CRect(0, 0, 100, 100), true);
    CReceiver back("back", CRect(50, 50, 100, 100), true);
    myMouse.AddReceiver(&front);
    myMouse.AddReceiver(&back);
    Click(60, 60);  // inside the overlap
    EXPECT_EQ((Calls{"front down 1", "front up 1"}), theCalls);
    Click(120, 120);  // only the back one
    EXPECT_EQ((Calls{"back down 1", "back up 1"}), theCalls);
    Click(200, 200);  // nobody
    EXPECT_EQ(Calls{}, theCalls);
}

TEST_F(Mouse, NonBlockingReceiversPassEventsOnAndAreNeverThePressedOne) {
    CReceiver first("first", CRect(0, 0, 100, 100), false);
    CReceiver second("second", CRect(0, 0, 100, 100), false);
    myMouse.AddReceiver(&first);
    myMouse.AddReceiver(&second);
    myMouse.AddReceiver(&first);  // registered once only
    myMouse.OnMouseMove(10, 10);
    EXPECT_EQ((Calls{"first move 10,10", "second move 10,10"}), theCalls);
    EXPECT_EQ(nullptr, myMouse.GetHovered());
    theCalls.clear();
    myMouse.OnMouseDown(4);
    EXPECT_EQ((Calls{"first down 4", "second down 4"}), theCalls);
    EXPECT_EQ(nullptr, myMouse.GetPressed());

    CMouse other;
    CReceiver blockingSecond("blocking", CRect(0, 0, 100, 100), true);
    other.AddReceiver(&first);
    other.AddReceiver(&blockingSecond);
    other.OnMouseMove(5, 5);
    other.OnMouseDown(1);
    EXPECT_EQ(&blockingSecond, other.GetPressed());
    EXPECT_EQ(&blockingSecond, other.GetHovered());
}

TEST_F(Mouse, PressedReceiverGetsItsReleaseWhereverTheButtonGoesUp) {
    CReceiver target("target", CRect(0, 0, 10, 10), true);
    CReceiver elsewhere("elsewhere", CRect(100, 100, 10, 10), true);
    myMouse.AddReceiver(&target);
    myMouse.AddReceiver(&elsewhere);
    myMouse.OnMouseMove(5, 5);
    myMouse.OnMouseDown(1);
    myMouse.OnMouseMove(105, 105);
    theCalls.clear();
    myMouse.OnMouseUp(1);
    EXPECT_EQ((Calls{"elsewhere up 1", "target up 1"}), theCalls);
    EXPECT_EQ(nullptr, myMouse.GetPressed());

    // Released where it was pressed: exactly one release.
    Click(5, 5);
    EXPECT_EQ((Calls{"target down 1", "target up 1"}), theCalls);
    // A later release over empty space is not paired with that old press again.
    myMouse.OnMouseMove(50, 50);
    theCalls.clear();
    myMouse.OnMouseDown(1);
    myMouse.OnMouseUp(1);
    EXPECT_EQ(Calls{}, theCalls);
}

TEST_F(Mouse, HoverEndsWithMouseOutOnlyWhenTheMouseLeaves) {
    CReceiver a("a", CRect(0, 0, 10, 10), true);
    CReceiver b("b", CRect(20, 0, 10, 10), true);
    myMouse.AddReceiver(&a);
    myMouse.AddReceiver(&b);
    myMouse.OnMouseMove(1, 1);
    myMouse.OnMouseMove(2, 2);  // still within a
    EXPECT_EQ((Calls{"a move 1,1", "a move 2,2"}), theCalls);
    EXPECT_EQ(&a, myMouse.GetHovered());
    theCalls.clear();
    myMouse.OnMouseMove(22, 2);  // from a straight to b
    EXPECT_EQ((Calls{"b move 22,2", "a out 22,2"}), theCalls);
    theCalls.clear();
    myMouse.OnMouseMove(50, 50);  // to empty space
    EXPECT_EQ((Calls{"b out 50,50"}), theCalls);
    EXPECT_EQ(nullptr, myMouse.GetHovered());
    EXPECT_EQ(50, myMouse.GetX());
    EXPECT_EQ(50, myMouse.GetY());
}

TEST_F(Mouse, CapturedReceiversGetEverythingUntilReleased) {
    CReceiver dragged("dragged", CRect(0, 0, 10, 10), true);
    myMouse.AddReceiver(&dragged);
    dragged.myOnDown = [&] { myMouse.AddCapture(&dragged); };
    dragged.myOnUp = [&] { myMouse.RemoveCapture(&dragged); };
    myMouse.OnMouseMove(5, 5);
    myMouse.OnMouseDown(1);
    theCalls.clear();
    myMouse.OnMouseMove(300, 200);  // far outside its rectangle
    EXPECT_EQ((Calls{"dragged move 300,200", "dragged out 300,200"}), theCalls);
    theCalls.clear();
    myMouse.OnMouseUp(1);
    // Released once through the capture; that counts as the pressed receiver's release.
    EXPECT_EQ((Calls{"dragged up 1"}), theCalls);
    theCalls.clear();
    myMouse.OnMouseMove(301, 200);
    EXPECT_EQ(Calls{}, theCalls);
}

TEST_F(Mouse, AReceiverLeavingDuringItsPressEndsTheWalk) {
    CReceiver leaving("leaving", CRect(0, 0, 10, 10), false);
    CReceiver behind("behind", CRect(0, 0, 10, 10), true);
    myMouse.AddReceiver(&leaving);
    myMouse.AddReceiver(&behind);
    leaving.myOnDown = [&] { myMouse.RemoveReceiver(&leaving); };
    myMouse.OnMouseMove(1, 1);
    theCalls.clear();
    myMouse.OnMouseDown(1);
    EXPECT_EQ((Calls{"leaving down 1"}), theCalls);
    EXPECT_EQ(nullptr, myMouse.GetPressed());
    theCalls.clear();
    myMouse.OnMouseDown(1);
    EXPECT_EQ((Calls{"behind down 1"}), theCalls);
}

TEST_F(Mouse, ReceiversDeletedDuringDispatchAreNeverCalledAgain) {
    // Each receiver deletes the next one (and leaves the device first) when it is called.
    auto* first = new CReceiver("first", CRect(0, 0, 10, 10), false);
    auto* second = new CReceiver("second", CRect(0, 0, 10, 10), true);
    myMouse.AddReceiver(first);
    myMouse.AddReceiver(second);
    myMouse.AddCapture(second);
    first->myOnMove = [&] {
        myMouse.RemoveReceiver(second);
        delete second;
        second = nullptr;
    };
    myMouse.OnMouseMove(1, 1);  // the captured second moves first, then first deletes it
    EXPECT_EQ((Calls{"second move 1,1", "first move 1,1"}), theCalls);
    theCalls.clear();
    myMouse.OnMouseDown(1);
    myMouse.OnMouseUp(1);
    EXPECT_EQ((Calls{"first down 1", "first up 1"}), theCalls);

    // A hovered, pressed receiver that leaves while released is not called afterwards.
    CReceiver pressed("pressed", CRect(0, 0, 10, 10), true);
    CMouse other;
    other.AddReceiver(&pressed);
    other.OnMouseMove(2, 2);
    other.OnMouseDown(1);
    pressed.myOnUp = [&] { other.RemoveReceiver(&pressed); };
    theCalls.clear();
    other.OnMouseUp(1);
    other.OnMouseMove(50, 50);
    EXPECT_EQ((Calls{"pressed up 1"}), theCalls);
    myMouse.RemoveReceiver(first);
    delete first;
}

TEST_F(Mouse, TheDeviceListensToTheDispatcher) {
    CReceiver target("target", CRect(0, 0, 10, 10), true);
    myMouse.AddReceiver(&target);
    tarn::CEventDispatcher::GetSingleton()->NotifyMouseMove(3, 4);
    tarn::CEventDispatcher::GetSingleton()->NotifyMouseDown(2);
    EXPECT_EQ((Calls{"target move 3,4", "target down 2"}), theCalls);
}

}  // namespace
