// What the game asks of the window task, called directly rather than through console lines
// (which stay for scripts and key bindings). The window task implements it.
#ifndef TARN_TASKS_IWINDOWCONTROL_H
#define TARN_TASKS_IWINDOWCONTROL_H

namespace tarn {

class IWindowControl {
public:
    virtual ~IWindowControl() = default;
    // Opens the mode again at the same size, fullscreen when it was windowed and back.
    virtual void ToggleFullscreen() = 0;
    // Opens the mode again at the same size, fullscreen or in a window.
    virtual void SetFullscreen(bool fullscreen) = 0;
    virtual bool IsFullscreen() const = 0;
};

}  // namespace tarn

#endif
