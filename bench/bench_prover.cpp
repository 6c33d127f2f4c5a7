// The editor's proof of a level: CPU time to an answer for shipped levels and for levels made
// as an editor makes them (15, 30 and 60 marbles dropped in rows, coloured so that a win
// exists), proved in slices as the editor does it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/editor/clevelprover.h"
#include "marbles/level/levelphysics.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cpilesolver.h"

namespace {

std::vector<marbles::RigidBody> LoadLevel(int number) {
    char name[64];
    std::snprintf(name, sizeof name, "/game/data/levels/level%02d.xml", number);
    std::vector<marbles::RigidBody> bodies;
    const std::unique_ptr<marbles::CPhysicsWorld> world = marbles::LoadLevelPhysics(std::string(MARBLES_SOURCE_DIR) + name);
    for (unsigned i = 0; world && i < world->GetBodyCount(); ++i) bodies.push_back(world->GetBody(i));
    return bodies;
}

// count marbles in rows of ten above a V of two slanted boards (as the first level has), each
// row shifted half a marble, then coloured with up to six types by playing the pile (a win
// exists by construction).
std::vector<marbles::RigidBody> MadeInTheEditor(int count) {
    marbles::CEditorLayout layout;
    for (int i = 0; i < count; ++i) {
        const int row = i / 10;
        const float x = -9.0f + 2.05f * static_cast<float>(i % 10) + (row % 2 ? 1.0f : 0.0f);
        layout.Place(marbles::CEditorLayout::Marble(0, {x, 12.0f - 2.2f * static_cast<float>(row)}));
    }
    for (float side : {-1.0f, 1.0f}) {
        marbles::CEditorLayout::Piece board = marbles::CEditorLayout::Box({side * 9.64084f, 15.3121f}, {10.8731f, 0.5f});
        board.orientation = -side * 0.391608f;
        layout.Place(board);
    }
    std::vector<marbles::RigidBody> bodies = layout.ToBodies();
    std::vector<std::int32_t> threes;
    for (int k = 0; k < count / 3; ++k) threes.push_back(k % std::min(6, count / 9 + 2));
    for (std::uint32_t seed = 1; seed < 50; ++seed) {
        marbles::CPileSolver painter(bodies, marbles::CPileSolver::Options());
        std::vector<marbles::CPileSolver::Click> clicks;
        const std::map<std::int32_t, std::int32_t> types = painter.Paint(threes, seed, clicks);
        if (types.empty()) continue;
        for (marbles::RigidBody& body : bodies)
            if (types.count(body.initId)) body.color = types.at(body.initId);
        return bodies;
    }
    return {};
}

// Proves bodies as the editor does, in slices of 20 ms, to an answer.
void Prove(benchmark::State& state, const std::vector<marbles::RigidBody>& bodies) {
    if (bodies.empty()) {
        state.SkipWithError("no level");
        return;
    }
    for (auto _ : state) {
        marbles::CLevelProver prover(bodies);
        double longest = 0.0;
        while (!prover.IsDone()) {
            const double before = prover.GetSeconds();
            prover.Advance(1000, 20.0);
            longest = std::max(longest, prover.GetSeconds() - before);
        }
        state.counters["piles"] = static_cast<double>(prover.GetPiles());
        // The longest slice: how long the editor waits at worst between two frames.
        state.counters["longest_slice_ms"] = 1000.0 * longest;
        state.counters["winnable"] = prover.GetState() == marbles::CLevelProver::STATE_WINNABLE ? 1 : 0;
    }
}

void BM_ProveShippedLevel(benchmark::State& state) { Prove(state, LoadLevel(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_ProveShippedLevel)->Arg(1)->Arg(8)->Arg(16)->Arg(24)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ProveEditorLevel(benchmark::State& state) { Prove(state, MadeInTheEditor(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_ProveEditorLevel)->Arg(15)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
