// Something a key runs when it goes down (or up). The keyboard task owns its bindings.
#ifndef TARN_TASKS_TASK_SDL_IKEYBINDING_H
#define TARN_TASKS_TASK_SDL_IKEYBINDING_H

namespace tarn {

class IKeyBinding {
public:
    virtual ~IKeyBinding() = default;
    // key is the SDL key code that fired the binding.
    virtual void Execute(int key) = 0;
    virtual bool FiresOnKeyUp() const { return false; }
    virtual bool FiresOnKeyDown() const { return true; }
};

}  // namespace tarn

#endif
