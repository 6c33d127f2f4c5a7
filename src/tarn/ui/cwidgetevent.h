// A pointer event as the widget tree sees it: what happened, where the pointer is, which
// buttons are concerned and the mouse state that delivered it.
#ifndef TARN_UI_CWIDGETEVENT_H
#define TARN_UI_CWIDGETEVENT_H

namespace tarn {
namespace ui {

class CUiMouse;

// Event types. 2 and 3 are made by the routing itself, never delivered from outside.
enum {
    WIDGET_EVENT_MOTION = 1,
    WIDGET_EVENT_MOUSE_OUT = 2,
    WIDGET_EVENT_MOUSE_OVER = 3,
    WIDGET_EVENT_BUTTON_DOWN = 4,
    WIDGET_EVENT_BUTTON_UP = 5
};

// Bit 0 of the button mask: the left button.
const int kWidgetLeftButton = 1;

struct CWidgetEvent {
    int type = 0;
    // The pointer, in window coordinates.
    int x = 0;
    int y = 0;
    int buttons = 0;
    // Borrowed; may be null (events made by tests or by code without a mouse).
    CUiMouse* mouse = nullptr;
};

}  // namespace ui
}  // namespace tarn

#endif
