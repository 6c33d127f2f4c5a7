// The marble record: taking its type from the first update of a circle body, joining and
// leaving the registry, following its body, and the highlight switch.
#include <gtest/gtest.h>

#include "marblesfixtures.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarblefactory.h"
#include "marbles/physics/physicsscenes.h"

using namespace marbles;
using namespace marblesfixtures;

TEST(Marble, OnlyTypedCircleBodiesJoinTheRegistry) {
    CMarbleRegistry* registry = CMarbleRegistry::GetSingleton();
    ASSERT_TRUE(registry->IsEmpty());
    CMarble box;
    box.Update(1, 2, 0, 3, 4, SHAPE_BOX, 5);
    CMarble untyped;
    untyped.Update(1, 2, 0, 0.5f, 0.5f, SHAPE_CIRCLE, -1);
    EXPECT_EQ(box.GetType(), -1);
    EXPECT_EQ(untyped.GetType(), -1);
    EXPECT_TRUE(registry->IsEmpty());
    {
        auto first = MakeMarble(3, 0, 0);
        auto second = MakeMarble(1, 5, 0);
        // Later updates never register a marble twice.
        MoveMarble(*first, 1, 1);
        ASSERT_EQ(registry->GetCount(), 2u);
        EXPECT_EQ(registry->Get(0), first.get());
        EXPECT_EQ(registry->Get(1), second.get());
        first.reset();
        ASSERT_EQ(registry->GetCount(), 1u);
        EXPECT_EQ(registry->Get(0), second.get());
    }
    EXPECT_TRUE(registry->IsEmpty());
}

class CMoveCounter : public CMarble {
public:
    int myMoves = 0;

protected:
    void OnMoved() override { ++myMoves; }
};

TEST(Marble, KeepsItsPlaceWhenThePositionIsUnchanged) {
    CMoveCounter marble;
    // The first update places the marble, even at the origin; then only changes move it.
    marble.Update(0, 0, 0, 0.5f, 0.5f, SHAPE_CIRCLE, 0);
    EXPECT_EQ(marble.myMoves, 1);
    EXPECT_EQ(marble.GetRadius(), 0.5f);
    marble.Update(0, 0, 0, 0.5f, 0.5f, SHAPE_CIRCLE, 0);
    EXPECT_EQ(marble.myMoves, 1);
    marble.Update(1, 2, 0, 0.75f, 0.75f, SHAPE_CIRCLE, 0);
    EXPECT_EQ(marble.myMoves, 2);
    EXPECT_EQ(marble.GetRadius(), 0.75f);
    marble.Update(1, 2, 0, 2.0f, 2.0f, SHAPE_CIRCLE, 0);
    EXPECT_EQ(marble.myMoves, 2);
    EXPECT_EQ(marble.GetRadius(), 0.75f);
    EXPECT_EQ(marble.GetPosition().x, 1.0f);
    EXPECT_EQ(marble.GetPosition().y, 2.0f);
}

TEST(Marble, HighlightSwitchesOnlyOnChange) {
    auto marble = MakeMarble(0, 1, 1);
    marble->SetHighlight(false);
    EXPECT_EQ(marble->myHighlightChanges, 0);
    marble->SetSelected(true);
    marble->SetHighlight(true);
    EXPECT_EQ(marble->myHighlightChanges, 1);
    EXPECT_TRUE(marble->IsHighlightShown());
    marble->SetSelected(false);
    EXPECT_EQ(marble->myHighlightChanges, 2);
    EXPECT_FALSE(marble->IsSelected());
}

TEST(Marble, FollowsItsBodyThroughStepsAndRemovals) {
    CMarbleFactory factory;
    CPhysicsWorld world;
    world.SetListenerFactory(&factory);
    world.AddBody(physicsscenes::Wall(0, 5, 10, 1));
    for (int k = 0; k < 3; ++k) {
        RigidBody body = physicsscenes::Circle(-3.0f + 3.0f * k, 0, 0.5f);
        body.color = k;
        world.AddBody(body);
    }
    EXPECT_TRUE(CMarbleRegistry::GetSingleton()->IsEmpty());
    world.Step(0.05f);
    ASSERT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 3u);
    for (unsigned i = 1; i < 4; ++i) {
        EXPECT_EQ(MarbleOf(world, i)->GetIndex(), i);
        EXPECT_EQ(MarbleOf(world, i)->GetType(), static_cast<int>(i) - 1);
        EXPECT_EQ(MarbleOf(world, i)->GetPosition().y, world.GetBody(i).position.y);
        EXPECT_EQ(MarbleOf(world, i)->GetRadius(), 0.5f);
    }
    EXPECT_EQ(MarbleOf(world, 0)->GetType(), -1);
    world.RemoveBody(1);
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 2u);
    EXPECT_EQ(MarbleOf(world, 1)->GetIndex(), 1u);
    EXPECT_EQ(MarbleOf(world, 1)->GetType(), 2);
    world.RemoveAllBodies();
    EXPECT_TRUE(CMarbleRegistry::GetSingleton()->IsEmpty());
}
