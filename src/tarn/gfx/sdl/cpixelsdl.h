// An image over an SDL 1.2 surface, seen through a view rectangle. Loaded surfaces are shared
// through the texture manager; every surface an image drops goes through its release.
#ifndef TARN_GFX_SDL_CPIXELSDL_H
#define TARN_GFX_SDL_CPIXELSDL_H

#include <cstdint>
#include <string>

#include "tarn/gfx/ipixel.h"

namespace tarn {

// Pixel access accepts the column x = view.x + view.w and the row y = view.y + view.h (one
// past the view). Where that pixel lies inside the surface (a view smaller than its surface)
// it is read and written like any other; where it lies outside the surface - always for a
// view covering the whole surface - PutPixel ignores it and GetPixel returns opaque black, as
// for every pixel outside the surface.
class CPixelSDL : public IPixel {
public:
    static const int kTypeId = 1;

    // Takes surface (may be null: an empty image) and hands it to the texture manager's
    // release when done. name is the file the surface came from, or "".
    explicit CPixelSDL(SDL_Surface* surface = nullptr, const std::string& name = std::string());
    ~CPixelSDL() override;
    CPixelSDL(const CPixelSDL&) = delete;
    CPixelSDL& operator=(const CPixelSDL&) = delete;

    bool IsNullImage() const override { return false; }
    int GetType() const override { return kTypeId; }
    bool IsEmpty() const override { return mySurface == nullptr; }
    void PutPixel(int x, int y, const CColor& color) override;
    CColor GetPixel(int x, int y) const override;
    // 32-bit surfaces only; others are left unchanged.
    void ClearRect(const CRect& rect) override;
    int GetWidth() const override { return myViewRect.w; }
    int GetHeight() const override { return myViewRect.h; }
    IPixel* Scale(int w, int h) override;
    IPixel* Rotate(double angle) override;
    void SetAlpha(int alpha) override;
    IPixel* CreateBlankCopy() override;
    bool BlitTo(IPixel* target, const CRect& srcRect, const CRect& dstRect) override;
    bool Blit(IPixel* target) override;
    void SetRect(const CRect& rect) override { myViewRect = rect; }
    CRect GetRect() const override { return myViewRect; }
    bool IsSubImage() const override { return myViewRect != mySurfaceRect; }
    int GetSurfaceWidth() const override { return mySurfaceRect.w; }
    int GetSurfaceHeight() const override { return mySurfaceRect.h; }
    int GetX() const override { return myViewRect.x; }
    int GetY() const override { return myViewRect.y; }
    void SetOption(int option, int value) override;
    bool Save(const std::string& filename) override;
    std::string GetName() const override { return myName; }
    void Update() override {}
    void AddDirtyRect(const CRect&) override {}
    CRect ClipRect(const CRect& rect) const override;
    // For a view that is part of the surface, a copy of the part of the view that lies on the
    // surface, remade whenever the view changes; null when the view misses the surface.
    SDL_Surface* GetSurface() override;
    SDL_Surface* GetRawSurface() override { return mySurface; }
    void SetSurface(SDL_Surface* surface, bool releaseOld) override;

    bool CopiesAlpha() const { return myCopyAlpha; }

    // Copies the src rectangle of one 32-bit surface into the dst rectangle of another
    // verbatim, alpha included, after clipping both to their surfaces. False (nothing copied)
    // unless both have 4 bytes per pixel.
    // Bits of opaqueBits are set in every pixel copied (the browser's opaque targets).
    static bool RawCopy(SDL_Surface* source, const CRect& src, SDL_Surface* target, const CRect& dst,
                        std::uint32_t opaqueBits = 0);

protected:
    // Forgets the attached surface without releasing it (the display's own surface).
    void DetachSurface();

private:
    void FreeSubImage();
    // True when the absolute pixel (x, y) may be touched: inside the view (one past its
    // right and bottom edges included) and inside the surface.
    bool IsAccessible(long long x, long long y) const;
    bool CopyTo(CPixelSDL* target, CRect src, CRect dst);
    // Wraps a surface made from this image's view (by scaling or rotating) in a new image.
    IPixel* WrapDerived(SDL_Surface* surface);

    SDL_Surface* mySurface;
    SDL_Surface* mySubImage;
    bool myCopyAlpha;
    CRect myViewRect;
    CRect mySurfaceRect;
    std::string myName;
    // The part of the surface mySubImage was copied from.
    CRect mySubImageRect;
};

}  // namespace tarn

#endif
