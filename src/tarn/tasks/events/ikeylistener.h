// Something that wants every key press and release; key is an SDL key code.
// Registered with the event dispatcher, which never owns it.
#ifndef TARN_TASKS_EVENTS_IKEYLISTENER_H
#define TARN_TASKS_EVENTS_IKEYLISTENER_H

namespace tarn {

class IKeyListener {
public:
    virtual ~IKeyListener() = default;
    virtual void OnKeyDown(int key) = 0;
    virtual void OnKeyUp(int key) = 0;
};

}  // namespace tarn

#endif
