// The mouse device: listens to the event dispatcher and routes motion and buttons to the
// registered mouse receivers, with hit testing, hover tracking, capture and click pairing.
#ifndef TARN_INPUTDEVICE_CMOUSE_H
#define TARN_INPUTDEVICE_CMOUSE_H

#include <list>

#include "tarn/tasks/events/imouselistener.h"
#include "tarn/inputdevice/imousereceiver.h"

namespace tarn {

// Receivers are hit-tested in registration order (first registered, first tested). A receiver
// may unregister itself, or others, from inside any call it gets: it is not called again in
// that dispatch, and one that leaves during a button press ends that press's walk.
class CMouse : public IMouseListener {
public:
    // Created on first call and never deleted.
    static CMouse* GetSingleton();

    // Registers with the event dispatcher as a mouse listener.
    CMouse();
    ~CMouse() override;
    CMouse(const CMouse&) = delete;
    CMouse& operator=(const CMouse&) = delete;

    // Appends receiver (once; a second registration is ignored). Not owned.
    void AddReceiver(IMouseReceiver* receiver);
    // Forgets receiver everywhere: receivers, captured, hovered, current and pressed.
    void RemoveReceiver(IMouseReceiver* receiver);
    // A captured receiver gets every event wherever the mouse is (dragging).
    void AddCapture(IMouseReceiver* receiver);
    void RemoveCapture(IMouseReceiver* receiver);

    // Position of the last motion event.
    int GetX() const { return myX; }
    int GetY() const { return myY; }
    IMouseReceiver* GetHovered() const { return myHovered; }
    IMouseReceiver* GetPressed() const { return myPressed; }

    // Forwarded to the event dispatcher's cursor control.
    void HideCursor();
    void ShowCursor();

    void OnMouseMove(int x, int y) override;
    void OnMouseDown(int button) override;
    void OnMouseUp(int button) override;

private:
    bool IsRegistered(const IMouseReceiver* receiver) const;
    bool IsCaptured(const IMouseReceiver* receiver) const;
    // Calls down or up on every captured receiver until one leaves the device; true when
    // pressed (a non-null receiver) was among those that got it.
    bool NotifyCaptured(int button, bool down, const IMouseReceiver* pressed);

    std::list<IMouseReceiver*> myReceivers;
    std::list<IMouseReceiver*> myCaptured;
    IMouseReceiver* myHovered;
    IMouseReceiver* myCurrent;
    IMouseReceiver* myPressed;
    int myX;
    int myY;
};

}  // namespace tarn

#endif
