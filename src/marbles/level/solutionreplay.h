// Plays a level's solution headless through the game's own rules and physics, as the game
// steps them: queued removals, one 50 ms step, the clicks due after it, and once a game second
// the end-of-level check while the pile is settled. The proof that a level can be won.
#ifndef TARN_MARBLES_LEVEL_SOLUTIONREPLAY_H
#define TARN_MARBLES_LEVEL_SOLUTIONREPLAY_H

#include <functional>
#include <string>
#include <vector>

#include "marbles/level/csolutionfile.h"

namespace marbles {

class CPhysicsWorld;

// Steps the level may run after the last click before it must have ended.
constexpr unsigned REPLAY_STEPS_AFTER_LAST_CLICK = 2000;

struct SolutionReplay {
    bool won = false;
    // False when the level file could not be read (nothing was played).
    bool levelRead = true;
    // How it ended: "Level complite", "Level lost at step 412", "No marble 9 at step 88",
    // "Click 4 at step 80 comes too late", "The level did not end by step 2300", "Cannot
    // read the level: ..." or "A level is being played".
    std::string ending;
};

// After every step: the world, whether it moved at all (a sleeping one does not), and whether
// its pile settled and went to sleep after that step.
using ReplayStepObserver = std::function<void(const CPhysicsWorld& world, bool stepped, bool fellAsleep)>;

// Replays clicks in the level levelFile, telling observe (when set) of every step. The
// replay's marbles join the program's marble registry while it runs, so it refuses to run
// (won false) while the registry holds a marble of a level being played.
SolutionReplay ReplaySolution(const std::string& levelFile, const std::vector<CSolutionFile::Click>& clicks,
                              const ReplayStepObserver& observe = ReplayStepObserver());

}  // namespace marbles

#endif
