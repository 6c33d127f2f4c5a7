// The developer's task: a draggable frame-rate box and the "Dev-tool" console window that shows
// the whole log live ("ToggleConsole").
#ifndef TARN_TASKS_TASK_DEBUG_CDEBUGTASK_H
#define TARN_TASKS_TASK_DEBUG_CDEBUGTASK_H

#include <limits>
#include <memory>

#include "tarn/gfx/csprite.h"
#include "tarn/tasks/ctask.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {

class CDraggableSprite;
class CInterpreter;
class CTextSprite;
namespace ui {
class CWindowWidget;
}

class CDebugTask : public CTask {
public:
    CDebugTask();
    ~CDebugTask() override;

    // Becomes the target of "ToggleConsole" and shows the frame-rate box. Always true.
    bool Start() override;
    // Forgets a console the user closed and counts the frame; once a second the box shows the
    // number of updates of the last second.
    void Update() override;
    // Detaches "ToggleConsole" and removes the console, the box and the interpreter.
    void OnStop() override;
    // Runs line on the task's own interpreter; true.
    bool ExecuteCommand(const std::string& line) override;

    // Closes an open console, otherwise opens one.
    void ToggleConsole();

    ui::CWindowWidget* GetConsole() const { return myConsole; }
    CTextSprite* GetFpsSprite() const;
    double GetAverageFps() const { return myAverageFps; }
    unsigned GetMinFps() const { return myMinFps; }
    unsigned GetMaxFps() const { return myMaxFps; }

private:
    void CloseConsole();
    void Clear();

    std::unique_ptr<CInterpreter> myInterpreter;
    ui::CWindowWidget* myConsole;
    CSpriteHandle myFpsSprite;
    std::unique_ptr<CDraggableSprite> myFpsMover;
    unsigned myFrameCount;
    types::ticks myLastSample;
    double myAverageFps;
    unsigned myMinFps;
    unsigned myMaxFps;
    CTimer myTimer;
};

}  // namespace tarn

#endif
