// The graphics facade: free functions over the one installed image factory and the screen
// image. Without a factory every creation gives the shared null image.
#include "tarn/gfx/gfx.h"

#include "tarn/utils/logger/cassert.h"
#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/cnullpixel.h"

namespace tarn {

namespace {

CGfxFactory* myFactory = nullptr;
IPixel* myScreen = nullptr;

}  // namespace

IPixel* CreateImage(int w, int h, const CColor& colorKey) {
    return myFactory ? myFactory->CreateImage(w, h, colorKey) : GetNullImage();
}

IPixel* CreateOpaqueImage(int w, int h) { return myFactory ? myFactory->CreateOpaqueImage(w, h) : GetNullImage(); }

bool IsOpaqueImage(IPixel* image) { return myFactory && image && myFactory->IsOpaque(image); }

IPixel* CreateImageAlpha(int w, int h) { return myFactory ? myFactory->CreateImageAlpha(w, h) : GetNullImage(); }

IPixel* LoadImage(const std::string& filename, const CColor& colorKey) {
    return myFactory ? myFactory->LoadImage(filename, colorKey) : GetNullImage();
}

void ReleaseImage(IPixel* image) {
    if (myFactory && image && image != GetNullImage()) myFactory->ReleaseImage(image);
}

void SetFactory(CGfxFactory* factory) {
    cassert(myFactory == NULL || myFactory == factory || factory == NULL) cvalue(myFactory) cvalue(factory);
    myFactory = factory;
}

CGfxFactory* GetFactory() { return myFactory; }

void DeleteFactory() {
    delete myFactory;
    myFactory = nullptr;
}

IPixel* GetScreen() { return myScreen ? myScreen : GetNullImage(); }

void SetScreen(IPixel* screen) { myScreen = screen; }

IPixel* GetNullImage() { return CNullPixel::GetInstance(); }

}  // namespace tarn
