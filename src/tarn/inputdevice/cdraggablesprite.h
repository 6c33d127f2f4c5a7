// A sprite the user drags with the left mouse button: it wraps another sprite and moves it
// while the button is held, as a receiver of the mouse device.
#ifndef TARN_INPUTDEVICE_CDRAGGABLESPRITE_H
#define TARN_INPUTDEVICE_CDRAGGABLESPRITE_H

#include "tarn/inputdevice/imousereceiver.h"
#include "tarn/gfx/csprite.h"

namespace tarn {

// Has no image of its own; its hit rectangle and depth are the wrapped sprite's.
class CDraggableSprite : public CSprite, public IMouseReceiver {
public:
    // Wraps nothing and is not registered with the mouse device.
    CDraggableSprite();
    // Shares sprite (may be empty) and registers with the mouse device.
    explicit CDraggableSprite(const CSpriteHandle& sprite);
    // Leaves the mouse device and drops its handle to the wrapped sprite.
    ~CDraggableSprite() override;

    // The wrapped sprite's Z, 0 without one.
    int GetZ() const override;
    // The wrapped sprite's rectangle, the empty rectangle without one.
    CRect GetRect() const override;

    // While dragging, moves the wrapped sprite so that the grab point follows the mouse.
    void OnMouseMove(int x, int y) override;
    void OnMouseOut(int x, int y) override;
    // Button 1 starts a drag (when enabled) and captures the mouse.
    void OnMouseDown(int button) override;
    // Button 1 ends the drag and lets the mouse go.
    void OnMouseUp(int button) override;
    bool IsBlocking() const override;

    void SetDragEnabled(bool enabled) { myDragEnabled = enabled; }
    bool IsDragEnabled() const { return myDragEnabled; }
    bool IsDragging() const { return myDragging; }
    const CSpriteHandle& GetSprite() const { return myWrapped; }

private:
    static const int kLeftButton = 1;

    CSpriteHandle myWrapped;
    bool myDragging;
    int myGrabX;
    int myGrabY;
    bool myDragEnabled;
};

}  // namespace tarn

#endif
