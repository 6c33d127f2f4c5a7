// Helpers for the sprite tests: a dummy-driver display with the SDL image factory and the
// screen image installed, solid-colour images, and reading colours off the screen.
#ifndef TESTS_SUPPORT_GFXTESTHELPERS_H
#define TESTS_SUPPORT_GFXTESTHELPERS_H

#include <memory>
#include <string>

#include "tarn/gfx/ccolor.h"

namespace tarn {
class CGfxFactorySDL;
class CPixelSDLScreen;
class IPixel;
}  // namespace tarn

namespace testsupport {

// Opens a w by h 32-bit video mode under the current (dummy) driver, installs a fresh SDL
// image factory and screen image, and clears the screen to black. Undone when destroyed.
class CGfxDisplay {
public:
    CGfxDisplay(int w = 64, int h = 48);
    ~CGfxDisplay();
    CGfxDisplay(const CGfxDisplay&) = delete;
    CGfxDisplay& operator=(const CGfxDisplay&) = delete;

    bool IsOpen() const { return myOpen; }
    tarn::CPixelSDLScreen* Screen() const { return myScreen.get(); }
    // Opens the mode again at another size (the screen image follows).
    void Reopen(int w, int h);

private:
    bool myOpen;
    std::unique_ptr<tarn::CGfxFactorySDL> myFactory;
    std::unique_ptr<tarn::CPixelSDLScreen> myScreen;
};

// A new w by h image (through the facade) filled with color; the caller releases it.
tarn::IPixel* SolidImage(int w, int h, const tarn::CColor& color);

// "r,g,b" of the screen pixel at x, y.
std::string ScreenColor(int x, int y);
std::string ColorText(const tarn::CColor& color);

}  // namespace testsupport

#endif
