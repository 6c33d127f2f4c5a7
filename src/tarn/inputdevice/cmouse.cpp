// The mouse device: listens to the event dispatcher and routes motion and buttons to the
// registered mouse receivers, with hit testing, hover tracking, capture and click pairing.
#include "tarn/inputdevice/cmouse.h"

#include <algorithm>
#include <vector>

#include "tarn/tasks/events/ceventdispatcher.h"

namespace tarn {

namespace {

std::vector<IMouseReceiver*> Snapshot(const std::list<IMouseReceiver*>& receivers) {
    return std::vector<IMouseReceiver*>(receivers.begin(), receivers.end());
}

bool Holds(const std::list<IMouseReceiver*>& receivers, const IMouseReceiver* receiver) {
    return std::find(receivers.begin(), receivers.end(), receiver) != receivers.end();
}

}  // namespace

CMouse* CMouse::GetSingleton() {
    static CMouse* mouse = new CMouse();
    return mouse;
}

CMouse::CMouse() : myHovered(nullptr), myCurrent(nullptr), myPressed(nullptr), myX(0), myY(0) {
    CEventDispatcher::GetSingleton()->AddMouseListener(this);
}

CMouse::~CMouse() { CEventDispatcher::GetSingleton()->RemoveMouseListener(this); }

void CMouse::AddReceiver(IMouseReceiver* receiver) {
    if (receiver && !IsRegistered(receiver)) myReceivers.push_back(receiver);
}

void CMouse::RemoveReceiver(IMouseReceiver* receiver) {
    myReceivers.remove(receiver);
    myCaptured.remove(receiver);
    if (myHovered == receiver) myHovered = nullptr;
    if (myCurrent == receiver) myCurrent = nullptr;
    if (myPressed == receiver) myPressed = nullptr;
}

void CMouse::AddCapture(IMouseReceiver* receiver) {
    if (receiver && !IsCaptured(receiver)) myCaptured.push_back(receiver);
}

void CMouse::RemoveCapture(IMouseReceiver* receiver) { myCaptured.remove(receiver); }

bool CMouse::IsRegistered(const IMouseReceiver* receiver) const { return Holds(myReceivers, receiver); }

bool CMouse::IsCaptured(const IMouseReceiver* receiver) const { return Holds(myCaptured, receiver); }

void CMouse::HideCursor() { CEventDispatcher::GetSingleton()->HideCursor(); }

void CMouse::ShowCursor() { CEventDispatcher::GetSingleton()->ShowCursor(); }

void CMouse::OnMouseMove(int x, int y) {
    for (IMouseReceiver* receiver : Snapshot(myCaptured)) {
        if (IsCaptured(receiver)) receiver->OnMouseMove(x, y);
    }
    IMouseReceiver* blockingHit = nullptr;
    for (IMouseReceiver* receiver : Snapshot(myReceivers)) {
        if (!IsRegistered(receiver) || !receiver->GetRect().Contains(x, y)) continue;
        // Asked before the call: the receiver may leave (and be deleted) during it.
        const bool blocking = receiver->IsBlocking();
        receiver->OnMouseMove(x, y);
        if (!blocking) continue;
        if (IsRegistered(receiver)) blockingHit = receiver;
        break;
    }
    if (myHovered && myHovered != blockingHit) myHovered->OnMouseOut(x, y);
    myHovered = blockingHit;
    myX = x;
    myY = y;
}

bool CMouse::NotifyCaptured(int button, bool down, const IMouseReceiver* pressed) {
    bool pressedReached = false;
    for (IMouseReceiver* receiver : Snapshot(myCaptured)) {
        if (!IsCaptured(receiver)) continue;
        myCurrent = receiver;
        if (receiver == pressed) pressedReached = true;
        if (down) {
            receiver->OnMouseDown(button);
        } else {
            receiver->OnMouseUp(button);
        }
        if (!myCurrent) break;
    }
    myCurrent = nullptr;
    return pressedReached;
}

void CMouse::OnMouseDown(int button) {
    NotifyCaptured(button, true, nullptr);
    for (IMouseReceiver* receiver : Snapshot(myReceivers)) {
        if (!IsRegistered(receiver) || !receiver->GetRect().Contains(myX, myY)) continue;
        myCurrent = receiver;
        const bool blocking = receiver->IsBlocking();
        receiver->OnMouseDown(button);
        if (!myCurrent) return;  // the receiver left the device during the call
        myCurrent = nullptr;
        if (blocking) {
            myPressed = receiver;
            return;
        }
    }
}

void CMouse::OnMouseUp(int button) {
    bool pressedReached = NotifyCaptured(button, false, myPressed);
    for (IMouseReceiver* receiver : Snapshot(myReceivers)) {
        if (!IsRegistered(receiver) || !receiver->GetRect().Contains(myX, myY)) continue;
        myCurrent = receiver;
        const bool blocking = receiver->IsBlocking();
        if (receiver == myPressed) pressedReached = true;
        receiver->OnMouseUp(button);
        if (!myCurrent || blocking) break;
    }
    myCurrent = nullptr;
    // The receiver that got the press gets the matching release wherever the mouse is now.
    if (myPressed && !pressedReached) myPressed->OnMouseUp(button);
    myPressed = nullptr;
}

}  // namespace tarn
