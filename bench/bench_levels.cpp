// Physics of every shipped level: the mean and the longest step, and the contact visits per
// step (mean, most, and how many steps reach the limit), over the 200 steps after the level
// loads. Step times are the thread's processor time. Run from
// a build directory where the game content is staged (data/levels/).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "marbles/level/levelphysics.h"
#include "marbles/physics/cphysicsworld.h"

namespace {

const int kSteps = 200;

// This thread's processor time in microseconds: preemption on a busy machine does not count.
double ThreadMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

std::string LevelFile(int level) {
    char name[64];
    // Twelve levels a chapter, named by chapter and place in it.
    std::snprintf(name, sizeof name, "data/levels/chapter%d_level%02d.xml", (level - 1) / 12 + 1, (level - 1) % 12 + 1);
    return name;
}

// The level's world, or null when the file or its physics model cannot be read.
std::unique_ptr<marbles::CPhysicsWorld> LoadLevel(int level) { return marbles::LoadLevelPhysics(LevelFile(level)); }

// One iteration: the level loaded afresh and stepped 200 times (the load is not timed).
void BM_ShippedLevel200Steps(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    double total = 0;
    double longest = 0;
    double visits = 0;
    unsigned mostVisits = 0;
    long long stepsAtLimit = 0;
    unsigned bodies = 0;
    long long steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<marbles::CPhysicsWorld> world = LoadLevel(level);
        state.ResumeTiming();
        if (!world) {
            state.SkipWithError(("cannot load " + LevelFile(level)).c_str());
            return;
        }
        bodies = world->GetBodyCount();
        for (int s = 0; s < kSteps; ++s) {
            const double start = ThreadMicroseconds();
            world->Step(0.05f);
            const double took = ThreadMicroseconds() - start;
            total += took;
            longest = std::max(longest, took);
            visits += world->GetVisitCount();
            mostVisits = std::max(mostVisits, world->GetVisitCount());
            if (world->GetVisitCount() >= marbles::CPhysicsWorld::VISIT_LIMIT) ++stepsAtLimit;
        }
        steps += kSteps;
        state.PauseTiming();
        world.reset();
        state.ResumeTiming();
    }
    state.counters["bodies"] = bodies;
    state.counters["step_us"] = steps ? total / static_cast<double>(steps) : 0;
    state.counters["longest_step_us"] = longest;
    state.counters["visits_per_step"] = steps ? visits / static_cast<double>(steps) : 0;
    state.counters["most_visits"] = mostVisits;
    state.counters["visit_limit"] = marbles::CPhysicsWorld::VISIT_LIMIT;
    // Steps whose impulse passes were cut short by the limit, per 200 steps.
    state.counters["steps_at_limit"] = state.iterations() ? static_cast<double>(stepsAtLimit) / state.iterations() : 0;
}
BENCHMARK(BM_ShippedLevel200Steps)->DenseRange(1, 8)->Unit(benchmark::kMillisecond);

}  // namespace
