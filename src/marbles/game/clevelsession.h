// One level being played: its physics world, the rules and their verdict, the marbles' logic,
// the fixed-step clock, the clicks noticed between updates and the undo steps.
#ifndef TARN_MARBLES_GAME_CLEVELSESSION_H
#define TARN_MARBLES_GAME_CLEVELSESSION_H

#include <string>
#include <vector>

#include "marbles/game/cmarblegfxfactory.h"
#include "marbles/level/clevelfile.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/rigidbody.h"
#include "marbles/rules/clevelrules.h"
#include "marbles/rules/cmarbleslogic.h"
#include "tarn/utils/timer/ctimer.h"

namespace marbles {

class CLevelSession {
public:
    // Physics steps of this many milliseconds...
    static constexpr unsigned STEP_LENGTH = 50;
    // ...run whenever this much wall-clock time has passed: game time runs up to 1.7 times
    // faster than the clock.
    static constexpr double STEP_SPEEDUP = 1.7;

    // What the player's clicks did since the last update.
    enum class EClick { NONE, SELECTED, REMOVED };

    // An empty world whose bodies get drawn marbles wired to the logic.
    CLevelSession();
    CLevelSession(const CLevelSession&) = delete;
    CLevelSession& operator=(const CLevelSession&) = delete;

    // Ends the level: the bodies, the selection, the undo steps and the step count go.
    void Clear();
    // Loads fileName into the world (cleared first). Returns "" or why the level
    // cannot be played (the world is then empty); graphics and hasGraphics get its pictures.
    std::string Load(const std::string& fileName, CLevelFile::CGraphics& graphics, bool& hasGraphics);
    // Runs one step when its time has come and lets the main loop sleep until the next one;
    // true when a step ran.
    bool StepIfDue();
    void RestartStepClock() { myStepTimer.Reset(); }
    // The verdict, once the pile has settled: the rules fire complete or lost.
    void Judge() { myRules.Update(myRules.IsPileSettled()); }
    // Notices the clicks since the last update: a removal keeps an undo step (when the pile
    // before it was kept: three clicks within one update leave none).
    EClick NoticeClicks();
    // Keeps the pile while a click may remove a chain (call at the end of an update).
    void KeepPile();
    // Restores the pile as it was just before the last removal; false when there is none.
    bool Undo();
    // Highlights one chain of three the player can clear now; false when there is none.
    bool Hint();

    // A step has run since the last load, so the level's marbles are registered.
    bool HasStepped() const { return myStepCount > 0; }
    unsigned GetStepCount() const { return myStepCount; }
    unsigned GetUndoCount() const { return static_cast<unsigned>(myUndoSteps.size()); }
    CPhysicsTask& GetPhysics() { return myPhysics; }
    const CPhysicsTask& GetPhysics() const { return myPhysics; }
    CPhysicsWorld& GetWorld() { return *myPhysics.GetWorld(); }
    const CPhysicsWorld& GetWorld() const { return *myPhysics.GetWorld(); }
    CLevelRules& GetRules() { return myRules; }
    CMarblesLogic& GetLogic() { return myLogic; }
    CMarbleGfxFactory& GetMarbleFactory() { return myMarbleFactory; }

private:
    using CPile = std::vector<RigidBody>;
    // Selected marbles show their ring, the others lose a hint's rim.
    static void RefreshMarbles();
    void ForgetClicks();

    tarn::CTimer myStepTimer;
    CPhysicsTask myPhysics;
    CLevelRules myRules;
    CMarbleGfxFactory myMarbleFactory;
    CMarblesLogic myLogic;
    // The pile while two marbles are selected: a third click may remove a chain.
    CPile myPileBeforeClick;
    bool myPileKept = false;
    std::vector<CPile> myUndoSteps;
    unsigned myLastBodyCount = 0;
    std::size_t myLastSelectionSize = 0;
    std::vector<CMarble*> myLastSelection;
    unsigned myStepCount = 0;
};

}  // namespace marbles

#endif
