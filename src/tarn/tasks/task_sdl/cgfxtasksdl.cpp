// The graphics task (type "gfx"): installs the SDL image factory and the screen image, keeps
// the screen on the current video surface and presents at most one frame every 16 ms.
#include "tarn/tasks/task_sdl/cgfxtasksdl.h"

#include <SDL.h>

#include "tarn/gfx/cgfxsettings.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/events/ceventdispatcher.h"

namespace tarn {

CGfxTaskSDL::CGfxTaskSDL() : myFramesPerSecond(60), myFrameInterval(16), myLastFrame(0), myPresentedOnce(false) {
    BindFlipSettings();
}

void CGfxTaskSDL::BindFlipSettings() {
    // Bound once per process: the settings outlive every graphics task.
    CInterpreter* console = CKernel::GetSingleton()->GetConsole();
    CGfxSettings& settings = GetGfxSettings();
    if (!console->FindVariable("gfx_flip_debug_rects")) {
        console->BindBool("gfx_flip_debug_rects", &settings.myFlipDebugRects);
    }
    if (!console->FindVariable("gfx_flip_rects_size")) {
        console->BindInt("gfx_flip_rects_size", &settings.myFlipRectsSize);
    }
}

CGfxTaskSDL::~CGfxTaskSDL() { Uninstall(); }

bool CGfxTaskSDL::Start() {
    if (myGfxFactory) return CGfxTask::Start();
    myGfxFactory = std::make_unique<CGfxFactorySDL>();
    SetFactory(myGfxFactory.get());
    myScreenImage = std::make_unique<CPixelSDLScreen>();
    SetScreen(myScreenImage.get());
    CEventDispatcher::GetSingleton()->AddResizeListener(this);
    AttachVideoSurface();
    CScreenLayer::GetSingleton()->RedrawAll();
    myPresentedOnce = false;
    return CGfxTask::Start();
}

void CGfxTaskSDL::AttachVideoSurface() {
    SDL_Surface* video = SDL_GetVideoSurface();
    if (!myScreenImage || !video) return;
    // SDL 1.2 reuses one surface object for every mode it opens: the size tells a new mode.
    const bool same = video == myScreenImage->GetRawSurface() && video->w == myScreenImage->GetSurfaceWidth() &&
                      video->h == myScreenImage->GetSurfaceHeight();
    if (!same) myScreenImage->SetSurface(video, false);
}

void CGfxTaskSDL::OnResize(int, int) {
    AttachVideoSurface();
    // A reopened mode starts blank, even at the same size.
    CScreenLayer::GetSingleton()->RedrawAll();
}

void CGfxTaskSDL::Update() {
    if (!myScreenImage || !IsDrawing()) return;
    const types::ticks now = myFrameTimer.GetTime();
    const types::ticks interval = static_cast<types::ticks>(myFrameInterval);
    if (myPresentedOnce && now - myLastFrame < interval) {
        WakeForFrame(interval - (now - myLastFrame));
        return;
    }
    // The window may have reopened its mode after this task heard of the new size.
    AttachVideoSurface();
    DrawFrame();
    myLastFrame = now;
    myPresentedOnce = true;
    WakeForFrame(interval);
}

void CGfxTaskSDL::WakeForFrame(types::ticks ms) {
    CTaskManager* manager = CTaskManager::GetExisting();
    if (manager) manager->WakeAt(GetGlobalTime() + ms);
}

void CGfxTaskSDL::OnStop() {
    CGfxTask::OnStop();
    Uninstall();
}

void CGfxTaskSDL::Uninstall() {
    CEventDispatcher::GetSingleton()->RemoveResizeListener(this);
    if (!myGfxFactory) return;
    // The sprites stay; they must not draw on the screen image that goes now.
    CScreenLayer::GetSingleton()->ReleaseScreen();
    SetFactory(nullptr);
    myGfxFactory.reset();
    if (GetScreen() == myScreenImage.get()) SetScreen(nullptr);
    myScreenImage.reset();
    DeleteFactory();
}

}  // namespace tarn
