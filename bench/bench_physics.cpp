// One physics step of a settling pile of marbles and boxes in a walled room, with the broad
// phase and with the all-pairs reference side by side; detection and resolution also timed
// apart. Every scene is first checked to give identical results on both paths.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/rigidbody.h"

using marbles::CPhysicsWorld;
using marbles::RigidBody;

namespace {

RigidBody Body(std::int32_t shape, float x, float y, float ex, float ey, float angle,
               float inverseMass, float inverseInertia, std::int32_t motion) {
    RigidBody b;
    b.shape = shape;
    b.extent = {ex, ey};
    b.position = {x, y};
    b.orientation = angle;
    b.inverseMass = inverseMass;
    b.inverseMomentOfInertia = inverseInertia;
    b.staticObject = motion;
    return b;
}

// bodies in all: four walls, one box for every twenty marbles, the rest marbles of radius
// 0.4 to 0.55, packed loosely above the floor and left to settle for 40 steps.
std::vector<RigidBody> MakeSettlingPile(int bodies) {
    const int movers = bodies - 4;
    const int columns = std::max(8, static_cast<int>(std::sqrt(static_cast<float>(movers)) * 1.5f));
    const int rows = (movers + columns - 1) / columns;
    const float spacing = 1.2f;
    const float width = static_cast<float>(columns) * spacing;
    const float height = static_cast<float>(rows) * spacing + 4.0f;
    std::vector<RigidBody> scene;
    scene.push_back(Body(1, 0, 2, width / 2 + 4, 2, 0, 0, 0, marbles::MOTION_STATIC));
    scene.push_back(Body(1, 0, -height - 2, width / 2 + 4, 2, 0, 0, 0, marbles::MOTION_STATIC));
    scene.push_back(Body(1, -width / 2 - 2, -height / 2, 2, height / 2 + 4, 0, 0, 0, marbles::MOTION_STATIC));
    scene.push_back(Body(1, width / 2 + 2, -height / 2, 2, height / 2 + 4, 0, 0, 0, marbles::MOTION_STATIC));
    for (int k = 0; k < movers; ++k) {
        const float x = -width / 2 + spacing * (static_cast<float>(k % columns) + 0.5f) +
                        0.03f * static_cast<float>(k % 7);
        const float y = -0.7f - spacing * static_cast<float>(k / columns);
        if (k % 20 == 19) {
            scene.push_back(Body(1, x, y, 0.5f, 0.3f, 0.1f * static_cast<float>(k % 5), 1.0f, 8.8f,
                                 marbles::MOTION_DYNAMIC));
        } else {
            const float r = 0.4f + 0.05f * static_cast<float>(k % 4);
            scene.push_back(Body(0, x, y, r, r, 0, 1.0f, 2.0f / (r * r), marbles::MOTION_DYNAMIC));
        }
    }
    CPhysicsWorld world;
    for (const RigidBody& b : scene) world.AddBody(b);
    for (int s = 0; s < 40; ++s) world.Step(0.05f);
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) scene[i] = world.GetBody(i);
    return scene;
}

const std::vector<RigidBody>& SettlingPile(int bodies) {
    static std::map<int, std::vector<RigidBody>> piles;
    auto found = piles.find(bodies);
    if (found == piles.end()) found = piles.emplace(bodies, MakeSettlingPile(bodies)).first;
    return found->second;
}

void Restore(CPhysicsWorld& world, const std::vector<RigidBody>& scene) {
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) world.GetBody(i) = scene[i];
}

std::unique_ptr<CPhysicsWorld> MakeWorld(const std::vector<RigidBody>& scene, bool allPairs) {
    std::unique_ptr<CPhysicsWorld> world(new CPhysicsWorld());
    world->SetDetection(allPairs ? CPhysicsWorld::DETECT_ALL_PAIRS : CPhysicsWorld::DETECT_BROAD_PHASE);
    for (const RigidBody& b : scene) world->AddBody(b);
    return world;
}

std::uint32_t Bits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

bool SameBits(const RigidBody& a, const RigidBody& b) {
    const float fa[] = {a.position.x, a.position.y, a.velocity.x, a.velocity.y, a.orientation, a.angularVelocity};
    const float fb[] = {b.position.x, b.position.y, b.velocity.x, b.velocity.y, b.orientation, b.angularVelocity};
    for (int k = 0; k < 6; ++k)
        if (Bits(fa[k]) != Bits(fb[k])) return false;
    return a.staticObject == b.staticObject;
}

// Both paths step the scene once; true when every body ends with the same bits.
bool SameStep(const std::vector<RigidBody>& scene) {
    const auto fast = MakeWorld(scene, false);
    const auto reference = MakeWorld(scene, true);
    fast->Step(0.05f);
    reference->Step(0.05f);
    if (fast->GetContactCount() != reference->GetContactCount()) return false;
    for (unsigned i = 0; i < fast->GetBodyCount(); ++i)
        if (!SameBits(fast->GetBody(i), reference->GetBody(i))) return false;
    return true;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

enum EPhase { PHASE_STEP, PHASE_DETECT, PHASE_RESOLVE };

void RunPhase(benchmark::State& state, EPhase phase) {
    const int bodies = static_cast<int>(state.range(0));
    const bool allPairs = state.range(1) != 0;
    const std::vector<RigidBody>& scene = SettlingPile(bodies);
    if (!SameStep(scene)) {
        state.SkipWithError("the broad phase and the reference disagree");
        return;
    }
    const auto world = MakeWorld(scene, allPairs);
    for (auto _ : state) {
        Restore(*world, scene);
        Clock::time_point start;
        switch (phase) {
            case PHASE_STEP:
                start = Clock::now();
                world->Step(0.05f);
                break;
            case PHASE_DETECT:
                start = Clock::now();
                world->DetectContacts();
                break;
            case PHASE_RESOLVE:
                world->DetectContacts();
                start = Clock::now();
                world->ResolveContacts();
                break;
        }
        state.SetIterationTime(Seconds(start));
    }
    Restore(*world, scene);
    world->DetectContacts();
    world->ResolveContacts();
    state.counters["contacts"] = world->GetContactCount();
    state.counters["visits"] = world->GetVisitCount();
    state.SetLabel(allPairs ? "all-pairs" : "broad-phase");
}

void BM_PhysicsStep(benchmark::State& state) { RunPhase(state, PHASE_STEP); }
void BM_PhysicsDetect(benchmark::State& state) { RunPhase(state, PHASE_DETECT); }
void BM_PhysicsResolve(benchmark::State& state) { RunPhase(state, PHASE_RESOLVE); }

void Sizes(benchmark::internal::Benchmark* b) {
    for (int bodies : {30, 60, 300, 3000, 10000})
        for (int allPairs : {0, 1}) b->Args({bodies, allPairs});
    b->ArgNames({"bodies", "allpairs"});
    b->UseManualTime();
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_PhysicsStep)->Apply(Sizes);
BENCHMARK(BM_PhysicsDetect)->Apply(Sizes);
BENCHMARK(BM_PhysicsResolve)->Apply(Sizes);
