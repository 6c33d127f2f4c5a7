// A positioned, depth-ordered picture that draws itself onto a target sprite and undoes its
// drawing by putting back the pixels it covered. Held by reference-counted handles.
#include "tarn/gfx/csprite.h"

#include <algorithm>

#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/gfx/cspritelayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/gfx/rectserialize.h"

namespace tarn {

namespace {

// Reads the child element name into value when it is present; false otherwise.
template <typename T>
bool ReadIfPresent(CXmlFileSys* filesys, T& value, const char* name) {
    TARN_XML_HERE(filesys);
    return filesys->HasChild(name) && filesys->Read(value, name);
}

}  // namespace

CSprite::CSprite()
    : myParent(nullptr),
      myHiddenFrom(nullptr),
      myZ(kDefaultZ),
      myAlpha(255),
      myDrawState(DrawState::Drawn),
      myDirty(false) {}

CSprite::CSprite(IPixel* image, ImageOwnership ownership) : CSprite() { TakeImage(image, ownership); }

CSprite::~CSprite() {
    if (myParent) {
        CSpriteLayer* layer = myParent;
        layer->RemoveSprite(this);
        myParent = nullptr;
    }
    if (myHiddenFrom) myHiddenFrom->ForgetHidden(this);
    myHiddenFrom = nullptr;
    ReleaseImages();
}

void CSprite::TakeImage(IPixel* image, ImageOwnership ownership) {
    if (image == GetImage()) return;
    Invalidate();
    // Whatever comes, the image derived from the old source goes; the source itself again
    // only undoes that.
    myDerivedImage.reset();
    if (!image || image != mySourceImage.get()) {
        mySourceImage = HoldImage(image, ownership);
        myBackground.reset();
        // A borrowed image (the screen whatever was asked) is drawn onto, never over.
        if (image && !IsBorrowed(mySourceImage)) CreateBackground(image->GetWidth(), image->GetHeight());
    }
    TakeSizeOf(image);
}

void CSprite::SetImage(IPixel* image) { TakeImage(image, ImageOwnership::Owned); }

void CSprite::BorrowImage(IPixel* image) { TakeImage(image, ImageOwnership::Borrowed); }

void CSprite::TakeSizeOf(const IPixel* image) {
    myImageRect.w = image ? image->GetWidth() : 0;
    myImageRect.h = image ? image->GetHeight() : 0;
}

void CSprite::ReleaseImages() {
    myDerivedImage.reset();
    mySourceImage.reset();
    myBackground.reset();
}

void CSprite::CreateBackground(int w, int h) {
    myBackground.reset();
    // Saved pixels go back exactly as they were: no colour of theirs is transparent.
    myBackground = HoldImage(tarn::CreateOpaqueImage(w, h), ImageOwnership::Owned);
}

bool CSprite::CanDerive() const { return mySourceImage && !IsBorrowed(mySourceImage); }

namespace {

const char* const kTypeNames[] = {"sprite_base", "sprite_layer", "sprite_screenlayer", "sprite_text",
                                  "sprite_animated"};
const int kTypeCount = sizeof(kTypeNames) / sizeof(kTypeNames[0]);

}  // namespace

std::string CSprite::TypeName(int type) { return type >= 0 && type < kTypeCount ? kTypeNames[type] : kTypeNames[0]; }

int CSprite::TypeFromName(const std::string& name) {
    for (int i = 0; i < kTypeCount; ++i) {
        if (name == kTypeNames[i]) return i;
    }
    return SPRITE_BASE;
}

int CSprite::GetType() const { return SPRITE_BASE; }

bool CSprite::IsEmpty() const { return GetImage() == nullptr; }

void CSprite::Serialize(CXmlFileSys* filesys) {
    if (filesys->IsWriting()) {
        filesys->AddAttribute("type", TypeName(GetType()));
        if (mySourceImage) {
            std::string name = mySourceImage->GetName();
            TARN_SERIALIZE(filesys, name, "ImageFilename");
        }
        if (myScrollRect) TARN_SERIALIZE(filesys, *myScrollRect, "ScrollRect");
        TARN_SERIALIZE(filesys, myImageRect, "ImageRect");
        TARN_SERIALIZE(filesys, myZ, "Z");
        int alpha = myAlpha;
        TARN_SERIALIZE(filesys, alpha, "Alpha");
        return;
    }
    std::string filename;
    ReadIfPresent(filesys, filename, "ImageFilename");
    // An absent or unreadable name loads as the null image: the sprite is invisible, not empty.
    SetImage(LoadImage(filename));
    CRect scroll;
    if (ReadIfPresent(filesys, scroll, "ScrollRect") && !scroll.IsEmpty()) SetScrollRect(scroll);
    CRect rect = myImageRect;
    if (ReadIfPresent(filesys, rect, "ImageRect")) SetRect(rect);
    int z = myZ;
    if (ReadIfPresent(filesys, z, "Z")) SetZ(z);
    int alpha = myAlpha;
    if (ReadIfPresent(filesys, alpha, "Alpha")) SetAlpha(std::clamp(alpha, 0, 255));
}

void CSprite::SetX(int x) {
    if (x == myImageRect.x) return;
    Invalidate();
    myImageRect.x = x;
}

void CSprite::SetY(int y) {
    if (y == myImageRect.y) return;
    Invalidate();
    myImageRect.y = y;
}

void CSprite::SetZ(int z) {
    if (z == myZ) return;
    if (!myParent) {
        myZ = z;
        return;
    }
    const int farthest = std::max(myZ, z);
    Invalidate();
    myParent->InvalidateFromZ(farthest);
    myZ = z;
    myParent->SortSprites();
    myParent->InvalidateFromZ(farthest);
}

void CSprite::SetRect(const CRect& rect) {
    if (rect == myImageRect) return;
    Invalidate();
    myImageRect = rect;
}

int CSprite::GetX() const { return myImageRect.x; }

int CSprite::GetY() const { return myImageRect.y; }

int CSprite::GetZ() const { return myZ; }

CRect CSprite::GetRect() const { return myImageRect; }

void CSprite::SetImageRect(const CRect& rect) {
    IPixel* image = GetImage();
    if (!image || rect == image->GetRect()) return;
    Invalidate();
    image->SetRect(rect);
    TakeSizeOf(image);
}

CRect CSprite::GetImageRect() const { return GetImage() ? GetImage()->GetRect() : CRect(); }

bool CSprite::ScrollRectInside() const { return myScrollRect && myScrollRect->IsInside(myImageRect); }

void CSprite::SetScrollRect(const CRect& rect) {
    const bool insideBefore = ScrollRectInside();
    if (!myScrollRect) myScrollRect = std::make_unique<CRect>();
    const bool insideAfter = rect.IsInside(myImageRect);
    if (insideBefore != insideAfter) Invalidate();
    *myScrollRect = rect;
}

CRect CSprite::GetScrollRect() const { return myScrollRect ? *myScrollRect : CRect(); }

bool CSprite::IntersectsTarget(const CSprite* target) const {
    return target && target->GetImage() && myImageRect.Intersects(target->GetRect());
}

bool CSprite::ComputeBlit(const CSprite* target, bool useScroll, const CRect* clip, CRect& src, CRect& dst) const {
    return ComputeBlitAt(myImageRect, target, useScroll, clip, src, dst);
}

bool CSprite::ComputeBlitAt(const CRect& place, const CSprite* target, bool useScroll, const CRect* clip, CRect& src,
                            CRect& dst) const {
    // A target without an image has nothing to draw on or take pixels from.
    if (!target || !target->GetImage()) return false;
    const CRect targetRect = target->GetRect();
    CRect visible = place.Clip(targetRect);
    // A scroll rectangle the sprite misses leaves nothing to draw.
    if (useScroll && myScrollRect) visible = visible.Clip(*myScrollRect);
    if (clip) visible = visible.Clip(*clip);
    if (!visible.HasArea()) return false;
    src = CRect(visible.x - place.x, visible.y - place.y, visible.w, visible.h);
    dst = CRect(visible.x - targetRect.x, visible.y - targetRect.y, visible.w, visible.h);
    return true;
}

bool CSprite::BlitImage(CSprite* target, const CRect& src, const CRect& dst) {
    ApplyAlpha(myAlpha);
    const bool drawn = GetImage()->BlitTo(target->GetImage(), src, dst);
    ApplyAlpha(255);
    return drawn;
}

bool CSprite::DrawClipped(CSprite* target, const CRect& clip) {
    if (IsEmpty() || !clip.Intersects(myImageRect) || !IntersectsTarget(target)) return false;
    CRect src;
    CRect dst;
    if (!ComputeBlit(target, true, &clip, src, dst)) return false;
    return BlitImage(target, src, dst);
}

bool CSprite::Draw(CSprite* target) {
    if (IsEmpty() || !IntersectsTarget(target)) return false;
    CRect src;
    CRect dst;
    if (!ComputeBlit(target, true, nullptr, src, dst)) return false;
    return BlitImage(target, src, dst);
}

bool CSprite::RestoreBackground(CSprite* target) {
    if (IsEmpty() || !myBackground) return false;
    CRect src;
    CRect dst;
    // The pixels go back where they were taken, at the same offset inside the background.
    if (!ComputeBlitAt(myBackgroundRect, target, true, nullptr, src, dst)) return false;
    return myBackground->BlitTo(target->GetImage(), src, dst);
}

bool CSprite::SaveBackground(CSprite* target) {
    if (IsEmpty() || !IntersectsTarget(target)) return false;
    myBackgroundRect = myImageRect;
    // A borrowed surface is drawn onto, never over: nothing under it to keep.
    if (IsBorrowed(mySourceImage)) return false;
    myDrawnOverBlank = myOverBlank;
    if (myOverBlank) return true;
    const int w = myImageRect.w;
    const int h = myImageRect.h;
    if (!myBackground || myBackground->GetWidth() < w || myBackground->GetHeight() < h ||
        myBackground->GetWidth() > w + kBackgroundSlack || myBackground->GetHeight() > h + kBackgroundSlack) {
        CreateBackground(w, h);
    }
    CRect src;
    CRect dst;
    if (!ComputeBlit(target, true, nullptr, src, dst)) return false;
    return target->GetImage()->BlitTo(myBackground.get(), dst, src);
}

bool CSprite::Erase(CSprite* target) {
    if (myDrawState == DrawState::Erased) return true;
    // Marked erased even when nothing is on the target, so that the next redraw draws it.
    myDrawState = DrawState::Erased;
    if (IsEmpty() || !target || !myBackgroundRect.Intersects(target->GetRect())) return false;
    if (myDrawnOverBlank) {
        myPlaceToClear = true;
        return true;
    }
    return RestoreBackground(target);
}

bool CSprite::CanDrawOverBlank() const {
    return myAlpha == 255 && !myScrollRect && !IsBorrowed(mySourceImage) && GetImage() && IsOpaqueImage(GetImage());
}

void CSprite::ClearLeftPlace(CSprite* target) {
    if (!myPlaceToClear) return;
    myPlaceToClear = false;
    // Drawn over blank again on a place covering the old one: the drawing hides the old one.
    if (myOverBlank && !IsEmpty() && myBackgroundRect.IsInside(myImageRect)) return;
    CRect src;
    CRect dst;
    if (!target || !target->GetImage() || !ComputeBlitAt(myBackgroundRect, target, true, nullptr, src, dst)) return;
    target->GetImage()->ClearRect(dst);
}

bool CSprite::Redraw(CSprite* target) {
    if (IsEmpty() || myDrawState == DrawState::Drawn) return false;
    // Off the target nothing is saved; the place is still where the sprite now is.
    if (!SaveBackground(target)) myBackgroundRect = myImageRect;
    Draw(target);
    MarkDrawn();
    return true;
}

void CSprite::SetVisible(bool visible) {
    if (visible) {
        Invalidate();
        if (!myHiddenFrom) return;
        CSpriteLayer* layer = myHiddenFrom;
        myHiddenFrom = nullptr;
        layer->ShowSprite(this);
        myParent = layer;
        Invalidate();
        return;
    }
    if (!myParent) return;
    Invalidate();
    CSpriteLayer* layer = myParent;
    layer->HideSprite(this);
    myHiddenFrom = layer;
    myParent = nullptr;
}

void CSprite::Resize(int w, int h) {
    if (!CanDerive()) return;
    if (w == myImageRect.w && h == myImageRect.h) return;
    Invalidate();
    myDerivedImage.reset();
    UseDerivedImage(mySourceImage->Scale(w, h));
}

void CSprite::Rotate(double angle) {
    if (!CanDerive()) return;
    Invalidate();
    myDerivedImage.reset();
    UseDerivedImage(mySourceImage->Rotate(angle));
}

void CSprite::UseDerivedImage(IPixel* image) {
    // An image that is the source itself (the null image scales to itself) is not a second
    // image to release.
    myDerivedImage = HoldImage(image == mySourceImage.get() ? nullptr : image, ImageOwnership::Owned);
    if (myBackground && image) CreateBackground(image->GetWidth(), image->GetHeight());
    TakeSizeOf(image);
}

void CSprite::SetAlpha(int alpha) {
    if (alpha == myAlpha) return;
    Invalidate();
    myAlpha = static_cast<uint8_t>(std::clamp(alpha, 0, 255));
}

int CSprite::GetAlpha() const { return myAlpha; }

void CSprite::SetPosition(int x, int y) {
    if (x == myImageRect.x && y == myImageRect.y) return;
    Invalidate();
    myImageRect.x = x;
    myImageRect.y = y;
}

void CSprite::SetAnimation(const std::string&) {}

void CSprite::SetParent(CSpriteLayer* layer) {
    CSpriteLayer* old = myParent;
    myParent = nullptr;
    if (old) old->RemoveSprite(this);
    if (myHiddenFrom) {
        myHiddenFrom->ForgetHidden(this);
        myHiddenFrom = nullptr;
    }
    myParent = layer;
    myDrawState = DrawState::Erased;
    if (!layer) return;
    // A sprite joining a layer has changed: its new place (and the place it left) must reach
    // the display.
    myDirty = true;
    layer->AddSprite(this);
}

void CSprite::ForgetLayer(const CSpriteLayer* layer) {
    if (myParent == layer) myParent = nullptr;
    if (myHiddenFrom == layer) myHiddenFrom = nullptr;
}

void CSprite::Invalidate() {
    if (!myParent || myDirty) return;
    myParent->ChildChanged(this);
    myDirty = true;
}

CSprite::DirtyState CSprite::GetDirtyState() const {
    if (!myDirty) return DirtyState::Clean;
    return myBackgroundRect == myImageRect ? DirtyState::InPlace : DirtyState::Moved;
}

CRect CSprite::GetDirtyRect(int i) const { return i == 1 ? myBackgroundRect : myImageRect; }

IPixel* CSprite::GetImage() const { return myDerivedImage ? myDerivedImage.get() : mySourceImage.get(); }

void CSprite::ApplyAlpha(int alpha) {
    if (myAlpha != 255 && GetImage()) GetImage()->SetAlpha(alpha);
}

}  // namespace tarn
