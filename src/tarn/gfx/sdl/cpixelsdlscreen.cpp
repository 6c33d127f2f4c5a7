// The image standing for the display surface: collects the changed ("dirty") rectangles of a
// frame and pushes them to the display in Update, or flips the whole screen.
#include "tarn/gfx/sdl/cpixelsdlscreen.h"

#include <SDL.h>

#include <vector>

#include "tarn/gfx/cgfxsettings.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

CPixelSDLScreen::CPixelSDLScreen() : myFullUpdate(false), myWholeScreenFlip(kFlipWholeScreen) {}

CPixelSDLScreen::~CPixelSDLScreen() { DetachSurface(); }

void CPixelSDLScreen::SetSurface(SDL_Surface* surface, bool) {
    CPixelSDL::SetSurface(surface, false);
    myScreenRect = GetRect();
    myDirtyRects.clear();
    myFullUpdate = false;
    CLogger* logger = CLogger::GetSingleton();
    *logger << "myWidth = " << myScreenRect.w << "\n";
    *logger << "myHeight = " << myScreenRect.h << "\n";
}

void CPixelSDLScreen::AddDirtyRect(const CRect& rect) {
    if (myFullUpdate) return;
    if (rect == myScreenRect) {
        myFullUpdate = true;
        return;
    }
    const CRect clipped = rect.Clip(myScreenRect);
    if (!clipped.HasArea()) return;
    const int cap = GetGfxSettings().myFlipRectsSize;
    if (cap > 0 && static_cast<int>(myDirtyRects.size()) >= cap) {
        myFullUpdate = true;
        return;
    }
    myDirtyRects.push_back(clipped);
}

void CPixelSDLScreen::Update() {
    SDL_Surface* screen = GetRawSurface();
    if (!screen) {
        myDirtyRects.clear();
        myFullUpdate = false;
        return;
    }
    if (!myFullUpdate && myDirtyRects.empty()) return;
    // A page-flipped display shows only whole flipped pages.
    const bool pageFlipped = (screen->flags & SDL_HWSURFACE) && (screen->flags & SDL_DOUBLEBUF);
    GetLoopStats().Add(CLoopStats::FLIPS);
    if (myFullUpdate || myWholeScreenFlip || pageFlipped) {
        SDL_Flip(screen);
        myDirtyRects.clear();
        myFullUpdate = false;
        return;
    }
    std::vector<SDL_Rect> rects;
    rects.reserve(myDirtyRects.size());
    for (const CRect& rect : myDirtyRects) {
        rects.push_back(SDL_Rect{static_cast<Sint16>(rect.x), static_cast<Sint16>(rect.y), static_cast<Uint16>(rect.w),
                                 static_cast<Uint16>(rect.h)});
    }
    SDL_UpdateRects(screen, static_cast<int>(rects.size()), rects.data());
    myDirtyRects.clear();
}

}  // namespace tarn
