// Solving shipped levels as marbles-solve does: the search for a winning click sequence, and
// the first moves tried one by one, on a small, a middle and the largest level.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "marbles/level/levelphysics.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cpilesolver.h"

namespace {

std::vector<marbles::RigidBody> LoadLevel(int number) {
    char name[64];
    std::snprintf(name, sizeof name, "/game/data/levels/chapter%d_level%02d.xml", (number - 1) / 12 + 1,
                  (number - 1) % 12 + 1);
    std::vector<marbles::RigidBody> bodies;
    const std::unique_ptr<marbles::CPhysicsWorld> world = marbles::LoadLevelPhysics(std::string(MARBLES_SOURCE_DIR) + name);
    for (unsigned i = 0; world && i < world->GetBodyCount(); ++i) bodies.push_back(world->GetBody(i));
    return bodies;
}

// A fresh solver per iteration: the search and every first move, without random players.
void BM_SolveLevel(benchmark::State& state) {
    const std::vector<marbles::RigidBody> bodies = LoadLevel(static_cast<int>(state.range(0)));
    if (bodies.empty()) {
        state.SkipWithError("level not found");
        return;
    }
    for (auto _ : state) {
        marbles::CPileSolver solver(bodies, marbles::CPileSolver::Options());
        std::vector<marbles::CPileSolver::Click> clicks;
        benchmark::DoNotOptimize(solver.Solve(clicks));
        const std::size_t moves = solver.GetFirstMoves().size();
        for (std::size_t k = 0; k < moves; ++k) benchmark::DoNotOptimize(solver.Solve(clicks, static_cast<int>(k)));
        state.counters["piles"] = static_cast<double>(solver.GetSettleCount());
    }
}
BENCHMARK(BM_SolveLevel)->Arg(1)->Arg(12)->Arg(36)->Unit(benchmark::kMillisecond);

// 200 random players on one level, solver built fresh each time (no piles cached).
void BM_RandomPlayers(benchmark::State& state) {
    const std::vector<marbles::RigidBody> bodies = LoadLevel(static_cast<int>(state.range(0)));
    if (bodies.empty()) {
        state.SkipWithError("level not found");
        return;
    }
    for (auto _ : state) {
        marbles::CPileSolver solver(bodies, marbles::CPileSolver::Options());
        benchmark::DoNotOptimize(solver.PlayRandom(200, 1));
    }
}
BENCHMARK(BM_RandomPlayers)->Arg(1)->Arg(12)->Arg(36)->Unit(benchmark::kMillisecond);

}  // namespace
