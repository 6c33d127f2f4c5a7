// A sprite that holds other sprites in depth order and redraws the minimum after a change:
// changed sprites and those in front of them are erased front to back and drawn back to front.
#include "tarn/gfx/cspritelayer.h"

#include <algorithm>

#include "tarn/utils/logger/cassert.h"

namespace tarn {

CSpriteLayer::CSpriteLayer() : myTarget(nullptr), myWatermark(0) {}

CSpriteLayer::~CSpriteLayer() {
    for (CSprite* child : myChildren) child->ForgetLayer(this);
    for (CSprite* hidden : myHidden) hidden->ForgetLayer(this);
    myChildren.clear();
    myHidden.clear();
}

int CSpriteLayer::GetType() const { return SPRITE_LAYER; }

bool CSpriteLayer::IsEmpty() const { return myChildren.empty(); }

bool CSpriteLayer::Redraw(CSprite* target) {
    if (myChildren.empty()) return false;
    bool any = false;
    for (auto it = myChildren.rbegin(); it != myChildren.rend(); ++it) {
        CSprite* child = *it;
        if (child->GetZ() > myWatermark) continue;
        child->Redraw(target);
        myWatermark = child->GetZ();
        any = true;
    }
    // Just below the nearest redrawn child: nothing is due any more.
    if (any) --myWatermark;
    MarkDrawn();
    return true;
}

bool CSpriteLayer::Erase(CSprite* target) {
    for (CSprite* child : myChildren) child->Erase(target);
    if (!myChildren.empty()) RaiseWatermark(myChildren.back()->GetZ());
    return true;
}

void CSpriteLayer::RaiseWatermark(int z) { myWatermark = std::max(myWatermark, z); }

void CSpriteLayer::RedrawAllWalked() {
    if (!myChildren.empty()) RaiseWatermark(myChildren.back()->GetZ());
}

void CSpriteLayer::InsertByZ(CSprite* sprite) {
    cassert(std::find(myChildren.begin(), myChildren.end(), sprite) == myChildren.end()) cvalue(sprite);
    const int z = sprite->GetZ();
    auto it = myChildren.begin();
    for (; it != myChildren.end(); ++it) {
        if ((*it)->GetZ() >= z) break;
        (*it)->Erase(myTarget);
    }
    myChildren.insert(it, sprite);
    RaiseWatermark(z);
}

std::list<CSprite*>::iterator CSpriteLayer::EraseUpTo(CSprite* sprite, std::list<CSprite*>::iterator* inFront) {
    auto previous = myChildren.end();
    for (auto it = myChildren.begin(); it != myChildren.end(); ++it) {
        (*it)->Erase(myTarget);
        if (*it == sprite) {
            if (inFront) *inFront = previous;
            return it;
        }
        previous = it;
    }
    if (inFront) *inFront = myChildren.end();
    return myChildren.end();
}

void CSpriteLayer::AddSprite(CSprite* sprite) {
    Invalidate();
    if (!sprite || sprite == this) return;
    // Only the sprite's SetParent adds it: a sprite that does not know its layer would leave
    // a dangling child behind when deleted.
    cassert(sprite->GetParent() == this) cvalue(sprite->GetParent());
    InsertByZ(sprite);
}

void CSpriteLayer::RemoveSprite(CSprite* sprite) {
    Invalidate();
    auto inFront = myChildren.end();
    auto found = EraseUpTo(sprite, &inFront);
    if (found == myChildren.end()) {
        RedrawAllWalked();
        return;
    }
    if (inFront != myChildren.end()) RaiseWatermark((*inFront)->GetZ());
    myChildren.erase(found);
}

void CSpriteLayer::SortSprites() {
    Invalidate();
    myChildren.sort([](const CSprite* a, const CSprite* b) { return a->GetZ() < b->GetZ(); });
}

void CSpriteLayer::InvalidateFromZ(int z) {
    Invalidate();
    for (CSprite* child : myChildren) {
        if (child->GetZ() > z) break;
        child->Erase(myTarget);
    }
    RaiseWatermark(z);
}

void CSpriteLayer::ChildChanged(CSprite* sprite) {
    Invalidate();
    if (sprite->GetZ() < myWatermark) sprite->Erase(myTarget);
    if (EraseUpTo(sprite, nullptr) != myChildren.end()) {
        RaiseWatermark(sprite->GetZ());
    } else if (!myChildren.empty()) {
        myWatermark = myChildren.back()->GetZ();
    }
}

void CSpriteLayer::SetTarget(CSprite* target) { myTarget = target; }

CSprite* CSpriteLayer::GetTarget() const { return myTarget; }

void CSpriteLayer::HideSprite(CSprite* sprite) {
    Invalidate();
    auto inFront = myChildren.end();
    auto found = EraseUpTo(sprite, &inFront);
    if (found == myChildren.end()) {
        RedrawAllWalked();
        return;
    }
    RaiseWatermark(inFront != myChildren.end() ? (*inFront)->GetZ() : sprite->GetZ());
    myChildren.erase(found);
    myHidden.push_back(sprite);
}

void CSpriteLayer::ShowSprite(CSprite* sprite) {
    Invalidate();
    auto found = std::find(myHidden.begin(), myHidden.end(), sprite);
    if (found == myHidden.end()) return;
    myHidden.erase(found);
    InsertByZ(sprite);
}

void CSpriteLayer::ForgetHidden(CSprite* sprite) { myHidden.remove(sprite); }

}  // namespace tarn
