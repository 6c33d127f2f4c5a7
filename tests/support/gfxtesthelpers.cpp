// Helpers for the sprite tests: a dummy-driver display with the SDL image factory and the
// screen image installed, solid-colour images, and reading colours off the screen.
#include "gfxtesthelpers.h"

#include <SDL.h>

#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"

namespace testsupport {

CGfxDisplay::CGfxDisplay(int w, int h) : myOpen(false) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    if (!SDL_SetVideoMode(w, h, 32, SDL_SWSURFACE)) return;
    myFactory = std::make_unique<tarn::CGfxFactorySDL>();
    tarn::SetFactory(myFactory.get());
    myScreen = std::make_unique<tarn::CPixelSDLScreen>();
    myScreen->SetSurface(SDL_GetVideoSurface(), false);
    tarn::SetScreen(myScreen.get());
    SDL_FillRect(SDL_GetVideoSurface(), nullptr, 0);
    myOpen = true;
}

CGfxDisplay::~CGfxDisplay() {
    tarn::SetScreen(nullptr);
    myScreen.reset();
    tarn::SetFactory(nullptr);
    myFactory.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void CGfxDisplay::Reopen(int w, int h) {
    SDL_Surface* video = SDL_SetVideoMode(w, h, 32, SDL_SWSURFACE);
    if (!video) return;
    SDL_FillRect(video, nullptr, 0);
    myScreen->SetSurface(video, false);
}

tarn::IPixel* SolidImage(int w, int h, const tarn::CColor& color) {
    tarn::IPixel* image = tarn::CreateImage(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) image->PutPixel(x, y, color);
    }
    return image;
}

std::string ColorText(const tarn::CColor& color) {
    return std::to_string(color.r) + "," + std::to_string(color.g) + "," + std::to_string(color.b);
}

std::string ScreenColor(int x, int y) { return ColorText(tarn::GetScreen()->GetPixel(x, y)); }

}  // namespace testsupport
