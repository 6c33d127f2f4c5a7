// The graphics task without its platform: draws one frame on request - animations advanced
// to the drawing clock, the screen layer refreshed, the screen image updated.
#ifndef TARN_GFX_CGFXTASK_H
#define TARN_GFX_CGFXTASK_H

#include "tarn/tasks/ctask.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {

class CGfxTask : public CTask {
public:
    // The drawing clock starts now.
    CGfxTask();
    // Starts drawing; true.
    bool Start() override;
    // Draws one frame while drawing.
    void Update() override;
    // Stops drawing.
    void OnStop() override;

    bool IsDrawing() const { return myDrawing; }
    // The time animations are advanced to.
    types::ticks GetDrawingTime() const { return myDrawingTimer.GetTime(); }
    int GetFrameCount() const { return myFrameCount; }

protected:
    // Advances the animations, redraws what changed and pushes it to the display.
    void DrawFrame();

private:
    CTimer myDrawingTimer;
    bool myDrawing;
    int myFrameCount;
};

}  // namespace tarn

#endif
