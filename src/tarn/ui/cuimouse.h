// The pointer as the user-interface task keeps it: buttons held and the current and previous
// positions, with the cursor operations a widget may use while it handles an event.
#ifndef TARN_UI_CUIMOUSE_H
#define TARN_UI_CUIMOUSE_H

namespace tarn {
namespace ui {

class CUiMouse {
public:
    CUiMouse() = default;
    virtual ~CUiMouse() = default;
    virtual void GetPosition(int& x, int& y) const;
    // The previous position minus the current one.
    virtual void GetMovement(int& dx, int& dy) const;
    virtual int GetButtons() const;
    // Forwarded to the event dispatcher's cursor control (nothing while no event task runs).
    virtual void ChangeCursor(int type);
    virtual void SetCursorVisible(bool visible);

    // The current position becomes the previous one.
    void MoveTo(int x, int y);
    void PressButtons(int mask) { myButtons |= mask; }
    void ReleaseButtons(int mask) { myButtons &= ~mask; }

private:
    int myButtons = 0;
    int myX = 0;
    int myY = 0;
    int myPreviousX = 0;
    int myPreviousY = 0;
};

}  // namespace ui
}  // namespace tarn

#endif
