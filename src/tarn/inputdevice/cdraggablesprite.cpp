// A sprite the user drags with the left mouse button: it wraps another sprite and moves it
// while the button is held, as a receiver of the mouse device.
#include "tarn/inputdevice/cdraggablesprite.h"

#include "tarn/inputdevice/cmouse.h"

namespace tarn {

CDraggableSprite::CDraggableSprite() : myDragging(false), myGrabX(0), myGrabY(0), myDragEnabled(true) {}

CDraggableSprite::CDraggableSprite(const CSpriteHandle& sprite) : CDraggableSprite() {
    myWrapped = sprite;
    CMouse::GetSingleton()->AddReceiver(this);
}

CDraggableSprite::~CDraggableSprite() { CMouse::GetSingleton()->RemoveReceiver(this); }

int CDraggableSprite::GetZ() const { return myWrapped ? myWrapped->GetZ() : 0; }

CRect CDraggableSprite::GetRect() const { return myWrapped ? myWrapped->GetRect() : CRect(); }

void CDraggableSprite::OnMouseMove(int x, int y) {
    if (myDragging && myWrapped) myWrapped->SetPosition(x + myGrabX, y + myGrabY);
}

void CDraggableSprite::OnMouseOut(int, int) {}

void CDraggableSprite::OnMouseDown(int button) {
    if (button != kLeftButton || !myDragEnabled) return;
    myDragging = true;
    CMouse* mouse = CMouse::GetSingleton();
    if (myWrapped) {
        myGrabX = myWrapped->GetX() - mouse->GetX();
        myGrabY = myWrapped->GetY() - mouse->GetY();
    }
    mouse->AddCapture(this);
}

void CDraggableSprite::OnMouseUp(int button) {
    if (button != kLeftButton || !myDragEnabled) return;
    myDragging = false;
    CMouse::GetSingleton()->RemoveCapture(this);
}

bool CDraggableSprite::IsBlocking() const { return true; }

}  // namespace tarn
