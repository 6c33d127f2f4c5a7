// A solution replayed headless through the game's rules and physics.
#include "marbles/level/solutionreplay.h"

#include "marbles/level/clevelfile.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/clevelrules.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarblefactory.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/rules/cmarbleslogic.h"

namespace marbles {

namespace {

// Physics steps between two end-of-level checks: a game second at the game's speed.
const unsigned CHECK_STEPS = 34;

// Records how the level ended.
class CEnding {
public:
    void Complete() { myComplete = true; }
    void Lost() { myLost = true; }
    bool myComplete = false;
    bool myLost = false;
};

// The registered marble following the circle body with initId, or null.
CMarble* FindMarble(CPhysicsWorld& world, std::int32_t initId) {
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
        const RigidBody& body = world.GetBody(i);
        if (body.shape != SHAPE_CIRCLE || body.initId != initId || !body.listener) continue;
        auto* marble = static_cast<CMarble*>(body.listener);
        if (marble->IsRegistered()) return marble;
    }
    return nullptr;
}

SolutionReplay Ended(bool won, const std::string& ending) { return SolutionReplay{won, true, ending}; }

}  // namespace

SolutionReplay ReplaySolution(const std::string& levelFile, const std::vector<CSolutionFile::Click>& clicks,
                              const ReplayStepObserver& observe) {
    if (!CMarbleRegistry::GetSingleton()->IsEmpty()) return Ended(false, "A level is being played");
    CMarbleFactory factory;
    CPhysicsTask physics;
    physics.SetListenerFactory(&factory);
    CMarblesLogic logic;
    logic.SetPhysics(&physics);
    CLevelRules rules;
    CEnding ending;
    rules.GetLevelCompleteSignal().Connect(&ending, &CEnding::Complete);
    rules.GetLevelLostSignal().Connect(&ending, &CEnding::Lost);
    CLevelFile level(&physics);
    if (!level.Load(levelFile)) return SolutionReplay{false, false, "Cannot read the level: " + level.GetProblem()};
    const unsigned lastStep = (clicks.empty() ? 0 : clicks.back().step) + REPLAY_STEPS_AFTER_LAST_CLICK;
    std::size_t next = 0;
    unsigned lastCheck = 0;
    for (unsigned step = 1; step <= lastStep; ++step) {
        logic.ApplyPendingRemovals();
        physics.Step(50);
        const bool wasAsleep = physics.GetWorld()->IsAsleep();  // slept through the step
        rules.ObservePile(physics.GetWorld());
        if (observe) observe(*physics.GetWorld(), !wasAsleep, !wasAsleep && physics.GetWorld()->IsAsleep());
        for (; next < clicks.size() && clicks[next].step == step; ++next) {
            CMarble* marble = FindMarble(*physics.GetWorld(), clicks[next].initId);
            if (!marble)
                return Ended(false, "No marble " + std::to_string(clicks[next].initId) + " at step " + std::to_string(step));
            logic.OnMarbleClicked(marble);
        }
        if (next < clicks.size() && clicks[next].step < step)
            return Ended(false, "Click " + std::to_string(next + 1) + " at step " + std::to_string(clicks[next].step) +
                                    " comes too late");
        if (step - lastCheck < CHECK_STEPS || !rules.IsPileSettled()) continue;
        lastCheck = step;
        rules.CheckLevelState();
        if (ending.myComplete) return Ended(true, "Level complite");
        if (ending.myLost) return Ended(false, "Level lost at step " + std::to_string(step));
    }
    return Ended(false, "The level did not end by step " + std::to_string(lastStep));
}

}  // namespace marbles
