// Tests of the draggable sprite: mouse events pushed through the event dispatcher drag the
// wrapped sprite with the left button only, keep the grab offset even when the mouse outruns
// the sprite, stop on release, and leave the mouse device when the sprite goes.
#include <gtest/gtest.h>

#include "tarn/inputdevice/cdraggablesprite.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/events/ceventdispatcher.h"

namespace {

using tarn::CDraggableSprite;
using tarn::CRect;
using tarn::CSprite;
using tarn::CSpriteHandle;

class DraggableSprite : public ::testing::Test {
protected:
    void SetUp() override {
        tarn::CMouse::GetSingleton();
        mySprite = std::make_shared<CSprite>();
        mySprite->SetRect(CRect(10, 10, 20, 10));
        mySprite->SetZ(30);
    }
    static void Move(int x, int y) { tarn::CEventDispatcher::GetSingleton()->NotifyMouseMove(x, y); }
    static void Down(int button) { tarn::CEventDispatcher::GetSingleton()->NotifyMouseDown(button); }
    static void Up(int button) { tarn::CEventDispatcher::GetSingleton()->NotifyMouseUp(button); }

    CSpriteHandle mySprite;
};

TEST_F(DraggableSprite, TheLeftButtonDragsTheWrappedSprite) {
    CDraggableSprite drag(mySprite);
    EXPECT_EQ(30, drag.GetZ());
    EXPECT_EQ(CRect(10, 10, 20, 10), drag.GetRect());
    Move(15, 12);
    Down(1);
    EXPECT_TRUE(drag.IsDragging());
    Move(25, 20);
    EXPECT_EQ(CRect(20, 18, 20, 10), mySprite->GetRect());
    // Far outside the sprite: the capture keeps the drag going.
    Move(200, 150);
    EXPECT_EQ(CRect(195, 148, 20, 10), mySprite->GetRect());
    Up(1);
    EXPECT_FALSE(drag.IsDragging());
    Move(0, 0);
    EXPECT_EQ(CRect(195, 148, 20, 10), mySprite->GetRect());
}

TEST_F(DraggableSprite, OtherButtonsPressesElsewhereAndDisabledDragsMoveNothing) {
    CDraggableSprite drag(mySprite);
    Move(15, 12);
    Down(4);
    Move(40, 40);
    Up(4);
    EXPECT_EQ(CRect(10, 10, 20, 10), mySprite->GetRect());

    Move(0, 0);  // outside
    Down(1);
    Move(15, 15);
    Up(1);
    EXPECT_EQ(CRect(10, 10, 20, 10), mySprite->GetRect());

    drag.SetDragEnabled(false);
    Down(1);
    Move(30, 30);
    Up(1);
    EXPECT_EQ(CRect(10, 10, 20, 10), mySprite->GetRect());
}

TEST_F(DraggableSprite, LeavesTheMouseDeviceWhenDeletedMidDrag) {
    {
        auto drag = std::make_unique<CDraggableSprite>(mySprite);
        Move(12, 12);
        Down(1);
        EXPECT_EQ(drag.get(), tarn::CMouse::GetSingleton()->GetPressed());
    }
    EXPECT_EQ(nullptr, tarn::CMouse::GetSingleton()->GetPressed());
    Move(50, 50);
    Up(1);
    EXPECT_EQ(CRect(10, 10, 20, 10), mySprite->GetRect());
    // The wrapped sprite lives on in its other handle only.
    EXPECT_EQ(1, mySprite.use_count());
}

TEST_F(DraggableSprite, WithoutASpriteItIsHitNowhere) {
    CDraggableSprite drag;
    EXPECT_EQ(0, drag.GetZ());
    EXPECT_EQ(CRect(), drag.GetRect());
    EXPECT_TRUE(drag.IsEmpty());
    drag.OnMouseDown(1);
    drag.OnMouseMove(5, 5);
    drag.OnMouseUp(1);
}

}  // namespace
