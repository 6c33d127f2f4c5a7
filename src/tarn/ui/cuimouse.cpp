// The user-interface task's pointer state and its cursor forwarding.
#include "tarn/ui/cuimouse.h"

#include "tarn/tasks/events/ceventdispatcher.h"

namespace tarn {
namespace ui {

void CUiMouse::GetPosition(int& x, int& y) const {
    x = myX;
    y = myY;
}

void CUiMouse::GetMovement(int& dx, int& dy) const {
    dx = myPreviousX - myX;
    dy = myPreviousY - myY;
}

int CUiMouse::GetButtons() const { return myButtons; }

void CUiMouse::ChangeCursor(int type) { CEventDispatcher::GetSingleton()->ChangeCursor(type); }

void CUiMouse::SetCursorVisible(bool visible) {
    if (visible) {
        CEventDispatcher::GetSingleton()->ShowCursor();
    } else {
        CEventDispatcher::GetSingleton()->HideCursor();
    }
}

void CUiMouse::MoveTo(int x, int y) {
    myPreviousX = myX;
    myPreviousY = myY;
    myX = x;
    myY = y;
}

}  // namespace ui
}  // namespace tarn
