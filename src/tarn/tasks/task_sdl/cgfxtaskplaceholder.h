// A stand-in for the graphics task (type "gfx") until sprites and layers exist: installs the
// SDL image factory and the screen image, keeps the screen on the current video surface and
// presents at most one frame every 16 ms.
#ifndef TARN_TASKS_TASK_SDL_CGFXTASKPLACEHOLDER_H
#define TARN_TASKS_TASK_SDL_CGFXTASKPLACEHOLDER_H

#include <memory>

#include "../../utils/timer/ctimer.h"
#include "../ctask.h"

namespace tarn {

class CGfxFactorySDL;
class CPixelSDLScreen;

class CGfxTaskPlaceholder : public CTask {
public:
    CGfxTaskPlaceholder();
    // Uninstalls what it installed, if it is still running.
    ~CGfxTaskPlaceholder() override;

    // Installs the factory and the screen image and follows the window's size; true.
    bool Start() override;
    // Presents a frame when 16 ms have passed since the last one.
    void Update() override;
    void OnStop() override;
    // Attaches the screen image to the (new) video surface.
    void OnResize(int width, int height);

    int GetFrameCount() const { return myFrameCount; }

private:
    void AttachVideoSurface();
    void Uninstall();

    std::unique_ptr<CGfxFactorySDL> myGfxFactory;
    std::unique_ptr<CPixelSDLScreen> myScreenImage;
    CTimer myFrameTimer;
    int myFrameInterval;
    types::ticks myLastFrame;
    bool myPresentedOnce;
    int myFrameCount;
};

}  // namespace tarn

#endif
