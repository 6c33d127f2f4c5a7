// A stand-in for the graphics task (type "gfx") until sprites and layers exist: installs the
// SDL image factory and the screen image, keeps the screen on the current video surface and
// presents at most one frame every 16 ms.
#include "cgfxtaskplaceholder.h"

#include <SDL.h>

#include "../../gfx/gfx.h"
#include "../../gfx/sdl/cgfxfactorysdl.h"
#include "../../gfx/sdl/cpixelsdlscreen.h"
#include "ceventdispatcher.h"

namespace tarn {

CGfxTaskPlaceholder::CGfxTaskPlaceholder()
    : myFrameInterval(16), myLastFrame(0), myPresentedOnce(false), myFrameCount(0) {}

CGfxTaskPlaceholder::~CGfxTaskPlaceholder() { Uninstall(); }

bool CGfxTaskPlaceholder::Start() {
    if (myGfxFactory) return true;
    myGfxFactory = std::make_unique<CGfxFactorySDL>();
    SetFactory(myGfxFactory.get());
    myScreenImage = std::make_unique<CPixelSDLScreen>();
    SetScreen(myScreenImage.get());
    CEventDispatcher::GetSingleton()->AddResizeListener(this);
    AttachVideoSurface();
    return true;
}

void CGfxTaskPlaceholder::AttachVideoSurface() {
    SDL_Surface* video = SDL_GetVideoSurface();
    if (!myScreenImage || !video) return;
    // SDL 1.2 reuses one surface object for every mode it opens: the size tells a new mode.
    const bool same = video == myScreenImage->GetRawSurface() && video->w == myScreenImage->GetSurfaceWidth() &&
                      video->h == myScreenImage->GetSurfaceHeight();
    if (!same) myScreenImage->SetSurface(video, false);
}

void CGfxTaskPlaceholder::OnResize(int, int) { AttachVideoSurface(); }

void CGfxTaskPlaceholder::Update() {
    if (!myScreenImage) return;
    const types::ticks now = myFrameTimer.GetTime();
    if (myPresentedOnce && now - myLastFrame < static_cast<types::ticks>(myFrameInterval)) return;
    // The window may have reopened its mode after this task heard of the new size.
    AttachVideoSurface();
    myScreenImage->Update();
    myLastFrame = now;
    myPresentedOnce = true;
    ++myFrameCount;
}

void CGfxTaskPlaceholder::OnStop() { Uninstall(); }

void CGfxTaskPlaceholder::Uninstall() {
    CEventDispatcher::GetSingleton()->RemoveResizeListener(this);
    if (!myGfxFactory) return;
    SetFactory(nullptr);
    myGfxFactory.reset();
    if (GetScreen() == myScreenImage.get()) SetScreen(nullptr);
    myScreenImage.reset();
    DeleteFactory();
}

}  // namespace tarn
