// The physics world's step (forces, detection, impulses, integration, notification), body
// removal, the resting test and the body dump, and how settling piles behave.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/irigidbodylistener.h"
#include "marbles/physics/irigidbodylistenerfactory.h"
#include "physicsscenes.h"
#include "support/testsupport.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/xml/cxmlfilesys.h"

using namespace marbles;
using namespace physicsscenes;

// Counts every allocation of this program, so a test can see that a step makes none.
namespace {
std::atomic<long> theAllocations{0};
}

// Kept out of line: inlined, the free() inside would look mismatched to the compiler.
__attribute__((noinline)) void* operator new(std::size_t size) {
    ++theAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
__attribute__((noinline)) void* operator new[](std::size_t size) { return operator new(size); }
__attribute__((noinline)) void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++theAllocations;
    return std::malloc(size ? size : 1);
}
__attribute__((noinline)) void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// What listeners were told, in order, as text: "U<id> x y angle ex ey shape color", "I<id> n",
// "D<id>" for a deletion.
struct CallLog {
    std::vector<std::string> calls;
};

class CRecordingListener : public IRigidBodyListener {
public:
    CRecordingListener(CallLog* log, int id) : myLog(log), myId(id) {}
    ~CRecordingListener() override { myLog->calls.push_back("D" + std::to_string(myId)); }
    void Update(float x, float y, float angle, float ex, float ey, std::int32_t shape,
                std::int32_t color) override {
        char text[160];
        std::snprintf(text, sizeof text, "U%d %g %g %g %g %g %d %d", myId, x, y, angle, ex, ey,
                      shape, color);
        myLog->calls.push_back(text);
    }
    void SetIndex(unsigned index) override {
        myLog->calls.push_back("I" + std::to_string(myId) + " " + std::to_string(index));
    }

private:
    CallLog* myLog;
    int myId;
};

class CRecordingFactory : public IRigidBodyListenerFactory {
public:
    IRigidBodyListener* CreateListener() override { return new CRecordingListener(&myLog, myNext++); }
    CallLog myLog;
    int myNext = 0;
};

// A level-like scene: walls around a 20 x 8 room, 30 marbles of three sizes in two rows just
// above the floor and two tilted boxes above them. Nothing falls faster than a marble's radius
// per step, so nothing can tunnel into a wall.
void BuildPile(CPhysicsWorld& world, int marbles = 30) {
    AddWalls(world, -10, -4, 10, 4);
    const int perRow = 15;
    for (int k = 0; k < marbles; ++k) {
        const int row = k / perRow;
        const float x = -9.1f + 1.3f * static_cast<float>(k % perRow) + 0.04f * static_cast<float>(k % 3);
        const float y = 2.2f - 1.2f * static_cast<float>(row % 5) - 8.0f * static_cast<float>(row / 5);
        RigidBody marble = Circle(x, y, 0.45f + 0.05f * static_cast<float>(k % 3));
        marble.color = k % 4;
        marble.initId = 100 + k;
        world.AddBody(marble);
    }
    world.AddBody(Box(-3, -1, 1.2f, 0.3f, 0.4f, 0.5f));
    world.AddBody(Box(3, -1, 1.0f, 0.5f, -0.3f, 0.5f));
}

void ExpectSameBodies(const CPhysicsWorld& a, const CPhysicsWorld& b) {
    ASSERT_EQ(a.GetBodyCount(), b.GetBodyCount());
    for (unsigned i = 0; i < a.GetBodyCount(); ++i)
        EXPECT_TRUE(SameBits(a.GetBody(i), b.GetBody(i))) << "body " << i;
}

}  // namespace

TEST(Step, AWorldThatNeverHeldABodyStepsWithoutHarm) {
    // The game steps its world on the title screen, before any level is loaded.
    CPhysicsWorld world;
    for (int s = 0; s < 3; ++s) world.Step(0.05f);
    EXPECT_EQ(world.GetBodyCount(), 0u);
    EXPECT_TRUE(world.IsAtRest());
}

TEST(Step, StepsLongerThan50MsCountAs50Ms) {
    CPhysicsWorld a;
    CPhysicsWorld b;
    BuildPile(a);
    BuildPile(b);
    for (int s = 0; s < 40; ++s) {
        a.Step(0.1f);
        b.Step(0.05f);
    }
    ExpectSameBodies(a, b);
}

TEST(Step, GravityAndDampingActOnDynamicBodiesOnly) {
    CPhysicsWorld world;
    RigidBody dynamic = Circle(0, 0, 0.5f);
    dynamic.velocity = {1, 0};
    RigidBody fixed = Circle(10, 0, 0.5f, 0, MOTION_STATIC);
    fixed.velocity = {1, 1};
    RigidBody dormant = Circle(20, 0, 0.5f, 1, MOTION_DORMANT);
    dormant.velocity = {2, 0};
    world.AddBody(dynamic);
    world.AddBody(fixed);
    world.AddBody(dormant);
    world.Step(0.05f);

    const RigidBody& d = world.GetBody(0);
    const float vy = (0.0f + 0.05f * 9.83f) * 0.99f;
    EXPECT_EQ(d.velocity.x, 0.99f);
    EXPECT_EQ(d.velocity.y, vy);
    EXPECT_EQ(d.position.x, 0.05f * 0.99f);
    EXPECT_EQ(d.position.y, 0.05f * vy);

    const RigidBody& f = world.GetBody(1);
    EXPECT_EQ(f.position.x, 10.0f);
    EXPECT_EQ(f.position.y, 0.0f);
    EXPECT_EQ(f.velocity.y, 1.0f);
    EXPECT_EQ(f.previousPosition.x, 0.0f) << "static bodies are not integrated";

    const RigidBody& s = world.GetBody(2);
    EXPECT_EQ(s.velocity.x, 2.0f);
    EXPECT_EQ(s.velocity.y, 0.0f);
    EXPECT_EQ(s.position.x, 20.1f);
    EXPECT_EQ(s.previousPosition.x, 20.0f);
    EXPECT_EQ(s.staticObject, MOTION_DORMANT);
}

TEST(Step, SpinningBodyTurns) {
    CPhysicsWorld world;
    RigidBody box = Box(0, 0, 1, 1, 0.25f, 1, MOTION_DORMANT);
    box.angularVelocity = 2;
    world.AddBody(box);
    world.Step(0.05f);
    EXPECT_EQ(world.GetBody(0).orientation, 0.25f + 0.05f * 2.0f);
}

TEST(Detection, ContactsFollowPairOrderWithTheCircleAsBodyA) {
    CPhysicsWorld world;
    world.AddBody(Box(0, 0, 5, 1, 0, 0, MOTION_STATIC));
    world.AddBody(Circle(0, -1.45f, 0.5f));
    world.AddBody(Circle(0.95f, -1.45f, 0.5f));
    world.DetectContacts();
    ASSERT_EQ(world.GetContactCount(), 3u);
    const Contact& first = world.GetContact(0);
    EXPECT_EQ(first.bodyA, &world.GetBody(1)) << "box 0 against circle 1: the circle is A";
    EXPECT_EQ(first.bodyB, &world.GetBody(0));
    EXPECT_EQ(world.GetContact(1).bodyA, &world.GetBody(2));
    EXPECT_EQ(world.GetContact(1).bodyB, &world.GetBody(0));
    EXPECT_EQ(world.GetContact(2).bodyA, &world.GetBody(1));
    EXPECT_EQ(world.GetContact(2).bodyB, &world.GetBody(2));
    for (unsigned k = 0; k < 3; ++k) {
        const Contact& c = world.GetContact(k);
        EXPECT_EQ(c.point.x, 0.5f * c.pointA.x + 0.5f * c.pointB.x);
        EXPECT_EQ(c.point.y, 0.5f * c.pointA.y + 0.5f * c.pointB.y);
    }
}

TEST(Detection, StaticPairsAreSkippedAndDormantBodiesAreTested) {
    CPhysicsWorld world;
    world.AddBody(Box(0, 0, 2, 1, 0, 0, MOTION_STATIC));
    world.AddBody(Box(0, -1.9f, 2, 1, 0, 0, MOTION_STATIC));
    world.DetectContacts();
    EXPECT_EQ(world.GetContactCount(), 0u);
    world.GetBody(1).staticObject = MOTION_DORMANT;
    world.DetectContacts();
    EXPECT_EQ(world.GetContactCount(), 2u);
}

TEST(Detection, DeepOverlapsAndCentresInsideBoxesPassThrough) {
    CPhysicsWorld world;
    RigidBody a = Circle(0, 0, 1, 1, MOTION_DORMANT);
    RigidBody b = Circle(0.8f, 0, 1, 1, MOTION_DORMANT);
    a.velocity = {3, 0};
    b.velocity = {-3, 0};
    world.AddBody(a);
    world.AddBody(b);
    world.AddBody(Box(20, 0, 2, 2, 0, 1, MOTION_DORMANT));
    RigidBody inside = Circle(20.5f, 0.5f, 1, 1, MOTION_DORMANT);
    inside.velocity = {0, 4};
    world.AddBody(inside);
    world.Step(0.05f);
    EXPECT_EQ(world.GetContactCount(), 0u);
    EXPECT_EQ(world.GetBody(0).velocity.x, 3.0f);
    EXPECT_EQ(world.GetBody(1).velocity.x, -3.0f);
    EXPECT_EQ(world.GetBody(3).velocity.y, 4.0f);
    EXPECT_EQ(world.GetBody(3).staticObject, MOTION_DORMANT);
}

TEST(Detection, ContactArrayHoldsAtMost200000Contacts) {
    // 700 point circles on one spot: every pair touches (244650 pairs).
    for (auto detection : {CPhysicsWorld::DETECT_ALL_PAIRS, CPhysicsWorld::DETECT_BROAD_PHASE}) {
        CPhysicsWorld world;
        world.SetDetection(detection);
        for (int k = 0; k < 700; ++k) world.AddBody(Circle(1, 1, 0));
        world.Step(0.05f);
        EXPECT_EQ(world.GetContactCount(), CPhysicsWorld::CONTACT_CAPACITY);
        const Contact& last = world.GetContact(CPhysicsWorld::CONTACT_CAPACITY - 1);
        // Pairs (0, 1..699), (1, 2..699), ...: contact 199999 is the pair (400, 600).
        EXPECT_EQ(last.bodyA, &world.GetBody(400));
        EXPECT_EQ(last.bodyB, &world.GetBody(600));
    }
}

TEST(Resolution, FirstBodyGetsNineTenthsOfTheImpulseAndTheSecondEightyOneHundredths) {
    CPhysicsWorld world;
    RigidBody a = Circle(1.9f, 0, 1, 1.0f, MOTION_DORMANT);
    RigidBody b = Circle(0, 0, 1, 0.5f, MOTION_DORMANT);
    a.velocity = {-1, 0};
    b.velocity = {1, 0};
    world.AddBody(a);
    world.AddBody(b);
    world.DetectContacts();
    ASSERT_EQ(world.GetContactCount(), 1u);
    world.ResolveContacts();
    // Approach speed 2, j = 2 * 2 / (1 + 0.5).
    const double j = 4.0 / 1.5;
    EXPECT_FLOAT_EQ(world.GetBody(0).velocity.x, static_cast<float>(-1.0 + 0.9 * j * 1.0));
    EXPECT_NEAR(world.GetBody(1).velocity.x, 1.0 - 0.81 * j * 0.5, 1e-6);
    EXPECT_EQ(world.GetBody(0).velocity.y, 0.0f);
    EXPECT_EQ(world.GetBody(0).angularVelocity, 0.0f) << "impulse through the centres";
    EXPECT_EQ(world.GetBody(0).staticObject, MOTION_DYNAMIC) << "struck dormant bodies wake";
    EXPECT_EQ(world.GetBody(1).staticObject, MOTION_DYNAMIC);
}

TEST(Resolution, OffCentreImpulseSpinsABox) {
    CPhysicsWorld world;
    // A box falling flat-on onto a corner of a static box lands on one end and starts to turn.
    RigidBody plank = Box(2.5f, -1.49f, 1, 0.5f, 0, 1, MOTION_DORMANT);
    plank.velocity = {0, 2};
    world.AddBody(plank);
    world.AddBody(Box(0, 0, 2, 1, 0, 0, MOTION_STATIC));
    world.DetectContacts();
    ASSERT_GE(world.GetContactCount(), 1u);
    world.ResolveContacts();
    EXPECT_LT(world.GetBody(0).velocity.y, 2.0f);
    EXPECT_NE(world.GetBody(0).angularVelocity, 0.0f);
}

TEST(Resolution, SeparatingBodiesGetNoImpulseAndDormantBodiesSleepUntilStruck) {
    CPhysicsWorld world;
    RigidBody sleeper = Circle(0, 0, 0.5f, 1, MOTION_DORMANT);
    world.AddBody(sleeper);
    RigidBody leaving = Circle(0.9f, 0, 0.5f, 1, MOTION_DORMANT);
    leaving.velocity = {1, 0};
    world.AddBody(leaving);
    world.Step(0.05f);
    EXPECT_EQ(world.GetContactCount(), 1u);
    EXPECT_EQ(world.GetBody(0).staticObject, MOTION_DORMANT);
    EXPECT_EQ(world.GetBody(1).velocity.x, 1.0f);

    // A marble dropped onto the sleeper wakes it.
    world.AddBody(Circle(0, -3, 0.5f));
    for (int s = 0; s < 30 && world.GetBody(0).staticObject == MOTION_DORMANT; ++s) world.Step(0.05f);
    EXPECT_EQ(world.GetBody(0).staticObject, MOTION_DYNAMIC);
}

TEST(Listeners, UpdatedThenIndexedInBodyOrderAtTheEndOfEveryStep) {
    CRecordingFactory factory;
    CPhysicsWorld world;
    world.SetListenerFactory(&factory);
    RigidBody box = Box(1, 2, 3, 4, 0.5f, 0, MOTION_STATIC);
    box.color = 7;
    world.AddBody(box);
    world.AddBody(Circle(10, 0, 0.25f));
    world.SetListenerFactory(nullptr);
    world.AddBody(Circle(20, 0, 0.25f));
    EXPECT_TRUE(factory.myLog.calls.empty()) << "nothing is told before the first step";
    world.Step(0.0f);
    const std::vector<std::string> expected = {"U0 1 2 0.5 3 4 1 7", "I0 0", "U1 10 0 0 0.25 0.25 0 0",
                                               "I1 1"};
    EXPECT_EQ(factory.myLog.calls, expected);
}

TEST(Listeners, RemovalMovesTheLastBodyAndTellsItsListener) {
    CRecordingFactory factory;
    CPhysicsWorld world;
    world.SetListenerFactory(&factory);
    for (int k = 0; k < 3; ++k) {
        RigidBody b = Circle(static_cast<float>(10 * k), 0, 1);
        b.initId = k;
        world.AddBody(b);
    }
    const RigidBody last = world.GetBody(2);
    world.RemoveBody(0);
    EXPECT_EQ(factory.myLog.calls, (std::vector<std::string>{"D0", "I2 0"}));
    ASSERT_EQ(world.GetBodyCount(), 2u);
    EXPECT_TRUE(SameBits(world.GetBody(0), last));
    EXPECT_EQ(world.GetBody(1).initId, 1);

    factory.myLog.calls.clear();
    world.RemoveBody(2);
    world.RemoveBody(1);
    EXPECT_EQ(factory.myLog.calls, (std::vector<std::string>{"D1"})) << "the last body moves nowhere";
    world.RemoveBody(0);
    EXPECT_EQ(world.GetBodyCount(), 0u);
}

TEST(Listeners, RemovingAllBodiesOrDestroyingTheWorldDeletesListeners) {
    CRecordingFactory factory;
    {
        CPhysicsWorld world;
        world.SetListenerFactory(&factory);
        world.AddBody(Circle(0, 0, 1));
        world.AddBody(Circle(5, 0, 1));
        world.RemoveAllBodies();
        EXPECT_EQ(factory.myLog.calls, (std::vector<std::string>{"D0", "D1"}));
        world.AddBody(Circle(0, 0, 1));
    }
    EXPECT_EQ(factory.myLog.calls.back(), "D2");
}

TEST(Rest, MeanSquaredSpeedBelowOne) {
    CPhysicsWorld world;
    EXPECT_TRUE(world.IsAtRest()) << "empty world";
    world.AddBody(Circle(0, 0, 1));
    world.AddBody(Circle(5, 0, 1));
    world.GetBody(0).velocity = {0.6f, 0.8f};  // 1.0
    world.GetBody(1).velocity = {0.0f, 0.9f};  // 0.81
    EXPECT_TRUE(world.IsAtRest());
    world.GetBody(1).velocity = {1.0f, 0.0f};
    EXPECT_FALSE(world.IsAtRest()) << "a mean of exactly 1 is moving";
    world.GetBody(0).velocity = {0.0f, 0.0f};
    world.GetBody(1).velocity = {0.0f, -1.4f};
    EXPECT_TRUE(world.IsAtRest()) << "0.98";
}

TEST(Dump, OneLinePerBodyWithIndexAndInitId) {
    testsupport::CTempDir dir;
    {
        CPhysicsWorld world;
        for (int id : {42, -3, 0}) {
            RigidBody b = Circle(0, 0, 1);
            b.initId = id;
            world.AddBody(b);
        }
        world.DumpBodies();
    }
    testsupport::ResetEngine();
    EXPECT_EQ(testsupport::LogBody(), "( ) 0\t42\n( ) 1\t-3\n( ) 2\t0\n");
}

TEST(Pile, ThirtyMarblesThrownDownSettleInsideTheWallsWithFiniteNumbers) {
    CPhysicsWorld world;
    BuildPile(world);
    for (unsigned i = 0; i < world.GetBodyCount(); ++i)
        if (world.GetBody(i).staticObject == MOTION_DYNAMIC) world.GetBody(i).velocity = {0.5f, 5.0f};
    int lastMoving = 0;
    for (int s = 1; s <= 400; ++s) {
        world.Step(0.05f);
        for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
            const RigidBody& b = world.GetBody(i);
            ASSERT_TRUE(AllFinite(b)) << "body " << i << " step " << s;
            if (b.staticObject == MOTION_STATIC) continue;
            ASSERT_GT(b.position.x, -10.0f) << "body " << i << " step " << s;
            ASSERT_LT(b.position.x, 10.0f) << "body " << i << " step " << s;
            ASSERT_GT(b.position.y, -4.0f) << "body " << i << " step " << s;
            ASSERT_LT(b.position.y, 4.0f) << "body " << i << " step " << s;
        }
        if (!world.IsAtRest()) lastMoving = s;
    }
    EXPECT_GT(lastMoving, 0) << "thrown marbles move";
    EXPECT_LE(lastMoving, 100) << "the pile settles within five seconds of game time";
}

TEST(Pile, RecordedHashOfEveryBodyAfter300Steps) {
    // Changes to any arithmetic of the step show up here. Both detection paths must agree.
    for (auto detection : {CPhysicsWorld::DETECT_BROAD_PHASE, CPhysicsWorld::DETECT_ALL_PAIRS}) {
        CPhysicsWorld world;
        world.SetDetection(detection);
        BuildPile(world);
        for (int s = 0; s < 300; ++s) world.Step(0.05f);
        EXPECT_EQ(HashBodies(world), 0xde3e7df28c7266f9ull) << std::hex << HashBodies(world);
    }
}

TEST(Pile, AStepAllocatesNothing) {
    for (auto detection : {CPhysicsWorld::DETECT_BROAD_PHASE, CPhysicsWorld::DETECT_ALL_PAIRS}) {
        CPhysicsWorld world;
        world.SetDetection(detection);
        BuildPile(world, 150);
        world.Step(0.05f);
        const long before = theAllocations.load();
        for (int s = 0; s < 50; ++s) world.Step(0.05f);
        EXPECT_EQ(theAllocations.load() - before, 0);
    }
}

namespace {

// Steps the pile with one odd body added (both detection paths) and checks that every other
// body keeps finite numbers; returns the odd body's final state.
RigidBody StepPileWith(const RigidBody& odd, int steps = 100) {
    RigidBody last;
    for (auto detection : {CPhysicsWorld::DETECT_BROAD_PHASE, CPhysicsWorld::DETECT_ALL_PAIRS}) {
        CPhysicsWorld world;
        world.SetDetection(detection);
        BuildPile(world);
        const unsigned oddIndex = world.AddBody(odd);
        for (unsigned i = 0; i < world.GetBodyCount(); ++i)
            if (world.GetBody(i).staticObject == MOTION_DYNAMIC) world.GetBody(i).velocity.y = 5.0f;
        world.GetBody(oddIndex).velocity = odd.velocity;
        for (int s = 0; s < steps; ++s) {
            world.Step(0.05f);
            for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
                if (i == oddIndex) continue;
                EXPECT_TRUE(AllFinite(world.GetBody(i))) << "body " << i << " step " << s;
                if (!AllFinite(world.GetBody(i))) return world.GetBody(oddIndex);
            }
        }
        last = world.GetBody(oddIndex);
    }
    return last;
}

const float theNaN = std::nanf("");
const float theInfinity = HUGE_VALF;

}  // namespace

TEST(BadInput, BodiesWithNonFiniteNumbersFreezeAndTouchNothing) {
    struct Case {
        const char* what;
        RigidBody body;
    };
    std::vector<Case> cases;
    RigidBody b = Circle(0, 2, 0.5f);
    b.position.x = theNaN;
    cases.push_back({"NaN position", b});
    b = Circle(0, 2, 0.5f);
    b.velocity = {theNaN, 1};
    cases.push_back({"NaN velocity", b});
    b = Circle(0, 2, theNaN);
    cases.push_back({"NaN radius", b});
    b = Box(0, 2, 0.5f, theNaN);
    cases.push_back({"NaN half height", b});
    b = Box(0, 2, 0.5f, 0.5f, theNaN);
    cases.push_back({"NaN orientation", b});
    b = Box(0, 2, 0.5f, 0.5f, 0.3f);
    b.angularVelocity = -theInfinity;
    cases.push_back({"infinite spin", b});
    b = Circle(0, 2, 0.5f, theNaN);
    cases.push_back({"NaN inverse mass", b});
    b = Circle(0, 2, theInfinity);
    cases.push_back({"infinite radius", b});
    b = Circle(theInfinity, 2, 0.5f);
    cases.push_back({"infinite position", b});
    b = Circle(0, 2, 0.5f);
    b.velocity = {0, theInfinity};
    cases.push_back({"infinite velocity", b});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RigidBody after = StepPileWith(c.body);
        EXPECT_TRUE(SameBits(after, c.body)) << "frozen as loaded";
    }
}

TEST(BadInput, HugeNegativeAndZeroSizesAndUnknownShapesStayHarmless) {
    struct Case {
        const char* what;
        RigidBody body;
    };
    RigidBody unknown = Circle(0, -2, 0.5f);
    unknown.shape = 2;
    RigidBody negativeShape = Box(1, -2, 0.5f, 0.5f);
    negativeShape.shape = -1;
    RigidBody fastHuge = Circle(0, 0, 1e30f);
    fastHuge.velocity = {3e37f, -3e37f};
    const std::vector<Case> cases = {
        {"huge radius", Circle(0, 0, 1e30f)},
        {"largest radius", Circle(0, 0, 3.4e38f)},
        {"huge fast circle", fastHuge},
        {"huge box", Box(0, 0, 1e30f, 1e30f, 0.5f)},
        {"huge position", Circle(1e30f, -1e30f, 0.5f)},
        {"negative radius", Circle(0, 0, -3)},
        {"negative half width", Box(0, 0, -1, 1)},
        {"zero-size box", Box(0, 2, 0, 0)},
        {"zero-size circle", Circle(0, 2, 0)},
        {"unknown shape", unknown},
        {"negative shape", negativeShape},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RigidBody after = StepPileWith(c.body, 30);
        // The odd body itself stays finite too (its neighbours are checked at every step).
        EXPECT_TRUE(AllFinite(after));
    }
}

TEST(BadInput, UnknownShapesAndNegativeSizesFallThroughEverything) {
    CPhysicsWorld world;
    world.AddBody(Wall(0, 1, 10, 1));
    RigidBody ghost = Circle(0, -0.4f, 0.5f);
    ghost.shape = 5;
    world.AddBody(ghost);
    world.AddBody(Circle(3, -0.4f, -0.5f));
    for (int s = 0; s < 40; ++s) world.Step(0.05f);
    EXPECT_GT(world.GetBody(1).position.y, 3.0f);
    EXPECT_GT(world.GetBody(2).position.y, 3.0f);
    EXPECT_EQ(world.GetContactCount(), 0u);
}

TEST(BadInput, ImpulsesThatWouldLeaveNonFiniteMotionAreNotApplied) {
    // Two massless, spinless bodies: the impulse would divide by zero.
    CPhysicsWorld world;
    RigidBody a = Circle(1.9f, 0, 1, 0, MOTION_DORMANT);
    RigidBody b = Circle(0, 0, 1, 0, MOTION_DORMANT);
    a.velocity = {-1, 0};
    b.velocity = {1, 0};
    world.AddBody(a);
    world.AddBody(b);
    world.Step(0.05f);
    EXPECT_EQ(world.GetContactCount(), 1u);
    EXPECT_EQ(world.GetBody(0).velocity.x, -1.0f);
    EXPECT_EQ(world.GetBody(1).velocity.x, 1.0f);
    EXPECT_EQ(world.GetBody(0).staticObject, MOTION_DORMANT) << "an impulse not applied wakes nobody";

    // Velocities so large that the exchange overflows.
    CPhysicsWorld fast;
    a = Circle(1.9f, 0, 1, 1e30f, MOTION_DORMANT);
    b = Circle(0, 0, 1, 1e-30f, MOTION_DORMANT);
    a.velocity = {-3e38f, 0};
    b.velocity = {3e38f, 0};
    fast.AddBody(a);
    fast.AddBody(b);
    fast.Step(0.05f);
    EXPECT_TRUE(AllFinite(fast.GetBody(0)));
    EXPECT_TRUE(AllFinite(fast.GetBody(1)));
}

TEST(BadInput, NaNOrNegativeStepLengthsMoveNothing) {
    for (float dt : {theNaN, -0.05f, -theInfinity}) {
        CPhysicsWorld world;
        RigidBody b = Circle(0, 0, 0.5f);
        b.velocity = {1, 1};
        world.AddBody(b);
        world.Step(dt);
        EXPECT_EQ(world.GetBody(0).position.x, 0.0f) << dt;
        EXPECT_TRUE(AllFinite(world.GetBody(0))) << dt;
    }
    CPhysicsWorld a;
    CPhysicsWorld b;
    a.AddBody(Circle(0, 0, 0.5f));
    b.AddBody(Circle(0, 0, 0.5f));
    a.Step(theInfinity);
    b.Step(0.05f);
    EXPECT_TRUE(SameBits(a.GetBody(0), b.GetBody(0))) << "an endless step counts as 50 ms";
}

TEST(BadInput, RestTestLeavesOutBodiesWithNonFiniteVelocity) {
    CPhysicsWorld world;
    world.AddBody(Circle(0, 0, 1));
    RigidBody broken = Circle(5, 0, 1);
    broken.velocity = {theNaN, 0};
    world.AddBody(broken);
    EXPECT_TRUE(world.IsAtRest());
    world.GetBody(0).velocity = {2, 0};
    EXPECT_FALSE(world.IsAtRest());
}

TEST(BadInput, A100000BodyWorldStepsInBoundedTime) {
    {
        // Spread over a large walled room.
        CPhysicsWorld world;
        AddWalls(world, -400, -200, 400, 200);
        for (int k = 0; k < 100000; ++k)
            world.AddBody(Circle(-390.0f + 2.5f * static_cast<float>(k % 300),
                                 -190.0f + 1.2f * static_cast<float>(k / 300), 0.5f));
        for (int s = 0; s < 3; ++s) world.Step(0.05f);
        for (unsigned i = 0; i < world.GetBodyCount(); i += 997) EXPECT_TRUE(AllFinite(world.GetBody(i)));
    }
    {
        // All on one spot, overlapping deeply: the search budgets end detection, and say so.
        CPhysicsWorld world;
        for (int k = 0; k < 100000; ++k) world.AddBody(Circle(0, 0, 1));
        world.Step(0.05f);
        EXPECT_EQ(world.GetContactCount(), 0u);
        EXPECT_TRUE(world.IsDetectionCut());
    }
    {
        // All on one spot, all touching: the contact capacity and the visit limit end the step.
        CPhysicsWorld world;
        for (int k = 0; k < 100000; ++k) world.AddBody(Circle(0, 0, 0));
        world.Step(0.05f);
        EXPECT_EQ(world.GetContactCount(), CPhysicsWorld::CONTACT_CAPACITY);
        EXPECT_EQ(world.GetVisitCount(), CPhysicsWorld::VISIT_LIMIT);
    }
}

TEST(Model, LoadingReplacesTheBodiesAndTheirListeners) {
    testsupport::CTempDir dir;
    testsupport::WriteFile("model.xml",
                           "<PhysicsModel>\n"
                           "<RigidBody initId=\"1\" shape=\"0\" >\n<Radius x=\"0.5\" y=\"0\" />\n</RigidBody>\n"
                           "<Comment text=\"not a body\" />\n"
                           "<RigidBody initId=\"2\" shape=\"1\" >\n<Radius x=\"1\" y=\"2\" />\n</RigidBody>\n"
                           "</PhysicsModel>\n");
    CRecordingFactory factory;
    CPhysicsWorld world;
    world.SetListenerFactory(&factory);
    ASSERT_TRUE(tarn::XmlLoad(world, "model.xml"));
    ASSERT_EQ(world.GetBodyCount(), 2u);
    EXPECT_EQ(world.GetBody(0).initId, 1);
    EXPECT_EQ(world.GetBody(1).initId, 2);
    EXPECT_EQ(world.GetBody(1).extent.y, 2.0f);
    EXPECT_TRUE(factory.myLog.calls.empty()) << "new listeners hear nothing before a step";

    ASSERT_TRUE(tarn::XmlLoad(world, "model.xml"));
    EXPECT_EQ(factory.myLog.calls, (std::vector<std::string>{"D0", "D1"}));
    world.Step(0.0f);
    EXPECT_EQ(factory.myLog.calls[2], "U2 0 0 0 0.5 0 0 0");
    EXPECT_EQ(factory.myLog.calls[3], "I2 0");
    EXPECT_EQ(factory.myLog.calls[5], "I3 1");

    testsupport::WriteFile("empty.xml", "<PhysicsModel>\n</PhysicsModel>\n");
    ASSERT_TRUE(tarn::XmlLoad(world, "empty.xml"));
    EXPECT_EQ(world.GetBodyCount(), 0u);
    EXPECT_EQ(factory.myLog.calls.back(), "D3");
}

TEST(Model, AMissingFileLoadsNothingAndKeepsTheBodies) {
    testsupport::CTempDir dir;
    CPhysicsWorld world;
    world.AddBody(Circle(0, 0, 1));
    EXPECT_FALSE(tarn::XmlLoad(world, "no such file.xml"));
    EXPECT_EQ(world.GetBodyCount(), 1u);
}

TEST(BadInput, AMoveThatWouldOverflowLeavesTheBodyWhereItIs) {
    CPhysicsWorld world;
    RigidBody runaway = Circle(3e38f, -3e38f, 1, 1, MOTION_DORMANT);
    runaway.velocity = {3e38f, -3e38f};
    runaway.angularVelocity = 3e38f;
    runaway.orientation = 3e38f;
    world.AddBody(runaway);
    for (int s = 0; s < 5; ++s) world.Step(0.05f);
    EXPECT_TRUE(AllFinite(world.GetBody(0)));
    EXPECT_GE(world.GetBody(0).position.x, 3e38f) << "it moves while it can";
}

TEST(Sleep, ASleepingWorldMovesNothingUntilABodyComesOrGoes) {
    CPhysicsWorld world;
    world.AddBody(Circle(0, 0, 1));
    world.AddBody(Circle(5, 0, 1));
    world.SetAsleep(true);
    for (int s = 0; s < 10; ++s) world.Step(0.05f);
    EXPECT_EQ(world.GetBody(0).position.y, 0.0f) << "no gravity while asleep";
    world.RemoveBody(1);
    EXPECT_FALSE(world.IsAsleep());
    world.Step(0.05f);
    EXPECT_GT(world.GetBody(0).position.y, 0.0f);
    world.SetAsleep(true);
    world.AddBody(Circle(5, 0, 1));
    EXPECT_FALSE(world.IsAsleep());
    world.SetAsleep(true);
    world.RemoveAllBodies();
    EXPECT_FALSE(world.IsAsleep());
}
