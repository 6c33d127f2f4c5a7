// Shows, hides and changes the mouse cursor. The event task owns the one that is in use and
// lends it to the event dispatcher while it runs.
#ifndef TARN_TASKS_EVENTS_ICURSORCONTROL_H
#define TARN_TASKS_EVENTS_ICURSORCONTROL_H

namespace tarn {

class ICursorControl {
public:
    virtual ~ICursorControl() = default;
    virtual void ShowCursor() = 0;
    virtual void HideCursor() = 0;
    // type is one of the cursor types (0 = none, 1..9 the built-in cursors).
    virtual void ChangeCursor(int type) = 0;
};

}  // namespace tarn

#endif
