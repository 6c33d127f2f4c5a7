// Something that wants to know the window's size whenever it changes.
// Registered with the event dispatcher, which never owns it.
#ifndef TARN_TASKS_EVENTS_IRESIZELISTENER_H
#define TARN_TASKS_EVENTS_IRESIZELISTENER_H

namespace tarn {

class IResizeListener {
public:
    virtual ~IResizeListener() = default;
    // The window now is width by height pixels.
    virtual void OnResize(int width, int height) = 0;
};

}  // namespace tarn

#endif
