// Something that wants to know when the application gains or loses input focus (and, like
// every activity listener, the window's size). Registered with the event dispatcher.
#ifndef TARN_TASKS_EVENTS_IACTIVITYLISTENER_H
#define TARN_TASKS_EVENTS_IACTIVITYLISTENER_H

namespace tarn {

class IActivityListener {
public:
    virtual ~IActivityListener() = default;
    virtual void OnResize(int width, int height) = 0;
    // active is false when the window lost input focus, true when it got it back.
    virtual void OnActivate(bool active) = 0;
};

}  // namespace tarn

#endif
