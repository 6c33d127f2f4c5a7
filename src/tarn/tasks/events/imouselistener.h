// Something that wants the raw mouse: motion in window pixels and buttons as bit codes
// (left 1, middle 2, right 4, wheel up 8, wheel down 16, anything else 0).
#ifndef TARN_TASKS_EVENTS_IMOUSELISTENER_H
#define TARN_TASKS_EVENTS_IMOUSELISTENER_H

namespace tarn {

class IMouseListener {
public:
    virtual ~IMouseListener() = default;
    virtual void OnMouseMove(int x, int y) = 0;
    virtual void OnMouseDown(int button) = 0;
    virtual void OnMouseUp(int button) = 0;
};

}  // namespace tarn

#endif
