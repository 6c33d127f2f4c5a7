// The image standing for the display surface: collects the changed ("dirty") rectangles of a
// frame and pushes them to the display in Update, or flips the whole screen.
#ifndef TARN_GFX_SDL_CPIXELSDLSCREEN_H
#define TARN_GFX_SDL_CPIXELSDLSCREEN_H

#include <list>

#include "tarn/gfx/sdl/cpixelsdl.h"

namespace tarn {

class CPixelSDLScreen : public CPixelSDL {
public:
    // Whether every Update with something dirty flips the whole screen rather than sending
    // the dirty rectangles (kept for displays where a whole flip is cheaper).
    static const bool kFlipWholeScreen = false;

    // Binds the console variables "gfx_flip_debug_rects" and "gfx_flip_rects_size" to the
    // graphics settings, once per console.
    CPixelSDLScreen();
    // The display surface belongs to SDL: it is let go, never freed.
    ~CPixelSDLScreen() override;

    // Nothing when nothing is dirty. Flips the screen when a full update is due (or whole
    // flips are chosen, or the display is page-flipped), otherwise sends the recorded
    // rectangles in one update. Empties the list.
    void Update() override;
    // Ignored during a full update. The whole screen asks for a full update; anything else is
    // clipped to the screen and recorded (nothing is recorded for a rectangle off the screen),
    // unless "gfx_flip_rects_size" rectangles are already recorded: then a full update is due.
    void AddDirtyRect(const CRect& rect) override;
    // Attaches the display surface (logged with its size); the old one is never released.
    void SetSurface(SDL_Surface* surface, bool releaseOld) override;

    bool IsFullUpdate() const { return myFullUpdate; }
    const std::list<CRect>& GetDirtyRects() const { return myDirtyRects; }
    // Chooses between whole-screen flips and per-rectangle updates (kFlipWholeScreen at start).
    void SetWholeScreenFlip(bool whole) { myWholeScreenFlip = whole; }

private:
    bool myFullUpdate;
    CRect myScreenRect;
    std::list<CRect> myDirtyRects;
    bool myWholeScreenFlip;
};

}  // namespace tarn

#endif
