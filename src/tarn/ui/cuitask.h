// The user-interface task (type "ui"): listens to the event dispatcher and turns pointer
// motion and buttons into widget events for the desktop, which it sizes to the window.
#ifndef TARN_UI_CUITASK_H
#define TARN_UI_CUITASK_H

#include "tarn/ui/cuimouse.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/events/iactivitylistener.h"
#include "tarn/tasks/events/ikeylistener.h"
#include "tarn/tasks/events/imouselistener.h"

namespace tarn {
namespace ui {

class CUiTask : public CTask, public IKeyListener, public IMouseListener, public IActivityListener {
public:
    CUiTask() = default;
    // Leaves the dispatcher's lists.
    ~CUiTask() override;

    // Registers with the event dispatcher and sizes the desktop to the last reported window
    // size. Always true.
    bool Start() override;
    // Works only through the listener calls.
    void Update() override {}
    // Leaves the dispatcher's lists and deletes the desktop with the whole widget tree.
    void OnStop() override;

    void OnKeyDown(int) override {}
    void OnKeyUp(int) override {}
    void OnMouseMove(int x, int y) override;
    // button is a bit value (left 1, middle 2, right 4, ...); it is the event's mask.
    void OnMouseDown(int button) override;
    void OnMouseUp(int button) override;
    void OnResize(int width, int height) override;
    void OnActivate(bool) override {}

    CUiMouse* GetMouse() { return &myMouse; }

private:
    void StopListening();
    void SendButtonEvent(int type, int button);

    CUiMouse myMouse;
};

}  // namespace ui
}  // namespace tarn

#endif
