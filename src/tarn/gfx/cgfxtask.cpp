// The graphics task without its platform: draws one frame on request - animations advanced
// to the drawing clock, the screen layer refreshed, the screen image updated.
#include "tarn/gfx/cgfxtask.h"

#include "tarn/gfx/canimationupdater.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/tasks/cloopstats.h"

namespace tarn {

CGfxTask::CGfxTask() : myDrawing(false), myFrameCount(0) {}

bool CGfxTask::Start() {
    myDrawing = true;
    return true;
}

void CGfxTask::Update() {
    if (myDrawing) DrawFrame();
}

void CGfxTask::OnStop() { myDrawing = false; }

void CGfxTask::DrawFrame() {
    CAnimationUpdater::GetSingleton()->Update(myDrawingTimer.GetTime());
    CScreenLayer::GetSingleton()->Refresh();
    GetScreen()->Update();
    ++myFrameCount;
    GetLoopStats().Add(CLoopStats::FRAMES);
}

}  // namespace tarn
