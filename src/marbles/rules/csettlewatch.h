// Tells when a pile of marbles has settled as a player sees it: over the last second of game
// time no marble has strayed more than a few pixels from where it lies now. Marbles on a floor
// keep bouncing by a hair for ever, so a speed threshold alone never says this.
#ifndef TARN_MARBLES_RULES_CSETTLEWATCH_H
#define TARN_MARBLES_RULES_CSETTLEWATCH_H

#include <deque>
#include <vector>

#include "marbles/physics/vector2.h"

namespace marbles {

class CSettleWatch {
public:
    // One second of game time at the game's 50 ms steps.
    static constexpr unsigned WINDOW_STEPS = 20;
    // World units a settled marble may stray: 4 pixels at 16 pixels per unit.
    static constexpr float MAX_DRIFT = 0.25f;

    // Forgets every step seen: the pile must settle again.
    void Clear() { myHistory.clear(); }
    // The marbles' positions after one step, in the same order at every step. A different
    // number of marbles than at the step before (a removal, a new level) starts over.
    void Observe(const std::vector<Vector2>& positions);
    // True once WINDOW_STEPS steps have followed the oldest one kept, with no marble farther
    // than MAX_DRIFT from its latest position at any of them. No marbles at all: settled at the
    // first step observed.
    bool IsSettled() const;

private:
    std::deque<std::vector<Vector2>> myHistory;
};

}  // namespace marbles

#endif
