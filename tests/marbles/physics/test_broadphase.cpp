// The broad phase: its candidate lists, its work budget, and above all that a world using it
// steps bit for bit like a world testing every pair, over hundreds of random scenes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "marbles/physics/cbroadphase.h"
#include "marbles/physics/collision.h"
#include "marbles/physics/cphysicsworld.h"
#include "physicsscenes.h"

using namespace marbles;
using namespace physicsscenes;

namespace {

enum ESceneKind { SCENE_PILE, SCENE_IMPACTS, SCENE_JUMBLE, SCENE_LATTICE, SCENE_HEAP };

class CSceneMaker {
public:
    explicit CSceneMaker(unsigned seed) : myRandom(seed) {}

    float Uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(myRandom);
    }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(myRandom); }

    RigidBody RandomBody(float left, float top, float right, float bottom, float maxSize) {
        const float size = Uniform(0.1f, maxSize);
        const float x = Uniform(left, right);
        const float y = Uniform(top, bottom);
        RigidBody b = Pick(0, 3) == 0 ? Box(x, y, size, Uniform(0.1f, maxSize), Uniform(-3.2f, 3.2f))
                                      : Circle(x, y, size);
        b.color = Pick(0, 5);
        return b;
    }

    void Make(ESceneKind kind, CPhysicsWorld& world) {
        switch (kind) {
            case SCENE_PILE: MakePile(world); break;
            case SCENE_IMPACTS: MakeImpacts(world); break;
            case SCENE_JUMBLE: MakeJumble(world); break;
            case SCENE_LATTICE: MakeLattice(world); break;
            case SCENE_HEAP: MakeHeap(world); break;
        }
    }

private:
    // Marbles and boxes dropped into a walled room, left to settle.
    void MakePile(CPhysicsWorld& world) {
        const float half = Uniform(4, 12);
        AddWalls(world, -half, -2 * half, half, 0);
        const int count = Pick(10, 120);
        for (int k = 0; k < count; ++k)
            world.AddBody(RandomBody(-half + 0.6f, -2 * half + 0.6f, half - 0.6f, -0.6f, 0.6f));
    }

    // Fast, spinning bodies in a room with thick walls, some of them static or dormant.
    void MakeImpacts(CPhysicsWorld& world) {
        const float half = Uniform(6, 15);
        AddWalls(world, -half, -half, half, half, 5.0f);
        const int count = Pick(10, 100);
        for (int k = 0; k < count; ++k) {
            RigidBody b = RandomBody(-half + 1, -half + 1, half - 1, half - 1, 1.0f);
            b.velocity = {Uniform(-40, 40), Uniform(-40, 40)};
            b.angularVelocity = Uniform(-20, 20);
            const int motion = Pick(0, 9);
            if (motion == 0) {
                b.staticObject = MOTION_STATIC;
                b.inverseMass = 0;
                b.inverseMomentOfInertia = 0;
            } else if (motion == 1) {
                b.staticObject = MOTION_DORMANT;
            }
            world.AddBody(b);
        }
    }

    // Overlapping bodies of very different sizes, some far from the origin, some of size zero,
    // no walls.
    void MakeJumble(CPhysicsWorld& world) {
        const float offset = Pick(0, 2) == 0 ? Uniform(-5000, 5000) : 0.0f;
        const int count = Pick(10, 150);
        for (int k = 0; k < count; ++k) {
            RigidBody b = RandomBody(offset - 10, offset - 10, offset + 10, offset + 10,
                                     Pick(0, 9) == 0 ? 6.0f : 1.0f);
            if (Pick(0, 19) == 0) b.extent = {0, 0};
            b.velocity = {Uniform(-5, 5), Uniform(-5, 5)};
            b.staticObject = Pick(0, 2);
            world.AddBody(b);
        }
    }

    // Bodies on an exact lattice: touching exactly, edges on cell boundaries.
    void MakeLattice(CPhysicsWorld& world) {
        const float spacing = Pick(0, 1) == 0 ? 1.0f : 0.5f;
        const int columns = Pick(3, 12);
        const int rows = Pick(2, 10);
        world.AddBody(Wall(0, static_cast<float>(rows) * spacing + 1, 40, 1));
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const float x = (static_cast<float>(c) - 0.5f * static_cast<float>(columns)) * spacing;
                const float y = static_cast<float>(r) * spacing;
                const float h = 0.5f * spacing;
                world.AddBody(Pick(0, 2) == 0 ? Box(x, y, h, h) : Circle(x, y, h));
            }
        }
    }

    // Thousands of static bodies on one spot, more than the grid's budget can sort out, and
    // beside them a circle moving onto a resting one.
    void MakeHeap(CPhysicsWorld& world) {
        for (int k = 0; k < 3000; ++k) world.AddBody(Wall(Uniform(-0.1f, 0.1f), 0, 1, 1));
        world.AddBody(Circle(10, 0, 1));
        RigidBody mover = Circle(12.1f, 0, 1);
        mover.velocity = {-5, 0};
        world.AddBody(mover);
    }

    std::mt19937 myRandom;
};

// Steps two copies of each scene, one per detection path, comparing every body after each step.
void ExpectIdenticalRuns(ESceneKind kind, unsigned firstSeed, int scenes, int steps) {
    for (int scene = 0; scene < scenes; ++scene) {
        const unsigned seed = firstSeed + static_cast<unsigned>(scene);
        CPhysicsWorld reference;
        CPhysicsWorld fast;
        reference.SetDetection(CPhysicsWorld::DETECT_ALL_PAIRS);
        CSceneMaker(seed).Make(kind, reference);
        CSceneMaker(seed).Make(kind, fast);
        for (int step = 0; step < steps; ++step) {
            reference.Step(0.05f);
            fast.Step(0.05f);
            ASSERT_EQ(fast.GetContactCount(), reference.GetContactCount())
                << "seed " << seed << " step " << step;
            for (unsigned i = 0; i < reference.GetBodyCount(); ++i) {
                ASSERT_TRUE(SameBits(fast.GetBody(i), reference.GetBody(i)))
                    << "seed " << seed << " step " << step << " body " << i;
            }
        }
    }
}

// Body i against every later body: whether the contact tests would find anything.
bool WouldTouch(const RigidBody& a, const RigidBody& b) {
    ContactPoints out;
    const Vector2 axisA = OrientationAxis(a.orientation);
    const Vector2 axisB = OrientationAxis(b.orientation);
    if (a.shape == SHAPE_CIRCLE && b.shape == SHAPE_CIRCLE) return CircleCircle(a, b, out);
    if (a.shape == SHAPE_CIRCLE) return CircleBox(a, b, axisB, out);
    if (b.shape == SHAPE_CIRCLE) return CircleBox(b, a, axisA, out);
    return BoxBox(a, axisA, b, axisB, out);
}

struct CGridInput {
    std::vector<RigidBody> bodies;
    std::vector<Vector2> axes;
    std::vector<std::uint8_t> solid;

    void Add(const RigidBody& body, bool isSolid = true) {
        bodies.push_back(body);
        axes.push_back(OrientationAxis(body.orientation));
        solid.push_back(isSolid ? 1 : 0);
    }
    void Build(CBroadPhase& grid) const {
        grid.Reserve(bodies.size());
        grid.Build(bodies.data(), axes.data(), solid.data(), bodies.size());
    }
};

}  // namespace

// 240 scenes in blocks of 10, so each block is its own (parallel) test case.
class BroadPhaseEquivalence : public ::testing::TestWithParam<std::tuple<ESceneKind, int>> {};

TEST_P(BroadPhaseEquivalence, EveryBodyMatchesTestingAllPairsAfterEveryStep) {
    const ESceneKind kind = std::get<0>(GetParam());
    const int block = std::get<1>(GetParam());
    const int steps = kind == SCENE_PILE || kind == SCENE_IMPACTS ? 200 : 150;
    ExpectIdenticalRuns(kind, 1000u * (kind + 1) + 10u * static_cast<unsigned>(block), 10, steps);
}

std::string SceneName(const ::testing::TestParamInfo<BroadPhaseEquivalence::ParamType>& info) {
    static const char* const names[] = {"Piles", "Impacts", "Jumbles", "Lattices"};
    return std::string(names[std::get<0>(info.param)]) + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(
    RandomScenes, BroadPhaseEquivalence,
    ::testing::Combine(::testing::Values(SCENE_PILE, SCENE_IMPACTS, SCENE_JUMBLE, SCENE_LATTICE),
                       ::testing::Range(0, 6)),
    SceneName);

TEST(BroadPhase, AHeapBeyondTheBudgetLosesNoContact) {
    ExpectIdenticalRuns(SCENE_HEAP, 7, 1, 8);
    CPhysicsWorld world;
    CSceneMaker(7).Make(SCENE_HEAP, world);
    int touched = 0;
    for (int step = 0; step < 8; ++step) {
        world.Step(0.05f);
        touched += world.GetContactCount() > 0;
        EXPECT_FALSE(world.IsDetectionCut());
    }
    EXPECT_GT(touched, 0) << "the moving circle meets the resting one";
    EXPECT_LT(world.GetBody(3001).position.x, 12.1f);
}

TEST(BroadPhase, CandidatesAreLaterBodiesInAscendingOrderAndIncludeEveryTouchingOne) {
    for (unsigned seed = 0; seed < 20; ++seed) {
        CSceneMaker maker(seed);
        CGridInput input;
        input.Add(Wall(0, 12, 60, 1));
        input.Add(Circle(0, 0, 1e6f));  // larger than the whole scene
        for (int k = 0; k < 300; ++k) input.Add(maker.RandomBody(-20, -10, 20, 10, 1.5f));
        CBroadPhase grid;
        input.Build(grid);
        EXPECT_GE(grid.GetLargeBodyCount(), 1u);
        for (std::size_t i = 0; i < input.bodies.size(); ++i) {
            ASSERT_TRUE(grid.Query(i));
            const std::vector<std::uint32_t> found(grid.GetCandidates(),
                                                   grid.GetCandidates() + grid.GetCandidateCount());
            EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
            EXPECT_TRUE(std::adjacent_find(found.begin(), found.end()) == found.end()) << "no repeats";
            if (!found.empty()) {
                EXPECT_GT(found.front(), i);
            }
            for (std::size_t j = i + 1; j < input.bodies.size(); ++j) {
                if (!WouldTouch(input.bodies[i], input.bodies[j])) continue;
                EXPECT_TRUE(std::binary_search(found.begin(), found.end(), j))
                    << "seed " << seed << " pair " << i << ", " << j;
            }
        }
    }
}

TEST(BroadPhase, BodiesThatAreNotSolidAreNeverCandidates) {
    CGridInput input;
    input.Add(Circle(0, 0, 1));
    input.Add(Circle(0.5f, 0, 1), false);
    input.Add(Circle(1, 0, 1));
    CBroadPhase grid;
    input.Build(grid);
    ASSERT_TRUE(grid.Query(0));
    ASSERT_EQ(grid.GetCandidateCount(), 1u);
    EXPECT_EQ(grid.GetCandidates()[0], 2u);
    ASSERT_TRUE(grid.Query(1));
    EXPECT_EQ(grid.GetCandidateCount(), 0u);
}

TEST(BroadPhase, FarAwayAndHugeBodiesAreCheckedOneByOne) {
    CGridInput input;
    input.Add(Circle(1e12f, 0, 1));
    input.Add(Circle(1e12f, 1.5f, 1));
    input.Add(Circle(0, 0, 3e38f));
    input.Add(Circle(5, 5, 0.5f));
    CBroadPhase grid;
    input.Build(grid);
    ASSERT_TRUE(grid.Query(0));
    ASSERT_EQ(grid.GetCandidateCount(), 2u) << "the neighbour and the huge circle";
    EXPECT_EQ(grid.GetCandidates()[0], 1u);
    ASSERT_TRUE(grid.Query(2));
    EXPECT_EQ(grid.GetCandidateCount(), 1u);
}

TEST(BroadPhase, ACrowdOnOneSpotRunsOutOfBudgetInsteadOfTakingForever) {
    CGridInput input;
    for (int k = 0; k < 5000; ++k) input.Add(Circle(2, 2, 1));
    CBroadPhase grid;
    input.Build(grid);
    std::size_t answered = 0;
    while (answered < input.bodies.size() && grid.Query(answered)) ++answered;
    EXPECT_LT(answered, input.bodies.size());
    EXPECT_GT(answered, 500u);
    EXPECT_FALSE(grid.Query(answered + 1)) << "the budget stays spent until the next build";
    EXPECT_EQ(grid.GetCandidateCount(), 0u);
    input.Build(grid);
    EXPECT_TRUE(grid.Query(4990));
}
