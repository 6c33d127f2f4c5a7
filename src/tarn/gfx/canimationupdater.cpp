// The animation scheduler: keeps the playing animated sprites ordered by the time they next
// need a step, and steps the due ones once per drawn frame.
#include "tarn/gfx/canimationupdater.h"

#include <cstdint>

#include "tarn/gfx/canimatedsprite.h"

namespace tarn {

namespace {

// Whether time a lies after b, across the 2^32 wrap.
bool IsLater(types::ticks a, types::ticks b) { return static_cast<int32_t>(a - b) > 0; }

}  // namespace

CAnimationUpdater* CAnimationUpdater::GetSingleton() {
    static CAnimationUpdater* updater = new CAnimationUpdater();
    return updater;
}

CAnimationUpdater::CAnimationUpdater() : myCurrent(nullptr) {}

void CAnimationUpdater::Add(CAnimatedSprite* sprite) {
    if (!sprite) return;
    mySprites.remove(sprite);
    const types::ticks next = sprite->GetNextUpdateTime();
    auto it = mySprites.begin();
    while (it != mySprites.end() && !IsLater((*it)->GetNextUpdateTime(), next)) ++it;
    mySprites.insert(it, sprite);
}

void CAnimationUpdater::Remove(CAnimatedSprite* sprite) {
    mySprites.remove(sprite);
    if (myCurrent == sprite) myCurrent = nullptr;
}

void CAnimationUpdater::Update(types::ticks now) {
    for (auto it = mySprites.begin(); it != mySprites.end();) {
        CAnimatedSprite* sprite = *it;
        if (IsLater(sprite->GetNextUpdateTime(), now)) break;
        myCurrent = sprite;
        sprite->UpdateTime(now);
        sprite->StepFrame();
        // A stopped sprite has left the list (and it with this iterator).
        if (!myCurrent) break;
        ++it;
    }
    myCurrent = nullptr;
    mySprites.sort([](CAnimatedSprite* a, CAnimatedSprite* b) {
        return IsLater(b->GetNextUpdateTime(), a->GetNextUpdateTime());
    });
}

}  // namespace tarn
