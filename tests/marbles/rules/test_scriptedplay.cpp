// A whole level played through the physics: a scripted player clicks chains on the first
// level (with deliberate misclicks), the rules run once a second on a hand-moved clock, and
// the resulting state of every body is compared with a recorded hash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "marbles/level/clevelfile.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/physicsscenes.h"
#include "marbles/rules/clevelrules.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarblefactory.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/rules/cmarbleslogic.h"
#include "support/testsupport.h"

using namespace marbles;

namespace {

const std::string FIRST_LEVEL = std::string(MARBLES_SOURCE_DIR) + "/tests/marbles/data/pilelevel.xml";

class CEndProbe {
public:
    void LevelComplete() { myCompleteStep = myStep; }
    void LevelLost() { myLostStep = myStep; }
    int myStep = 0;
    int myCompleteStep = -1;
    int myLostStep = -1;
};

bool Reaches(const CMarble* candidate, const CMarble* member) {
    const Vector2 d = candidate->GetPosition() - member->GetPosition();
    const float reach = 2.5f * candidate->GetRadius();
    return Dot(d, d) < reach * reach;
}

// The first chain of three in registry order that the player can click: a seed, a neighbour,
// and a third marble touching either. Empty when there is none.
std::vector<CMarble*> FindChain() {
    const CMarbleRegistry& registry = *CMarbleRegistry::GetSingleton();
    for (CMarble* seed : registry) {
        for (CMarble* second : registry) {
            if (second == seed || second->GetType() != seed->GetType() || !Reaches(second, seed)) continue;
            for (CMarble* third : registry) {
                if (third == seed || third == second || third->GetType() != seed->GetType()) continue;
                if (Reaches(third, seed) || Reaches(third, second)) return {seed, second, third};
            }
        }
    }
    return {};
}

// A marble of another type than marble, or null.
CMarble* OtherType(const CMarble* marble) {
    for (CMarble* other : *CMarbleRegistry::GetSingleton())
        if (other->GetType() != marble->GetType()) return other;
    return nullptr;
}

class ScriptedPlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        myPhysics.SetListenerFactory(&myFactory);
        myLogic.SetPhysics(&myPhysics);
        myRules.GetLevelCompleteSignal().Connect(&myProbe, &CEndProbe::LevelComplete);
        myRules.GetLevelLostSignal().Connect(&myProbe, &CEndProbe::LevelLost);
    }
    void TearDown() override {
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::ResetEngine();
    }

    // One game update with one 50 ms step, as the game runs when updates are far apart.
    void Step() {
        myPhysics.Step(50);
        myClock.Advance(50);
        ++myProbe.myStep;
        myRules.Update(myPhysics.IsAtRest());
    }

    // Every 40 steps at rest: selects a chain, on odd rounds after a misclick on another type
    // and a click that deselects the seed again.
    void Play(int steps) {
        int round = 0;
        for (int step = 0; step < steps; ++step) {
            Step();
            if (step % 40 != 39 || !myPhysics.IsAtRest()) continue;
            std::vector<CMarble*> chain = FindChain();
            if (chain.empty()) continue;
            if (round++ % 2 == 1) {
                myLogic.OnMarbleClicked(chain[0]);
                if (CMarble* other = OtherType(chain[0])) myLogic.OnMarbleClicked(other);
                myLogic.OnMarbleClicked(chain[0]);
                myLogic.OnMarbleClicked(chain[0]);
            }
            for (CMarble* marble : chain) myLogic.OnMarbleClicked(marble);
            myLogic.ApplyPendingRemovals();
            ++myChains;
        }
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{1000};
    CMarbleFactory myFactory;
    CPhysicsTask myPhysics;
    CMarblesLogic myLogic;
    CLevelRules myRules;
    CEndProbe myProbe;
    int myChains = 0;
};

}  // namespace

TEST_F(ScriptedPlayTest, RecordedHashOfTheFirstLevelAfterScriptedClicks) {
    CLevelFile level(&myPhysics);
    ASSERT_TRUE(level.Load(FIRST_LEVEL));
    Play(1200);
    const std::uint64_t hash = physicsscenes::HashBodies(*myPhysics.GetWorld());
    EXPECT_EQ(hash, 0x542f58f4ee46c230ull) << std::hex << hash;
    // Three chains go, then the nine marbles left hold no chain: lost five checks later.
    EXPECT_EQ(myChains, 3);
    EXPECT_EQ(myPhysics.GetWorld()->GetBodyCount(), 13u);
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 9u);
    EXPECT_EQ(myProbe.myCompleteStep, -1);
    EXPECT_EQ(myProbe.myLostStep, 221);
    EXPECT_TRUE(myLogic.GetSelection().empty());
    for (unsigned i = 0; i < myPhysics.GetWorld()->GetBodyCount(); ++i) {
        const RigidBody& body = myPhysics.GetWorld()->GetBody(i);
        EXPECT_TRUE(physicsscenes::AllFinite(body)) << i;
        if (body.shape == SHAPE_CIRCLE) {
            EXPECT_EQ(static_cast<CMarble*>(body.listener)->GetIndex(), i);
        }
    }
}

TEST_F(ScriptedPlayTest, ClearingEveryMarbleCompletesTheLevelAtTheNextCheck) {
    CPhysicsWorld& world = *myPhysics.GetWorld();
    world.AddBody(physicsscenes::Wall(0, 2, 10, 1));
    for (int k = 0; k < 3; ++k) {
        RigidBody marble = physicsscenes::Circle(-1.0f + k, 0.5f, 0.5f);
        marble.color = 4;
        world.AddBody(marble);
    }
    Play(60);
    EXPECT_EQ(myChains, 1);
    EXPECT_EQ(world.GetBodyCount(), 1u);
    // Removed at step 40; the check after it comes more than a second after the one before.
    EXPECT_EQ(myProbe.myCompleteStep, 43);
    EXPECT_EQ(myProbe.myLostStep, -1);
}
