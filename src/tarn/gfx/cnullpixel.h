// The shared null image: what every image creation returns instead of null. It is empty,
// draws nothing, reports zero sizes, and is never deleted.
#ifndef TARN_GFX_CNULLPIXEL_H
#define TARN_GFX_CNULLPIXEL_H

#include "tarn/gfx/ipixel.h"

namespace tarn {

class CNullPixel : public IPixel {
public:
    // The one instance.
    static CNullPixel* GetInstance();

    bool IsNullImage() const override { return true; }
    int GetType() const override { return 0; }
    bool IsEmpty() const override { return true; }
    void PutPixel(int, int, const CColor&) override {}
    // The default colour key.
    CColor GetPixel(int, int) const override { return CColor::DefaultKey(); }
    void ClearRect(const CRect&) override {}
    int GetWidth() const override { return 0; }
    int GetHeight() const override { return 0; }
    IPixel* Scale(int, int) override { return this; }
    IPixel* Rotate(double) override { return this; }
    void SetAlpha(int) override {}
    IPixel* CreateBlankCopy() override { return this; }
    bool BlitTo(IPixel*, const CRect&, const CRect&) override { return false; }
    bool Blit(IPixel*) override { return false; }
    void SetRect(const CRect&) override {}
    CRect GetRect() const override { return CRect(); }
    bool IsSubImage() const override { return false; }
    int GetSurfaceWidth() const override { return 0; }
    int GetSurfaceHeight() const override { return 0; }
    int GetX() const override { return 0; }
    int GetY() const override { return 0; }
    void SetOption(int, int) override {}
    bool Save(const std::string&) override { return false; }
    std::string GetName() const override { return std::string(); }
    void Update() override {}
    void AddDirtyRect(const CRect&) override {}
    CRect ClipRect(const CRect&) const override { return CRect(); }
    SDL_Surface* GetSurface() override { return nullptr; }
    SDL_Surface* GetRawSurface() override { return nullptr; }
    void SetSurface(SDL_Surface*, bool) override {}
};

}  // namespace tarn

#endif
