// The animation scheduler: keeps the playing animated sprites ordered by the time they next
// need a step, and steps the due ones once per drawn frame.
#include "tarn/gfx/canimationupdater.h"

#include <cstdint>

#include "tarn/gfx/canimatedsprite.h"

namespace tarn {

namespace {

// Whether time a lies after b, across the 2^32 wrap.
bool IsLater(types::ticks a, types::ticks b) { return static_cast<int32_t>(a - b) > 0; }

// A sprite whose clock has not started is due at once, at any time (also past 2^31 ms).
bool IsDue(const CAnimatedSprite* sprite, types::ticks now) {
    return !sprite->IsClockStarted() || !IsLater(sprite->GetNextUpdateTime(), now);
}

// Whether a needs its next step before b: sprites not started come first.
bool IsSooner(const CAnimatedSprite* a, const CAnimatedSprite* b) {
    if (!a->IsClockStarted() || !b->IsClockStarted()) return !a->IsClockStarted() && b->IsClockStarted();
    return IsLater(b->GetNextUpdateTime(), a->GetNextUpdateTime());
}

}  // namespace

CAnimationUpdater* CAnimationUpdater::GetSingleton() {
    static CAnimationUpdater* updater = new CAnimationUpdater();
    return updater;
}

CAnimationUpdater::CAnimationUpdater() : myCurrent(nullptr) {}

void CAnimationUpdater::Add(CAnimatedSprite* sprite) {
    if (!sprite) return;
    mySprites.remove(sprite);
    auto it = mySprites.begin();
    while (it != mySprites.end() && !IsSooner(sprite, *it)) ++it;
    mySprites.insert(it, sprite);
}

void CAnimationUpdater::Remove(CAnimatedSprite* sprite) {
    mySprites.remove(sprite);
    if (myCurrent == sprite) myCurrent = nullptr;
}

void CAnimationUpdater::Update(types::ticks now) {
    for (auto it = mySprites.begin(); it != mySprites.end();) {
        CAnimatedSprite* sprite = *it;
        if (!IsDue(sprite, now)) break;
        myCurrent = sprite;
        sprite->UpdateTime(now);
        sprite->StepFrame();
        // A stopped sprite has left the list (and it with this iterator).
        if (!myCurrent) break;
        ++it;
    }
    myCurrent = nullptr;
    mySprites.sort(IsSooner);
}

}  // namespace tarn
