// The graphics task (type "gfx"): installs the SDL image factory and the screen image, keeps
// the screen on the current video surface and presents at most one frame every 16 ms.
#ifndef TARN_TASKS_TASK_SDL_CGFXTASKSDL_H
#define TARN_TASKS_TASK_SDL_CGFXTASKSDL_H

#include <memory>

#include "tarn/gfx/cgfxtask.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {

class CGfxFactorySDL;
class CPixelSDLScreen;

class CGfxTaskSDL : public CGfxTask {
public:
    CGfxTaskSDL();
    // Uninstalls what it installed, if it is still running.
    ~CGfxTaskSDL() override;

    // Installs the factory and the screen image, follows the window's size and starts
    // drawing; true.
    bool Start() override;
    // Draws a frame when 16 ms have passed since the last one (the first at once).
    void Update() override;
    // Stops drawing and uninstalls the factory and the screen image.
    void OnStop() override;
    // Attaches the screen image to the (new) video surface; everything is drawn again.
    void OnResize(int width, int height);
    // The nominal rate (informational; frames are paced by the 16 ms interval).
    int GetFramesPerSecond() const { return myFramesPerSecond; }

private:
    // Binds the console variables "gfx_flip_debug_rects" and "gfx_flip_rects_size".
    static void BindFlipSettings();
    void AttachVideoSurface();
    void Uninstall();
    // Asks the main loop to come back in ms milliseconds, when the next frame is due.
    static void WakeForFrame(types::ticks ms);

    std::unique_ptr<CGfxFactorySDL> myGfxFactory;
    std::unique_ptr<CPixelSDLScreen> myScreenImage;
    CTimer myFrameTimer;
    int myFramesPerSecond;
    int myFrameInterval;
    types::ticks myLastFrame;
    bool myPresentedOnce;
};

}  // namespace tarn

#endif
