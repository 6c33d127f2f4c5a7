// Tests of the window widget: the chrome's layout, moving by the title bar within the
// desktop, border hit tests and cursors, resizing with the minimum size, maximising and
// restoring, closing and bringing to front.
#include <gtest/gtest.h>

#include <vector>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/ui/cuimouse.h"
#include "tarn/ui/cwindowwidget.h"

namespace {

using tarn::CRect;
using tarn::ui::CDesktopWidget;
using tarn::ui::CWidgetEvent;
using tarn::ui::CWindowWidget;

// Remembers the cursors asked for instead of forwarding them.
class CCursorRecorder : public tarn::ui::CUiMouse {
public:
    void ChangeCursor(int type) override { myCursors.push_back(type); }
    std::vector<int> myCursors;
};

class WindowWidget : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        Desktop()->SetSize(640, 480);
        myWindow = new CWindowWidget(Desktop(), CRect(10, 10, 400, 200), false, "window", "");
    }
    void TearDown() override {
        CDesktopWidget::DeleteSingleton();
        testsupport::ResetEngine();
    }
    CDesktopWidget* Desktop() { return CDesktopWidget::GetSingleton(); }
    void Send(int type, int x, int y, int buttons = 1) {
        CWidgetEvent event;
        event.type = type;
        event.x = x;
        event.y = y;
        event.buttons = buttons;
        event.mouse = &myMouse;
        Desktop()->HandleEvent(event);
    }
    void Drag(int fromX, int fromY, int toX, int toY) {
        Send(tarn::ui::WIDGET_EVENT_MOTION, fromX, fromY, 0);
        Send(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, fromX, fromY);
        Send(tarn::ui::WIDGET_EVENT_MOTION, toX, toY, 0);
        Send(tarn::ui::WIDGET_EVENT_BUTTON_UP, toX, toY);
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{1000};
    testsupport::CGfxDisplay myDisplay;
    CCursorRecorder myMouse;
    CWindowWidget* myWindow = nullptr;
};

TEST_F(WindowWidget, ChromeFollowsTheWindow) {
    EXPECT_EQ(CRect(12, 12, 396, 20), myWindow->GetTitleBar()->GetRect());
    EXPECT_EQ(CRect(360, 12, 20, 20), myWindow->GetMaximiseButton()->GetRect());
    EXPECT_EQ(CRect(385, 12, 20, 20), myWindow->GetCloseButton()->GetRect());
    EXPECT_EQ(CRect(12, 32, 396, 176), myWindow->GetClientArea()->GetRect());
    EXPECT_EQ(tarn::ui::LAYOUT_KEEP, myWindow->GetLayoutMode());
    myWindow->SetSize(300, 100);
    EXPECT_EQ(CRect(260, 12, 20, 20), myWindow->GetMaximiseButton()->GetRect());
    EXPECT_EQ(CRect(12, 32, 296, 76), myWindow->GetClientArea()->GetRect());
}

TEST_F(WindowWidget, TitleBarDragMovesTheWindowWithinTheDesktop) {
    Drag(100, 20, 150, 70);
    EXPECT_EQ(CRect(60, 60, 400, 200), myWindow->GetRect());
    EXPECT_EQ(CRect(62, 62, 396, 20), myWindow->GetTitleBar()->GetRect());
    EXPECT_EQ(CRect(62, 82, 396, 176), myWindow->GetClientArea()->GetRect());
    myClock.Advance(1000);  // not a double click on the title bar
    Drag(150, 70, 900, 900);
    EXPECT_EQ(CRect(240, 280, 400, 200), myWindow->GetRect());
    EXPECT_EQ(CRect(242, 302, 396, 176), myWindow->GetClientArea()->GetRect());
}

TEST_F(WindowWidget, BorderTestAndCursors) {
    EXPECT_EQ(0, myWindow->BorderTest(5, 50));
    EXPECT_EQ(0, myWindow->BorderTest(100, 100));
    EXPECT_EQ(5, myWindow->BorderTest(11, 20));
    EXPECT_EQ(8, CWindowWidget::CursorForEdges(5));
    EXPECT_EQ(1, myWindow->BorderTest(10, 100));
    EXPECT_EQ(2, myWindow->BorderTest(407, 100));
    EXPECT_EQ(8, myWindow->BorderTest(100, 209));
    EXPECT_EQ(10, myWindow->BorderTest(409, 209));
    const int table[][2] = {{1, 6}, {2, 6}, {4, 7}, {8, 7}, {5, 8}, {10, 8}, {6, 9}, {9, 9}, {3, 0}, {15, 0}, {0, 0}};
    for (const auto& row : table) EXPECT_EQ(row[1], CWindowWidget::CursorForEdges(row[0])) << row[0];

    // Over the left border the cursor changes; inside it comes back, once.
    Send(tarn::ui::WIDGET_EVENT_MOTION, 10, 100, 0);
    Send(tarn::ui::WIDGET_EVENT_MOTION, 11, 20, 0);
    Send(tarn::ui::WIDGET_EVENT_MOTION, 100, 100, 0);
    Send(tarn::ui::WIDGET_EVENT_MOTION, 101, 100, 0);
    EXPECT_EQ((std::vector<int>{6, 8, 1}), myMouse.myCursors);
    // Leaving the window from its border restores the arrow as well.
    Send(tarn::ui::WIDGET_EVENT_MOTION, 409, 100, 0);
    Send(tarn::ui::WIDGET_EVENT_MOTION, 500, 100, 0);
    EXPECT_EQ((std::vector<int>{6, 8, 1, 6, 1}), myMouse.myCursors);
}

TEST_F(WindowWidget, ResizingKeepsTheMinimumSize) {
    // The right border follows the pointer (the right edge lands just after the pointer).
    Drag(409, 100, 459, 100);
    EXPECT_EQ(CRect(10, 10, 449, 200), myWindow->GetRect());
    EXPECT_EQ(CRect(12, 32, 445, 176), myWindow->GetClientArea()->GetRect());
    EXPECT_FALSE(myWindow->IsResizing());
    // The left border dragged beyond the minimum width stops at 100 wide, right edge fixed,
    // even this close to the desktop's right edge.
    Drag(10, 100, 450, 100);
    EXPECT_EQ(CRect(359, 10, 100, 200), myWindow->GetRect());
    // The bottom border dragged up stops at 50 high.
    Drag(400, 209, 400, 0);
    EXPECT_EQ(CRect(359, 10, 100, 50), myWindow->GetRect());
    // A window that is not resizable only moves the cursor.
    myWindow->SetResizable(false);
    Drag(458, 30, 600, 30);
    EXPECT_EQ(CRect(359, 10, 100, 50), myWindow->GetRect());
}

TEST_F(WindowWidget, MaximiseThenRestoreGivesTheRectangleBack) {
    Send(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 365, 15);
    Send(tarn::ui::WIDGET_EVENT_BUTTON_UP, 365, 15);
    EXPECT_TRUE(myWindow->IsMaximised());
    EXPECT_FALSE(myWindow->IsResizable());
    EXPECT_EQ(CRect(0, 0, 640, 480), myWindow->GetRect());
    EXPECT_EQ(CRect(2, 22, 636, 456), myWindow->GetClientArea()->GetRect());
    // While maximised the window follows the desktop.
    Desktop()->SetSize(800, 600);
    EXPECT_EQ(CRect(0, 0, 800, 600), myWindow->GetRect());
    Desktop()->SetSize(640, 480);
    // A double click on the title bar restores it.
    Send(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 100, 10);
    Send(tarn::ui::WIDGET_EVENT_BUTTON_UP, 100, 10);
    myClock.Advance(100);
    Send(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 100, 10);
    Send(tarn::ui::WIDGET_EVENT_BUTTON_UP, 100, 10);
    EXPECT_FALSE(myWindow->IsMaximised());
    EXPECT_TRUE(myWindow->IsResizable());
    EXPECT_EQ(CRect(10, 10, 400, 200), myWindow->GetRect());
    EXPECT_EQ(CRect(12, 32, 396, 176), myWindow->GetClientArea()->GetRect());
}

TEST_F(WindowWidget, PressesBringToFrontAndCloseSetsTheFlag) {
    auto* other = new CWindowWidget(Desktop(), CRect(200, 100, 300, 200), false, "other", "");
    EXPECT_EQ(other, Desktop()->GetChildren().front());
    Send(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 50, 150);
    Send(tarn::ui::WIDGET_EVENT_BUTTON_UP, 50, 150);
    EXPECT_EQ(myWindow, Desktop()->GetChildren().front());
    EXPECT_LT(myWindow->GetLowestDepth(), other->GetDepth());
    EXPECT_FALSE(myWindow->IsClosed());
    Send(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 390, 15);
    Send(tarn::ui::WIDGET_EVENT_BUTTON_UP, 390, 15);
    EXPECT_TRUE(myWindow->IsClosed());
    EXPECT_FALSE(other->IsClosed());
    delete myWindow;
    EXPECT_EQ(1u, Desktop()->GetChildren().size());
}

}  // namespace
