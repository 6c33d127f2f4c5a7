// The button widget: press, click, double-click and drag handling on top of the widget tree.
#include "tarn/ui/cbuttonwidget.h"

#include "tarn/ui/cwidgetfactory.h"

namespace tarn {
namespace ui {

namespace {

CWidget* CreateButton() { return new CButtonWidget(); }

const CWidgetRegistrar ourRegistrar("CButtonWidget", &CreateButton);

}  // namespace

CButtonWidget::CButtonWidget() { Init(); }

CButtonWidget::CButtonWidget(CWidget* parent, const CRect& rect, bool relative, const std::string& name,
                             const std::string& spriteFile)
    : CWidget(parent, rect, relative, name, spriteFile) {
    Init();
}

void CButtonWidget::Init() {
    SetLayoutMode(LAYOUT_KEEP_CENTRE_SCALED);
    myPressMask = kWidgetLeftButton;
    myPressed = false;
    myDoubleClickEnabled = true;
    myDoubleClickMask = kWidgetLeftButton;
    myWaitingForSecondPress = false;
    myDragEnabled = true;
    myDragMask = kWidgetLeftButton;
    myDragging = false;
    myGrabX = 0;
    myGrabY = 0;
}

CButtonWidget::~CButtonWidget() { RemoveMouseListener(this); }

void CButtonWidget::OnEvent(const CWidgetEvent& event) {
    switch (event.type) {
        case WIDGET_EVENT_MOTION:
            if (myDragging) {
                const CRect& rect = GetRect();
                dragged(event.x + myGrabX - rect.x, event.y + myGrabY - rect.y);
            }
            break;
        case WIDGET_EVENT_MOUSE_OUT:
            ReportState("mouse_out");
            myPressed = false;
            myWaitingForSecondPress = false;
            break;
        case WIDGET_EVENT_MOUSE_OVER:
            ReportState("mouse_over");
            break;
        case WIDGET_EVENT_BUTTON_DOWN:
            OnPress(event);
            break;
        case WIDGET_EVENT_BUTTON_UP:
            OnRelease(event);
            break;
        default:
            break;
    }
}

void CButtonWidget::OnPress(const CWidgetEvent& event) {
    if (event.buttons & myPressMask) {
        ReportState("mouse_button_down");
        myPressed = true;
    }
    if (myDragEnabled && (event.buttons & myDragMask)) {
        myDragging = true;
        myGrabX = GetRect().x - event.x;
        myGrabY = GetRect().y - event.y;
        AddMouseListener(this);
    }
    if (!myDoubleClickEnabled || !(event.buttons & myDoubleClickMask)) return;
    if (myWaitingForSecondPress && myDoubleClickTimer.GetTime() < kDoubleClickMs) {
        myWaitingForSecondPress = false;
        doubleClicked();
        return;
    }
    // The first press, or a second one too late to count: this press starts a new wait.
    myDoubleClickTimer.Reset();
    myWaitingForSecondPress = true;
}

void CButtonWidget::OnRelease(const CWidgetEvent& event) {
    const bool wasPressed = myPressed;
    myPressed = false;
    if (myDragEnabled && (event.buttons & myDragMask)) {
        myDragging = false;
        RemoveMouseListener(this);
    }
    if (wasPressed && (event.buttons & myPressMask)) {
        ReportState("mouse_button_up");
        clicked();
    }
}

void CButtonWidget::ReportState(const std::string& state) { myState = state; }

void CButtonWidget::SetText(const std::string& text) { myText = text; }
std::string CButtonWidget::GetText() const { return myText; }
void CButtonWidget::SetPressMask(int mask) { myPressMask = mask; }
int CButtonWidget::GetPressMask() const { return myPressMask; }
void CButtonWidget::SetDoubleClickEnabled(bool enabled) { myDoubleClickEnabled = enabled; }
bool CButtonWidget::IsDoubleClickEnabled() const { return myDoubleClickEnabled; }
void CButtonWidget::SetDoubleClickMask(int mask) { myDoubleClickMask = mask; }
int CButtonWidget::GetDoubleClickMask() const { return myDoubleClickMask; }
void CButtonWidget::SetDragEnabled(bool enabled) { myDragEnabled = enabled; }
bool CButtonWidget::IsDragEnabled() const { return myDragEnabled; }
void CButtonWidget::SetDragMask(int mask) { myDragMask = mask; }
int CButtonWidget::GetDragMask() const { return myDragMask; }

}  // namespace ui
}  // namespace tarn
