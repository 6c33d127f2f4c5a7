// The abstract image every other module draws with: a surface seen through a view rectangle.
// Creation paths never return null but the shared null image (see gfx.h).
#ifndef TARN_GFX_IPIXEL_H
#define TARN_GFX_IPIXEL_H

#include <string>

#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/crect.h"

struct SDL_Surface;

namespace tarn {

// Options of SetOption.
enum {
    PIXEL_OPTION_COPY_ALPHA = 0,       // this image's blits copy 32-bit pixels verbatim
    PIXEL_OPTION_SCALE_SMOOTHING = 1,  // process-wide smoothing of Scale
    PIXEL_OPTION_ROTATE_SMOOTHING = 2  // process-wide smoothing of Rotate
};

// Coordinates of PutPixel, GetPixel, ClearRect and the blits are relative to the view
// rectangle. No rectangle or coordinate, however large, negative or empty, makes an image
// touch memory outside its surfaces.
class IPixel {
public:
    virtual ~IPixel() = default;
    // True only for the shared null image.
    virtual bool IsNullImage() const = 0;
    // The graphics type id: 1 for SDL images, 0 for the null image.
    virtual int GetType() const = 0;
    // True when no surface is attached.
    virtual bool IsEmpty() const = 0;
    // Writes one pixel; alpha below 255 blends the colour into the pixel already there.
    virtual void PutPixel(int x, int y, const CColor& color) = 0;
    // Reads one pixel; outside the image it is opaque black.
    virtual CColor GetPixel(int x, int y) const = 0;
    // Sets the pixels of rect (clipped to the view) to 0, transparent black.
    virtual void ClearRect(const CRect& rect) = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // A new image, w by h, made from the view; the caller releases it (ReleaseImage). The null
    // image when it cannot be made.
    virtual IPixel* Scale(int w, int h) = 0;
    // A new image rotated by angle degrees; as Scale.
    virtual IPixel* Rotate(double angle) = 0;
    // Per-surface alpha 0..255.
    virtual void SetAlpha(int alpha) = 0;
    // A new image of the same size, format and view, contents undefined; as Scale.
    virtual IPixel* CreateBlankCopy() = 0;
    // Copies srcRect of this image to dstRect of target (both relative to the views); the
    // smaller of the two sizes is copied. False when target is of another kind or empty.
    virtual bool BlitTo(IPixel* target, const CRect& srcRect, const CRect& dstRect) = 0;
    // Copies the whole view to the top-left corner of target's view.
    virtual bool Blit(IPixel* target) = 0;
    virtual void SetRect(const CRect& rect) = 0;
    virtual CRect GetRect() const = 0;
    // True when the view differs from the whole surface.
    virtual bool IsSubImage() const = 0;
    virtual int GetSurfaceWidth() const = 0;
    virtual int GetSurfaceHeight() const = 0;
    virtual int GetX() const = 0;
    virtual int GetY() const = 0;
    virtual void SetOption(int option, int value) = 0;
    // Writes the view to filename: TGA when the name ends in "tga", BMP otherwise. True on success.
    virtual bool Save(const std::string& filename) = 0;
    // The file name the image was loaded from, or "".
    virtual std::string GetName() const = 0;
    // Screen only: pushes the changed areas to the display.
    virtual void Update() = 0;
    // Screen only: records a changed area.
    virtual void AddDirtyRect(const CRect& rect) = 0;
    // rect moved by the view origin, its width and height cut so that it ends at the latest at
    // the view's right and bottom edges (left and top are not clipped).
    virtual CRect ClipRect(const CRect& rect) const = 0;
    // A surface showing exactly the view (owned by the image), or null when empty.
    virtual SDL_Surface* GetSurface() = 0;
    // The attached surface, or null.
    virtual SDL_Surface* GetRawSurface() = 0;
    // Attaches surface; with releaseOld the old one goes to the texture manager's release.
    virtual void SetSurface(SDL_Surface* surface, bool releaseOld) = 0;
};

}  // namespace tarn

#endif
