// The graphics facade: free functions over the one installed image factory and the screen
// image. Without a factory every creation gives the shared null image.
#ifndef TARN_GFX_GFX_H
#define TARN_GFX_GFX_H

#include <string>

#include "tarn/gfx/ccolor.h"

namespace tarn {

class CGfxFactory;
class IPixel;

// Images belong to the caller, who gives them back with ReleaseImage.
IPixel* CreateImage(int w, int h, const CColor& colorKey = CColor::DefaultKey());
IPixel* CreateImageAlpha(int w, int h);
// An image without a transparent colour; see CGfxFactory::CreateOpaqueImage.
IPixel* CreateOpaqueImage(int w, int h);
// Whether drawing image replaces every pixel it covers; false without a factory.
bool IsOpaqueImage(IPixel* image);
IPixel* LoadImage(const std::string& filename, const CColor& colorKey = CColor::DefaultKey());
// Ignored without a factory and for the null image.
void ReleaseImage(IPixel* image);

// Installs the factory (not owned until DeleteFactory). Replacing one factory by another
// without clearing first is a programming error.
void SetFactory(CGfxFactory* factory);
CGfxFactory* GetFactory();
// Deletes the installed factory and clears the pointer.
void DeleteFactory();

// The screen image; the null image while none is set. Null sets it back to the null image.
IPixel* GetScreen();
void SetScreen(IPixel* screen);

// The shared null image.
IPixel* GetNullImage();

}  // namespace tarn

#endif
