// The game's physics handle: steps in milliseconds and owns its world's listeners.
#include <gtest/gtest.h>

#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/irigidbodylistener.h"
#include "marbles/physics/irigidbodylistenerfactory.h"
#include "physicsscenes.h"

using namespace marbles;
using namespace physicsscenes;

namespace {

class CCountingListener : public IRigidBodyListener {
public:
    explicit CCountingListener(int* alive) : myAlive(alive) { ++*myAlive; }
    ~CCountingListener() override { --*myAlive; }
    void Update(float, float, float, float, float, std::int32_t, std::int32_t) override {}
    void SetIndex(unsigned index) override { myIndex = index; }
    unsigned myIndex = 12345;

private:
    int* myAlive;
};

class CCountingFactory : public IRigidBodyListenerFactory {
public:
    IRigidBodyListener* CreateListener() override { return new CCountingListener(&myAlive); }
    int myAlive = 0;
};

}  // namespace

TEST(PhysicsTask, StepsInMillisecondsAtMost50) {
    CPhysicsTask task;
    CPhysicsWorld reference;
    for (CPhysicsWorld* world : {task.GetWorld(), &reference}) {
        AddWalls(*world, -5, -5, 5, 5);
        world->AddBody(Circle(0, 0, 0.5f));
        world->AddBody(Box(1, 3, 1, 0.5f, 0.2f));
    }
    task.Step(50);
    task.Step(120);
    task.Step(20);
    reference.Step(0.05f);
    reference.Step(0.05f);
    reference.Step(0.02f);
    for (unsigned i = 0; i < reference.GetBodyCount(); ++i)
        EXPECT_TRUE(SameBits(task.GetWorld()->GetBody(i), reference.GetBody(i))) << i;
    EXPECT_TRUE(task.IsAtRest());
}

TEST(PhysicsTask, RemovalAndTeardownDeleteTheListeners) {
    CCountingFactory factory;
    {
        CPhysicsTask task;
        task.SetListenerFactory(&factory);
        for (int k = 0; k < 3; ++k) task.GetWorld()->AddBody(Circle(3.0f * k, 0, 1));
        EXPECT_EQ(factory.myAlive, 3);
        auto* moved = static_cast<CCountingListener*>(task.GetWorld()->GetBody(2).listener);
        task.RemoveBody(0);
        task.RemoveBody(7);
        EXPECT_EQ(factory.myAlive, 2);
        EXPECT_EQ(moved->myIndex, 0u);
    }
    EXPECT_EQ(factory.myAlive, 0);
}

TEST(PhysicsTask, RestIsReckonedAgainAfterEveryChangeMadeThroughTheTask) {
    CPhysicsTask task;
    task.GetWorld()->AddBody(Circle(0, 0, 1));
    RigidBody fast = Circle(5, 0, 1);
    fast.velocity = {10, 0};
    task.GetWorld()->AddBody(fast);
    EXPECT_FALSE(task.IsAtRest());
    task.RemoveBody(1);
    EXPECT_TRUE(task.IsAtRest());
    task.GetWorld()->GetBody(0).velocity = {0, 20};
    EXPECT_TRUE(task.IsAtRest());  // remembered until the next change made through the task
    task.Step(50);
    EXPECT_FALSE(task.IsAtRest());
}
