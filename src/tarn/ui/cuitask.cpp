// The user-interface task: the bridge from the event dispatcher to the desktop widget.
#include "tarn/ui/cuitask.h"

#include "tarn/ui/cdesktopwidget.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/events/ceventdispatcher.h"

namespace tarn {
namespace ui {

namespace {

CTaskRegistrar<CUiTask> theUiRegistrar("ui");

}  // namespace

CUiTask::~CUiTask() { StopListening(); }

bool CUiTask::Start() {
    CEventDispatcher* dispatcher = CEventDispatcher::GetSingleton();
    dispatcher->AddKeyListener(this);
    dispatcher->AddMouseListener(this);
    dispatcher->AddActivityListener(this);
    CDesktopWidget::GetSingleton()->SetSize(dispatcher->GetWidth(), dispatcher->GetHeight());
    return true;
}

void CUiTask::OnStop() {
    StopListening();
    CDesktopWidget::DeleteSingleton();
}

void CUiTask::StopListening() {
    CEventDispatcher* dispatcher = CEventDispatcher::GetSingleton();
    dispatcher->RemoveKeyListener(this);
    dispatcher->RemoveMouseListener(this);
    dispatcher->RemoveActivityListener(this);
}

void CUiTask::OnMouseMove(int x, int y) {
    myMouse.MoveTo(x, y);
    CWidgetEvent event;
    event.type = WIDGET_EVENT_MOTION;
    event.x = x;
    event.y = y;
    event.buttons = myMouse.GetButtons();
    event.mouse = &myMouse;
    CDesktopWidget::GetSingleton()->HandleEvent(event);
}

void CUiTask::OnMouseDown(int button) {
    myMouse.PressButtons(button);
    SendButtonEvent(WIDGET_EVENT_BUTTON_DOWN, button);
}

void CUiTask::OnMouseUp(int button) {
    myMouse.ReleaseButtons(button);
    SendButtonEvent(WIDGET_EVENT_BUTTON_UP, button);
}

void CUiTask::SendButtonEvent(int type, int button) {
    CWidgetEvent event;
    event.type = type;
    myMouse.GetPosition(event.x, event.y);
    event.buttons = button;
    event.mouse = &myMouse;
    CDesktopWidget::GetSingleton()->HandleEvent(event);
}

void CUiTask::OnResize(int width, int height) { CDesktopWidget::GetSingleton()->SetSize(width, height); }

}  // namespace ui
}  // namespace tarn
