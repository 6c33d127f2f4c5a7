// A positioned, depth-ordered picture that draws itself onto a target sprite and undoes its
// drawing by putting back the pixels it covered. Held by reference-counted handles.
#ifndef TARN_GFX_CSPRITE_H
#define TARN_GFX_CSPRITE_H

#include <cstdint>
#include <memory>
#include <string>

#include "tarn/gfx/cimagehandle.h"
#include "tarn/gfx/crect.h"

namespace tarn {

class CSpriteLayer;
class CXmlFileSys;
class IPixel;

// Type ids of the sprite classes, as GetType returns them and the sprite factory makes them.
enum {
    SPRITE_BASE = 0,
    SPRITE_LAYER = 1,
    SPRITE_SCREENLAYER = 2,
    SPRITE_TEXT = 3,
    SPRITE_ANIMATED = 4
};

// A sprite owns its images (it gives them back through ReleaseImage) unless the caller lent
// it the image (BorrowImage: the sprite around the screen); it never owns its layer. Every
// setter invalidates the sprite before it changes anything, so the layer erases the sprite
// while its rectangle still says where it was drawn. Geometry (x, y and the scroll rectangle)
// is in the coordinates of the target it draws onto.
class CSprite {
public:
    // Whether the sprite's pixels are on its target.
    enum class DrawState { Drawn, Erased };
    // What the sprite's last change did to the display: nothing, its place, or two places.
    enum class DirtyState { Clean = 0, InPlace = 1, Moved = 2 };

    static const int kDefaultZ = 100;
    // Backgrounds are reused while they exceed the sprite by at most this many pixels.
    static const int kBackgroundSlack = 20;

    // An empty sprite: no image, draws nothing.
    CSprite();
    // Takes image and its view size. An owned image is released by the sprite and gets a
    // background of its size; a borrowed one (a surface others draw onto) is never released,
    // scaled or rotated and gets no background. The installed screen image is always borrowed,
    // whatever ownership says.
    explicit CSprite(IPixel* image, ImageOwnership ownership = ImageOwnership::Owned);
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    // Leaves its layer (or the layer it is hidden from) and releases its images.
    virtual ~CSprite();
    virtual int GetType() const;
    // True when there is no image at all (a sprite around the null image is not empty).
    virtual bool IsEmpty() const;
    // Reads or writes "ImageFilename", "ScrollRect", "ImageRect", "Z" and "Alpha".
    virtual void Serialize(CXmlFileSys* filesys);
    virtual void SetX(int x);
    virtual void SetY(int y);
    virtual void SetZ(int z);
    virtual void SetRect(const CRect& rect);
    virtual int GetX() const;
    virtual int GetY() const;
    virtual int GetZ() const;
    virtual CRect GetRect() const;
    // Shows the part rect of the image (its view rectangle); the sprite takes its size.
    virtual void SetImageRect(const CRect& rect);
    virtual CRect GetImageRect() const;
    // A clip rectangle outside which the sprite never draws.
    virtual void SetScrollRect(const CRect& rect);
    // The empty rectangle while unset.
    virtual CRect GetScrollRect() const;
    // Draw limited to clip (in the sprite's coordinates). False when nothing was drawn.
    virtual bool DrawClipped(CSprite* target, const CRect& clip);
    // Blits the image onto target's image at the sprite's place. False when nothing was drawn.
    virtual bool Draw(CSprite* target);
    // Puts the saved pixels back at the sprite's place in target.
    virtual bool RestoreBackground(CSprite* target);
    // Saves the pixels of target under the sprite; the sprite's place becomes the background's.
    virtual bool SaveBackground(CSprite* target);
    // Restores the background once; true at once when already erased.
    virtual bool Erase(CSprite* target);
    // When erased: saves the background, draws, and is up to date again. False otherwise.
    virtual bool Redraw(CSprite* target);
    virtual void SetVisible(bool visible);
    // Scales the source image to w by h (always from the source, so nothing is lost).
    virtual void Resize(int w, int h);
    // Rotates the source image by angle degrees; the sprite takes the rotated size.
    virtual void Rotate(double angle);
    virtual void SetAlpha(int alpha);
    virtual int GetAlpha() const;
    virtual void SetPosition(int x, int y);
    // Selects a named animation; plain sprites ignore it.
    virtual void SetAnimation(const std::string& name);
    // Joins layer (leaving the old one); null only forgets the layer (the layer is going).
    virtual void SetParent(CSpriteLayer* layer);
    // Tells the layer, once until the next redraw, that the sprite is about to change.
    virtual void Invalidate();
    // Replaces the image (owned from now on, unless it is the screen image); the old images are
    // released. The source image again undoes Resize or Rotate.
    virtual void SetImage(IPixel* image);
    // Clean when not dirty; InPlace when dirty where it was drawn; Moved when dirty elsewhere.
    virtual DirtyState GetDirtyState() const;
    // 1: where the sprite was last drawn; anything else: where it is now.
    virtual CRect GetDirtyRect(int i) const;
    virtual IPixel* GetImage() const;
    // Sets the image's surface alpha, unless the sprite is fully opaque.
    virtual void ApplyAlpha(int alpha);

    // The type name used in sprite files ("sprite_base", ...); "sprite_base" for unknown ids.
    static std::string TypeName(int type);
    // The type id of a type name; 0 for names not listed.
    static int TypeFromName(const std::string& name);

    CSpriteLayer* GetParent() const { return myParent; }
    bool IsHidden() const { return myHiddenFrom != nullptr; }
    bool IsErased() const { return myDrawState == DrawState::Erased; }
    bool IsDirty() const { return myDirty; }
    // The image as set, before Resize or Rotate derived another from it.
    IPixel* GetSourceImage() const { return mySourceImage.get(); }
    // Shows image without owning it, as SetImage does otherwise.
    void BorrowImage(IPixel* image);
    // Called by a layer that goes away while this sprite is its child or hidden in it.
    void ForgetLayer(const CSpriteLayer* layer);

    // Drawing over blank: the screen layer's farthest sprite, when opaque, has nothing under
    // it but the blank screen, so it saves no background; erasing it leaves its place to be
    // blanked by ClearLeftPlace. The screen layer sets this before each redraw.
    void SetOverBlank(bool overBlank) { myOverBlank = overBlank; }
    // Drawing replaces every pixel of the sprite's place (full alpha, no scroll rectangle,
    // an opaque image).
    bool CanDrawOverBlank() const;
    // Blanks on target the place this sprite left when erased after being drawn over blank,
    // unless it is drawn over blank again over all of that place.
    void ClearLeftPlace(CSprite* target);

protected:
    // The sprite is drawn and up to date: not erased, not dirty.
    void MarkDrawn() {
        myDrawState = DrawState::Drawn;
        myDirty = false;
    }
    // Releases every owned image and forgets the borrowed one.
    void ReleaseImages();

private:
    // Where to copy from and to: the visible part of the sprite in target, cut to the target,
    // the scroll rectangle (when useScroll) and clip (when given). False when nothing is left.
    bool ComputeBlit(const CSprite* target, bool useScroll, const CRect* clip, CRect& src, CRect& dst) const;
    // The same for the sprite standing at place.
    bool ComputeBlitAt(const CRect& place, const CSprite* target, bool useScroll, const CRect* clip, CRect& src,
                       CRect& dst) const;
    bool IntersectsTarget(const CSprite* target) const;
    bool BlitImage(CSprite* target, const CRect& src, const CRect& dst);
    // The one way an image comes in (constructor, SetImage, BorrowImage).
    void TakeImage(IPixel* image, ImageOwnership ownership);
    // Shows image, made from the source image, with a background of its size.
    void UseDerivedImage(IPixel* image);
    // Whether the source image may be scaled or rotated: owned, not borrowed.
    bool CanDerive() const;
    void CreateBackground(int w, int h);
    void TakeSizeOf(const IPixel* image);
    bool ScrollRectInside() const;

    CSpriteLayer* myParent;
    CSpriteLayer* myHiddenFrom;
    // The image as set; owned unless borrowed.
    CImageHandle mySourceImage;
    // Made from the source image by Resize or Rotate and shown instead of it; null when none.
    CImageHandle myDerivedImage;
    // The saved pixels under the sprite; none without an owned image.
    CImageHandle myBackground;
    CRect myImageRect;
    std::unique_ptr<CRect> myScrollRect;
    int myZ;
    uint8_t myAlpha;
    DrawState myDrawState;
    CRect myBackgroundRect;
    bool myDirty;
    bool myOverBlank = false;
    // Last drawn over blank, without a saved background.
    bool myDrawnOverBlank = false;
    // Erased after being drawn over blank: its place waits for ClearLeftPlace.
    bool myPlaceToClear = false;
};

// A reference-counted handle: the sprite is deleted (leaving its layer and releasing its
// images) when the last handle to it goes. Handles to the screen layer never delete it.
using CSpriteHandle = std::shared_ptr<CSprite>;

}  // namespace tarn

#endif
