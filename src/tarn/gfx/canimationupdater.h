// The animation scheduler: keeps the playing animated sprites ordered by the time they next
// need a step, and steps the due ones once per drawn frame.
#ifndef TARN_GFX_CANIMATIONUPDATER_H
#define TARN_GFX_CANIMATIONUPDATER_H

#include <list>

#include "tarn/utils/timer/types.h"

namespace tarn {

class CAnimatedSprite;

// The sprites are not owned; a sprite leaves the list when it stops or is deleted.
class CAnimationUpdater {
public:
    // Created on first call and never deleted.
    static CAnimationUpdater* GetSingleton();

    CAnimationUpdater();
    CAnimationUpdater(const CAnimationUpdater&) = delete;
    CAnimationUpdater& operator=(const CAnimationUpdater&) = delete;

    // Lists sprite (once) before the first sprite due later than it; equal times keep the
    // order of adding, and sprites whose clock has not started come first.
    void Add(CAnimatedSprite* sprite);
    // Takes sprite off the list, also while it is being stepped.
    void Remove(CAnimatedSprite* sprite);
    // Steps every sprite due at now, from the front, and orders the list again. A sprite
    // whose animation ends ends this call's walk; the sprites after it wait for the next.
    void Update(types::ticks now);

    const std::list<CAnimatedSprite*>& GetSprites() const { return mySprites; }

private:
    std::list<CAnimatedSprite*> mySprites;
    CAnimatedSprite* myCurrent;
};

}  // namespace tarn

#endif
