// The player's selection: chains of touching same-type marbles, deselection and restarts,
// and the removal of a chain of three through a real physics world.
#include <gtest/gtest.h>

#include <set>

#include "marblesfixtures.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/physicsscenes.h"
#include "marbles/rules/cmarblefactory.h"
#include "marbles/rules/cmarbleslogic.h"
#include "support/testsupport.h"

using namespace marbles;
using namespace marblesfixtures;

namespace {

// A logic whose physics holds no body: removals would be refused, so selections stay visible.
class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override { myLogic.SetPhysics(&myPhysics); }
    std::vector<CMarble*> Selection() const { return myLogic.GetSelection(); }

    CPhysicsTask myPhysics;
    CMarblesLogic myLogic;
};

// A real world with a floor and marbles of given types and x positions resting on it.
class RemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        myPhysics.SetListenerFactory(&myFactory);
        myLogic.SetPhysics(&myPhysics);
        World().AddBody(physicsscenes::Wall(0, 1, 20, 0.5f));
    }
    CPhysicsWorld& World() { return *myPhysics.GetWorld(); }
    void AddMarble(std::int32_t type, float x, std::int32_t id) {
        RigidBody body = physicsscenes::Circle(x, 0, 0.5f);
        body.color = type;
        body.initId = id;
        World().AddBody(body);
    }
    // The marble whose body has this initId.
    CMarble* Marble(std::int32_t id) {
        for (unsigned i = 0; i < World().GetBodyCount(); ++i)
            if (World().GetBody(i).initId == id) return MarbleOf(World(), i);
        return nullptr;
    }
    std::set<std::int32_t> Ids() {
        std::set<std::int32_t> ids;
        for (unsigned i = 0; i < World().GetBodyCount(); ++i) ids.insert(World().GetBody(i).initId);
        return ids;
    }
    void ExpectMarblesKnowTheirIndices() {
        for (unsigned i = 0; i < World().GetBodyCount(); ++i) EXPECT_EQ(MarbleOf(World(), i)->GetIndex(), i);
    }

    CMarbleFactory myFactory;
    CPhysicsTask myPhysics;
    CMarblesLogic myLogic;
};

}  // namespace

TEST_F(SelectionTest, SameMarbleTwiceSelectsAndDeselects) {
    auto red = MakeMarble(0, 1, 1);
    auto green = MakeMarble(1, 9, 9);
    myLogic.OnMarbleClicked(red.get());
    EXPECT_TRUE(red->IsSelected());
    EXPECT_TRUE(red->IsHighlightShown());
    myLogic.OnMarbleClicked(red.get());
    EXPECT_FALSE(red->IsSelected());
    EXPECT_FALSE(red->IsHighlightShown());
    EXPECT_TRUE(Selection().empty());
    // The selected type stays, but an empty selection accepts any marble.
    EXPECT_EQ(myLogic.GetSelectedType(), 0);
    EXPECT_TRUE(myLogic.CanSelect(green.get()));
    myLogic.OnMarbleClicked(green.get());
    EXPECT_EQ(Selection(), std::vector<CMarble*>{green.get()});
    EXPECT_EQ(myLogic.GetSelectedType(), 1);
}

TEST_F(SelectionTest, AnotherTypeDropsTheSelectionAndStartsANewOne) {
    auto a = MakeMarble(0, 1, 1);
    auto b = MakeMarble(0, 2, 1);
    auto other = MakeMarble(1, 3, 1);
    myLogic.OnMarbleClicked(a.get());
    myLogic.OnMarbleClicked(b.get());
    ASSERT_EQ(Selection().size(), 2u);
    EXPECT_FALSE(myLogic.CanSelect(other.get()));
    myLogic.OnMarbleClicked(other.get());
    EXPECT_EQ(Selection(), std::vector<CMarble*>{other.get()});
    for (CMarble* dropped : {a.get(), b.get()}) {
        EXPECT_FALSE(dropped->IsSelected());
        EXPECT_FALSE(dropped->IsHighlightShown());
    }
    EXPECT_TRUE(other->IsSelected());
    EXPECT_EQ(myLogic.GetSelectedType(), 1);
}

TEST_F(SelectionTest, AMarbleOutOfReachStartsANewSelection) {
    auto a = MakeMarble(2, 1, 1);
    auto far = MakeMarble(2, 5, 1);
    myLogic.OnMarbleClicked(a.get());
    myLogic.OnMarbleClicked(far.get());
    EXPECT_EQ(Selection(), std::vector<CMarble*>{far.get()});
    EXPECT_FALSE(a->IsHighlightShown());
}

TEST_F(SelectionTest, ReachIsTwoAndAHalfRadiiOfTheCandidateExclusive) {
    auto seed = MakeMarble(0, 1, 1, 0.1f);
    auto inside = MakeMarble(0, 2.2f, 1, 0.5f);
    auto border = MakeMarble(0, 1, 2.25f, 0.5f);
    auto big = MakeMarble(0, 3.5f, 1, 1.0f);
    auto diagonal = MakeMarble(0, 1.75f, 2.0f, 0.5f);
    myLogic.OnMarbleClicked(seed.get());
    // The candidate's radius decides: 1.2 < 1.25, 1.25 is not below 1.25, 2.5 reaches 2.5 only
    // with a radius of more than 1.
    EXPECT_TRUE(myLogic.CanSelect(inside.get()));
    EXPECT_FALSE(myLogic.CanSelect(border.get()));
    EXPECT_FALSE(myLogic.CanSelect(big.get()));
    // Squared distance 0.75² + 1² = 1.5625 = 1.25²: out of reach.
    EXPECT_FALSE(myLogic.CanSelect(diagonal.get()));
    EXPECT_TRUE(myLogic.CanSelect(seed.get()));
}

TEST_F(SelectionTest, DeselectingMovesTheLastIntoTheFreedSlot) {
    auto a = MakeMarble(0, 1, 1);
    auto b = MakeMarble(0, 2, 1);
    myLogic.OnMarbleClicked(a.get());
    myLogic.OnMarbleClicked(b.get());
    myLogic.OnMarbleClicked(a.get());
    EXPECT_EQ(Selection(), std::vector<CMarble*>{b.get()});
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
}

TEST_F(SelectionTest, ClearSelectionKeepsHighlightsAndType) {
    auto a = MakeMarble(3, 1, 1);
    myLogic.OnMarbleClicked(a.get());
    myLogic.ClearSelection();
    EXPECT_TRUE(Selection().empty());
    EXPECT_TRUE(a->IsHighlightShown());
    EXPECT_EQ(myLogic.GetSelectedType(), 3);
}

TEST_F(SelectionTest, ADestroyedSelectedMarbleLeavesTheSelection) {
    auto a = MakeMarble(0, 1, 1);
    auto b = MakeMarble(0, 2, 1);
    auto c = MakeMarble(0, 3, 1);
    myLogic.OnMarbleClicked(a.get());
    myLogic.OnMarbleClicked(b.get());
    a.reset();
    EXPECT_EQ(Selection(), std::vector<CMarble*>{b.get()});
    myLogic.OnMarbleClicked(c.get());
    EXPECT_EQ(Selection().size(), 2u);
}

TEST_F(SelectionTest, NullMarbleOrMissingPhysicsIsIgnored) {
    testsupport::CExpectedAssertions broken;
    auto a = MakeMarble(0, 1, 1);
    myLogic.OnMarbleClicked(nullptr);
    EXPECT_TRUE(Selection().empty());
    CMarblesLogic unattached;
    unattached.OnMarbleClicked(a.get());
    EXPECT_TRUE(unattached.GetSelection().empty());
    EXPECT_FALSE(a->IsSelected());
    EXPECT_EQ(broken.GetCount(), broken.Expected(2));
}

TEST_F(RemovalTest, TheThirdOfAChainRemovesAllThreeBodies) {
    // 1 and 2 touch, 3 touches only 2; 4 is of another type, 5 is out of reach.
    AddMarble(0, -2, 1);
    AddMarble(0, -1, 2);
    AddMarble(0, 0, 3);
    AddMarble(1, 1, 4);
    AddMarble(0, 4, 5);
    myPhysics.Step(50);
    ASSERT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 5u);
    myLogic.OnMarbleClicked(Marble(1));
    myLogic.OnMarbleClicked(Marble(2));
    EXPECT_EQ(World().GetBodyCount(), 6u);
    myLogic.OnMarbleClicked(Marble(3));
    // Queued, not removed, during the click: the selection is free for the next one.
    EXPECT_EQ(World().GetBodyCount(), 6u);
    EXPECT_TRUE(myLogic.GetSelection().empty());
    myLogic.OnMarbleClicked(Marble(1));
    EXPECT_TRUE(myLogic.GetSelection().empty()) << "a queued marble takes no click";
    myLogic.ApplyPendingRemovals();
    EXPECT_EQ(Ids(), (std::set<std::int32_t>{0, 4, 5}));
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 2u);
    EXPECT_TRUE(myLogic.GetSelection().empty());
    EXPECT_EQ(myLogic.GetSelectedType(), -1);
    ExpectMarblesKnowTheirIndices();
    // The next click starts afresh.
    myLogic.OnMarbleClicked(Marble(5));
    EXPECT_EQ(myLogic.GetSelection(), std::vector<CMarble*>{Marble(5)});
}

TEST_F(RemovalTest, RemovalFollowsBodiesMovedIntoFreedSlots) {
    // Removing marble 1 moves marble 3, still selected, from slot 3 into slot 1 before its own
    // removal.
    AddMarble(0, -1, 1);
    AddMarble(0, 0, 2);
    AddMarble(0, 1, 3);
    AddMarble(1, 6, 7);
    myPhysics.Step(50);
    for (std::int32_t id : {2, 1, 3}) myLogic.OnMarbleClicked(Marble(id));
    myLogic.ApplyPendingRemovals();
    EXPECT_EQ(Ids(), (std::set<std::int32_t>{0, 7}));
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 1u);
    ExpectMarblesKnowTheirIndices();
}

TEST_F(RemovalTest, AMarbleWithoutItsBodyRemovesNothingElse) {
    AddMarble(0, -1, 1);
    AddMarble(0, 0, 2);
    myPhysics.Step(50);
    // A marble that follows no body of this world claims index 1.
    auto stray = MakeMarble(0, 1, 0.5f);
    stray->SetIndex(1);
    myLogic.OnMarbleClicked(Marble(1));
    myLogic.OnMarbleClicked(Marble(2));
    myLogic.OnMarbleClicked(stray.get());
    myLogic.ApplyPendingRemovals();
    EXPECT_EQ(Ids(), (std::set<std::int32_t>{0}));
    EXPECT_FALSE(myLogic.HasPendingRemovals());
    EXPECT_TRUE(CMarbleRegistry::GetSingleton()->Contains(stray.get()));
}
