// Tests of the button widget: clicks, double clicks against the clock, leaving between
// presses, masks, and dragging through the desktop's capture list.
#include <gtest/gtest.h>

#include <vector>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cdesktopwidget.h"

namespace {

using tarn::CRect;
using tarn::ui::CButtonWidget;
using tarn::ui::CDesktopWidget;
using tarn::ui::CWidgetEvent;

CWidgetEvent Event(int type, int x, int y, int buttons = 1) {
    CWidgetEvent event;
    event.type = type;
    event.x = x;
    event.y = y;
    event.buttons = buttons;
    return event;
}

class ButtonWidget : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        Desktop()->SetSize(200, 100);
        myButton = new CButtonWidget(Desktop(), CRect(10, 10, 30, 20), false, "button", "");
        myButton->clicked.Connect(this, &ButtonWidget::OnClicked);
        myButton->doubleClicked.Connect(this, &ButtonWidget::OnDoubleClicked);
        myButton->dragged.Connect(this, &ButtonWidget::OnDragged);
    }
    void TearDown() override {
        CDesktopWidget::DeleteSingleton();
        EXPECT_FALSE(CButtonWidget::IsMouseListener(myButton));
        testsupport::ResetEngine();
    }
    CDesktopWidget* Desktop() { return CDesktopWidget::GetSingleton(); }
    void Press(int x, int y, int buttons = 1) {
        Desktop()->HandleEvent(Event(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, x, y, buttons));
    }
    void Release(int x, int y, int buttons = 1) {
        Desktop()->HandleEvent(Event(tarn::ui::WIDGET_EVENT_BUTTON_UP, x, y, buttons));
    }
    void Move(int x, int y) { Desktop()->HandleEvent(Event(tarn::ui::WIDGET_EVENT_MOTION, x, y, 0)); }
    void OnClicked() { ++myClicks; }
    void OnDoubleClicked() { ++myDoubleClicks; }
    void OnDragged(int dx, int dy) { myDrags.push_back({dx, dy}); }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{1000};
    testsupport::CGfxDisplay myDisplay;
    CButtonWidget* myButton = nullptr;
    int myClicks = 0;
    int myDoubleClicks = 0;
    std::vector<std::vector<int>> myDrags;
};

TEST_F(ButtonWidget, PressAndReleaseClick) {
    Press(15, 15);
    EXPECT_TRUE(myButton->IsPressed());
    EXPECT_EQ("mouse_button_down", myButton->GetState());
    Release(15, 15);
    EXPECT_EQ(1, myClicks);
    EXPECT_EQ("mouse_button_up", myButton->GetState());
    EXPECT_FALSE(myButton->IsPressed());
    // A release without a press clicks nothing; nor does a button outside the press mask,
    // though the press still makes the button the hover widget.
    Release(15, 15);
    Press(15, 15, 4);
    EXPECT_FALSE(myButton->IsPressed());
    EXPECT_EQ(myButton, tarn::ui::CWidget::GetHoverWidget());
    Release(15, 15, 4);
    EXPECT_EQ(1, myClicks);
}

TEST_F(ButtonWidget, DoubleClicksNeedTwoPressesWithin300Ms) {
    Press(15, 15);
    Release(15, 15);
    myClock.Advance(250);
    Press(15, 15);
    Release(15, 15);
    EXPECT_EQ(1, myDoubleClicks);
    EXPECT_EQ(2, myClicks);

    // A second press too late starts a new wait, so a third press within 300 ms of it
    // doubles it; 300 ms is already too late.
    const struct {
        int after;
        int doubleClicks;
    } clicks[] = {{1000, 1}, {350, 1}, {100, 2}, {150, 2}, {299, 3}, {300, 3}, {300, 3}};
    for (const auto& click : clicks) {
        myClock.Advance(click.after);
        Press(15, 15);
        Release(15, 15);
        EXPECT_EQ(click.doubleClicks, myDoubleClicks) << "after " << click.after;
    }

    myButton->SetDoubleClickEnabled(false);
    Press(15, 15);
    Release(15, 15);
    Press(15, 15);
    EXPECT_EQ(3, myDoubleClicks);
}

TEST_F(ButtonWidget, LeavingBetweenPressesCancelsTheDoubleClick) {
    Press(15, 15);
    Release(15, 15);
    Move(100, 50);
    EXPECT_EQ("mouse_out", myButton->GetState());
    Move(15, 15);
    EXPECT_EQ("mouse_over", myButton->GetState());
    myClock.Advance(100);
    Press(15, 15);
    EXPECT_EQ(0, myDoubleClicks);
    // Leaving while pressed also means the release elsewhere is no click.
    Move(100, 50);
    Release(100, 50);
    EXPECT_EQ(1, myClicks);
}

TEST_F(ButtonWidget, DragsReportMovementUntilRelease) {
    Press(12, 13);
    EXPECT_TRUE(myButton->IsDragging());
    EXPECT_TRUE(CButtonWidget::IsMouseListener(myButton));
    // Outside the button the capture list still delivers the motion; the button does not move.
    Move(150, 80);
    ASSERT_EQ(1u, myDrags.size());
    EXPECT_EQ((std::vector<int>{138, 67}), myDrags[0]);
    EXPECT_EQ(CRect(10, 10, 30, 20), myButton->GetRect());
    Release(150, 80);
    EXPECT_FALSE(myButton->IsDragging());
    EXPECT_FALSE(CButtonWidget::IsMouseListener(myButton));
    Move(20, 20);
    EXPECT_EQ(1u, myDrags.size());

    myButton->SetDragEnabled(false);
    Press(12, 13);
    EXPECT_FALSE(CButtonWidget::IsMouseListener(myButton));
}

}  // namespace
