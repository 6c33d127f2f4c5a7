// Cost of the end-of-level check on a settled pile with no chain left (the worst case: every
// seed of every type is tried), and of a player's click that removes a chain of three.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/rigidbody.h"
#include "marbles/rules/clevelrules.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarblefactory.h"
#include "marbles/rules/cmarbleslogic.h"

namespace {

// count marbles in rows, each type 0..10 in turn so no two neighbours share a type.
std::vector<std::unique_ptr<marbles::CMarble>> Pile(int count) {
    std::vector<std::unique_ptr<marbles::CMarble>> marbles;
    for (int k = 0; k < count; ++k) {
        auto marble = std::make_unique<marbles::CMarble>();
        const float x = static_cast<float>(k % 20);
        const float y = static_cast<float>(k / 20) + 1.0f;
        marble->Update(x, y, 0, 0.5f, 0.5f, marbles::SHAPE_CIRCLE, k % 11);
        marbles.push_back(std::move(marble));
    }
    return marbles;
}

void BM_CheckLevelStateWithoutChain(benchmark::State& state) {
    const auto pile = Pile(static_cast<int>(state.range(0)));
    marbles::CLevelRules rules;
    for (auto _ : state) rules.CheckLevelState();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_CheckLevelStateWithoutChain)->Arg(18)->Arg(60)->Arg(200);

void BM_ClickChainOfThree(benchmark::State& state) {
    marbles::CMarbleFactory factory;
    marbles::CPhysicsTask physics;
    physics.SetListenerFactory(&factory);
    marbles::CMarblesLogic logic;
    logic.SetPhysics(&physics);
    for (auto _ : state) {
        state.PauseTiming();
        marbles::CPhysicsWorld& world = *physics.GetWorld();
        world.RemoveAllBodies();
        for (int k = 0; k < 3; ++k) {
            marbles::RigidBody body;
            body.extent = {0.5f, 0.5f};
            body.position = {1.0f + k, 1.0f};
            world.AddBody(body);
        }
        world.Step(0.0f);
        marbles::CMarble* chain[3];
        for (unsigned i = 0; i < 3; ++i) chain[i] = static_cast<marbles::CMarble*>(world.GetBody(i).listener);
        state.ResumeTiming();
        for (marbles::CMarble* marble : chain) logic.OnMarbleClicked(marble);
    }
}
BENCHMARK(BM_ClickChainOfThree);

}  // namespace
