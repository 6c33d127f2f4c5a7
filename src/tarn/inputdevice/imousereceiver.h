// What the mouse device routes to: an object occupying a screen rectangle, typically a
// draggable sprite or a game object. Receivers register with CMouse and must leave it before
// they are destroyed; they may leave from inside any of these calls.
#ifndef TARN_INPUTDEVICE_IMOUSERECEIVER_H
#define TARN_INPUTDEVICE_IMOUSERECEIVER_H

#include "tarn/gfx/crect.h"

namespace tarn {

class IMouseReceiver {
public:
    virtual ~IMouseReceiver() = default;
    // The mouse moved while over the receiver, or while the receiver is captured.
    virtual void OnMouseMove(int x, int y) = 0;
    // The mouse left the receiver (it was the hovered receiver and no longer is).
    virtual void OnMouseOut(int x, int y) = 0;
    // A button (code 1, 2, 4, 8 or 16) went down over the receiver, or while it is captured.
    virtual void OnMouseDown(int button) = 0;
    // A button went up over the receiver, while it is captured, or after a press on it.
    virtual void OnMouseUp(int button) = 0;
    // True: receivers behind this one get nothing where this one is hit.
    virtual bool IsBlocking() const = 0;
    // The screen rectangle used for hit testing.
    virtual CRect GetRect() const = 0;
    // The receiver's depth (smaller is nearer); the mouse device does not consult it.
    virtual int GetZ() const = 0;
};

}  // namespace tarn

#endif
