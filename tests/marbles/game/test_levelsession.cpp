// Tests of the level session alone: loading, the fixed-step clock, the clicks noticed between
// updates, undo, hints and the verdict on a cleared pile.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "marbles/game/clevelsession.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/rules/csettlewatch.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"

using namespace marbles;
using EClick = CLevelSession::EClick;

namespace {

std::string Circle(int color, float x) {
    return "<RigidBody shape='0' staticObject='1' inverseMass='0' color='" + std::to_string(color) +
           "'><Radius x='1' y='1'/><Position x='" + std::to_string(x) +
           "' y='5'/><Velocity x='0' y='0'/></RigidBody>\n";
}

class LevelSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::WriteFile("level.xml",
                               "<MarblesLevel><Graphics><SpriteData>"
                               "<Sprite marble_type='0' sprite_file='data/gfx/marbles/marble0.xml'/>"
                               "<Sprite marble_type='1' sprite_file='data/gfx/marbles/marble1.xml'/>"
                               "</SpriteData></Graphics><PhysicsModel>" +
                                   Circle(0, 0) + Circle(0, 2) + Circle(0, 4) + Circle(1, 9) +
                                   "</PhysicsModel></MarblesLevel>");
    }
    void TearDown() override {
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::ResetEngine();
    }
    // One due step; the marbles register at the first.
    void Step() {
        myClock.Advance(CLevelSession::STEP_LENGTH);
        ASSERT_TRUE(mySession.StepIfDue());
    }
    void Click(unsigned index) { mySession.GetLogic().OnMarbleClicked(CMarbleRegistry::GetSingleton()->Get(index)); }
    // An update's order: removals, what the clicks did, then the pile kept for the next one.
    EClick Update() {
        mySession.GetLogic().ApplyPendingRemovals();
        const EClick click = mySession.NoticeClicks();
        mySession.KeepPile();
        return click;
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{100000};
    testsupport::CGfxDisplay myDisplay{640, 480};
    CLevelSession mySession;
};

}  // namespace

TEST_F(LevelSession, StepsComeOnTimeClicksAreNoticedAndUndoRestoresThePile) {
    CLevelFile::CGraphics graphics;
    bool hasGraphics = true;
    EXPECT_NE(mySession.Load("missing.xml", graphics, hasGraphics), "");
    EXPECT_EQ(mySession.GetWorld().GetBodyCount(), 0u);
    ASSERT_EQ(mySession.Load("level.xml", graphics, hasGraphics), "");
    EXPECT_TRUE(hasGraphics);
    EXPECT_FALSE(mySession.HasStepped());
    Step();
    myClock.Advance(29);  // game time runs 1.7 times faster: the next step is due after 30 ms
    EXPECT_FALSE(mySession.StepIfDue());
    myClock.Advance(1);
    EXPECT_TRUE(mySession.StepIfDue());
    ASSERT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 4u);
    EXPECT_EQ(Update(), EClick::NONE);
    Click(0);
    EXPECT_EQ(Update(), EClick::SELECTED);
    Click(1);
    EXPECT_EQ(Update(), EClick::SELECTED);  // two selected: the pile is kept for the third
    Click(2);
    EXPECT_EQ(Update(), EClick::REMOVED);
    EXPECT_EQ(mySession.GetWorld().GetBodyCount(), 1u);
    EXPECT_EQ(mySession.GetUndoCount(), 1u);
    EXPECT_TRUE(mySession.Undo());
    EXPECT_EQ(mySession.GetWorld().GetBodyCount(), 4u);
    EXPECT_EQ(mySession.GetWorld().GetBody(1).position.x, 2.0f);
    EXPECT_FALSE(mySession.Undo());
    Step();
    EXPECT_TRUE(mySession.Hint());
    EXPECT_TRUE(CMarbleRegistry::GetSingleton()->Get(0)->IsHighlightShown());
    EXPECT_FALSE(CMarbleRegistry::GetSingleton()->Get(3)->IsHighlightShown());
    mySession.Clear();
    EXPECT_EQ(mySession.GetWorld().GetBodyCount(), 0u);
    EXPECT_EQ(mySession.GetStepCount(), 0u);
}

TEST_F(LevelSession, AClearedPileIsJudgedCompleteOnceSettledAndNotBefore) {
    testsupport::WriteFile("three.xml", "<MarblesLevel><PhysicsModel>" + Circle(0, 0) + Circle(0, 2) + Circle(0, 4) +
                                            "</PhysicsModel></MarblesLevel>");
    CLevelFile::CGraphics graphics;
    bool hasGraphics = false;
    CMarbleSpriteTable::GetSingleton()->AddSpriteFile(0, "data/gfx/marbles/marble0.xml");
    ASSERT_EQ(mySession.Load("three.xml", graphics, hasGraphics), "");
    Step();
    mySession.Judge();
    EXPECT_FALSE(mySession.GetRules().IsCompleteFired());  // not settled yet
    for (unsigned i = 0; i < 3; ++i) Click(i);
    Update();
    for (unsigned i = 0; i <= CSettleWatch::WINDOW_STEPS; ++i) Step();
    myClock.Advance(1000);
    mySession.Judge();
    EXPECT_TRUE(mySession.GetRules().IsCompleteFired());
}
