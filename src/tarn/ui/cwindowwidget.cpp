// The window widget: chrome construction, bringing to front, border resizing with cursors,
// and maximising.
#include "tarn/ui/cwindowwidget.h"

#include <algorithm>

#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cuimouse.h"
#include "tarn/ui/cwidgetfactory.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/math/saturate.h"

namespace tarn {
namespace ui {

namespace {

CWidget* CreateWindow() { return new CWindowWidget(); }

const CWidgetRegistrar ourRegistrar("CWindowWidget", &CreateWindow);

int EdgesWithin(const CRect& rect, long long x, long long y, int margin) {
    int edges = 0;
    if (x < rect.x + static_cast<long long>(margin)) edges |= EDGE_LEFT;
    if (x >= rect.Right() - margin) edges |= EDGE_RIGHT;
    if (y < rect.y + static_cast<long long>(margin)) edges |= EDGE_TOP;
    if (y >= rect.Bottom() - margin) edges |= EDGE_BOTTOM;
    return edges;
}

const int kCursorArrow = 1;

}  // namespace

CWindowWidget::CWindowWidget() { BuildChrome(); }

CWindowWidget::CWindowWidget(CWidget* parent, const CRect& rect, bool relative, const std::string& name,
                             const std::string& spriteFile)
    : CWidget(parent, rect, relative, name, spriteFile) {
    BuildChrome();
}

CWindowWidget::~CWindowWidget() { RemoveMouseListener(this); }

void CWindowWidget::BuildChrome() {
    myClosed = false;
    myResizable = true;
    myMaximised = false;
    myEdges = 0;
    myResizeMask = kWidgetLeftButton;
    myResizing = false;
    myGrabX = 0;
    myGrabY = 0;
    myCursorChanged = false;
    myMinWidth = kMinWidth;
    myMinHeight = kMinHeight;
    const CRect start(0, 0, 1, 1);
    myTitleBar = new CButtonWidget(this, start, false, "titlebar", "data/gui/titlebar.gif");
    myTitleBar->SetLayout("parent.x + 2", "parent.y + 2", "parent.w - 4", "20");
    myMaximiseButton = new CButtonWidget(this, start, false, "maximize", "data/gui/maximize.gif");
    myMaximiseButton->SetLayout("parent.x + parent.w - 50", "parent.y + 2", "20", "20");
    myCloseButton = new CButtonWidget(this, start, false, "close", "data/gui/close.gif");
    myCloseButton->SetLayout("parent.x + parent.w - 25", "parent.y + 2", "20", "20");
    myClientArea = new CWidget(this, start, false, "client", "");
    myClientArea->SetLayout("parent.x + 2", "parent.y + 22", "parent.w - 4", "parent.h - 24");
    for (CButtonWidget* button : {myMaximiseButton, myCloseButton}) {
        button->SetDragEnabled(false);
        button->SetDoubleClickEnabled(false);
    }
    myTitleBar->clicked.Connect(this, &CWindowWidget::OnTitleClicked);
    myTitleBar->dragged.Connect(this, &CWindowWidget::OnTitleDragged);
    myTitleBar->doubleClicked.Connect(this, &CWindowWidget::ToggleMaximise);
    myMaximiseButton->clicked.Connect(this, &CWindowWidget::ToggleMaximise);
    myCloseButton->clicked.Connect(this, &CWindowWidget::OnCloseClicked);
    SetLayoutMode(LAYOUT_KEEP);
}

bool CWindowWidget::HandleEvent(const CWidgetEvent& event) {
    if (event.type == WIDGET_EVENT_BUTTON_DOWN && GetParent()) GetParent()->BringToFront(this);
    return CWidget::HandleEvent(event);
}

void CWindowWidget::OnEvent(const CWidgetEvent& event) {
    switch (event.type) {
        case WIDGET_EVENT_MOTION: {
            if (myResizing) {
                ResizeTo(ClampToInt(static_cast<long long>(event.x) + myGrabX),
                         ClampToInt(static_cast<long long>(event.y) + myGrabY));
                return;
            }
            const int edges = BorderTest(event.x, event.y);
            if (edges) {
                if (event.mouse) event.mouse->ChangeCursor(CursorForEdges(edges));
                myCursorChanged = true;
            } else {
                RestoreCursor(event);
            }
            return;
        }
        case WIDGET_EVENT_MOUSE_OUT:
            if (!myResizing) RestoreCursor(event);
            return;
        case WIDGET_EVENT_BUTTON_DOWN: {
            if (!myResizable || !(event.buttons & myResizeMask)) return;
            const int edges = BorderTest(event.x, event.y);
            if (!edges) return;
            myResizing = true;
            myGrabX = ClampToInt(static_cast<long long>(GetRect().x) - event.x);
            myGrabY = ClampToInt(static_cast<long long>(GetRect().y) - event.y);
            AddMouseListener(this);
            myEdges = edges;
            return;
        }
        case WIDGET_EVENT_BUTTON_UP:
            if (myResizable && (event.buttons & myResizeMask)) {
                myResizing = false;
                RemoveMouseListener(this);
            }
            RestoreCursor(event);
            return;
        default:
            return;
    }
}

void CWindowWidget::RestoreCursor(const CWidgetEvent& event) {
    if (!myCursorChanged) return;
    if (event.mouse) event.mouse->ChangeCursor(kCursorArrow);
    myCursorChanged = false;
}

int CWindowWidget::BorderTest(int x, int y) const {
    const CRect& rect = GetRect();
    if (!rect.Contains(x, y)) return 0;
    const int edges = EdgesWithin(rect, x, y, 3);
    if (!edges) return 0;
    return edges | EdgesWithin(rect, x, y, 20);
}

int CWindowWidget::CursorForEdges(int edges) {
    switch (edges) {
        case EDGE_LEFT:
        case EDGE_RIGHT:
            return 6;
        case EDGE_TOP:
        case EDGE_BOTTOM:
            return 7;
        case EDGE_LEFT | EDGE_TOP:
        case EDGE_RIGHT | EDGE_BOTTOM:
            return 8;
        case EDGE_RIGHT | EDGE_TOP:
        case EDGE_LEFT | EDGE_BOTTOM:
            return 9;
        default:
            return 0;
    }
}

void CWindowWidget::ResizeTo(int px, int py) {
    const CRect old = GetRect();
    long long x = old.x;
    long long y = old.y;
    long long w = old.w;
    long long h = old.h;
    if (myEdges & EDGE_LEFT) x = px;
    if (myEdges & EDGE_TOP) y = py;
    if (myEdges & EDGE_RIGHT) w = static_cast<long long>(px) - myGrabX - x;
    if (myEdges & EDGE_BOTTOM) h = static_cast<long long>(py) - myGrabY - y;
    w = std::max<long long>(w, myMinWidth);
    h = std::max<long long>(h, myMinHeight);
    w += old.x - x;
    h += old.y - y;
    CRect wanted(ClampToInt(x), ClampToInt(y), ClampToInt(w), ClampToInt(h));
    if (GetParent()) wanted = GetParent()->ClipChildRect(wanted);
    if (wanted.w < myMinWidth) {
        wanted.x = ClampToInt(static_cast<long long>(wanted.x) + wanted.w - myMinWidth);
        wanted.w = myMinWidth;
    }
    if (wanted.h < myMinHeight) {
        wanted.y = ClampToInt(static_cast<long long>(wanted.y) + wanted.h - myMinHeight);
        wanted.h = myMinHeight;
    }
    // The size first: moving first with the old size could push the window against the
    // parent's edge; the clipped rectangle fits, so the move afterwards lands exactly.
    SetSize(wanted.w, wanted.h);
    SetPosition(wanted.x, wanted.y);
}

void CWindowWidget::ToggleMaximise() {
    myMaximised = !myMaximised;
    CWidget* parent = GetParent();
    if (myMaximised) {
        mySavedRect = GetRect();
        CLogger::GetSingleton()->Write(std::to_string(mySavedRect.x) + ", " + std::to_string(mySavedRect.y) + "\n");
        myResizable = false;
        myResizing = false;
        RemoveMouseListener(this);
        SetLayoutMode(LAYOUT_SCALE);
        if (parent) {
            SetPosition(parent->GetRect().x, parent->GetRect().y);
            SetSize(parent->GetRect().w, parent->GetRect().h);
        }
    } else {
        myResizable = true;
        SetLayoutMode(LAYOUT_KEEP);
        CLogger::GetSingleton()->Write(std::to_string(mySavedRect.x) + ", " + std::to_string(mySavedRect.y) + "\n");
        SetSize(mySavedRect.w, mySavedRect.h);
        SetPosition(mySavedRect.x, mySavedRect.y);
    }
    if (parent) OnParentResized(parent->GetRect());
}

void CWindowWidget::OnTitleClicked() {
    if (GetParent()) GetParent()->BringToFront(this);
}

void CWindowWidget::OnTitleDragged(int dx, int dy) { MoveBy(dx, dy); }

void CWindowWidget::OnCloseClicked() { myClosed = true; }

}  // namespace ui
}  // namespace tarn
