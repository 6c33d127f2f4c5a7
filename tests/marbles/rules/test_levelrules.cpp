// The end-of-level checks: complete when no marble is left, lost at the fifth consecutive check
// without a chain of three, each signal once per level, checks paced by the clock and the rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "marblesfixtures.h"
#include "marbles/rules/clevelrules.h"
#include "support/testsupport.h"
#include "tarn/utils/logger/clogger.h"

using namespace marbles;
using namespace marblesfixtures;

namespace {

class CScreenProbe {
public:
    void LevelComplete() { ++myComplete; }
    void LevelLost() { ++myLost; }
    int myComplete = 0;
    int myLost = 0;
};

class LevelRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        myRules.GetLevelCompleteSignal().Connect(&myScreen, &CScreenProbe::LevelComplete);
        myRules.GetLevelLostSignal().Connect(&myScreen, &CScreenProbe::LevelLost);
    }
    void TearDown() override { testsupport::ResetEngine(); }
    void Check(int times) {
        for (int k = 0; k < times; ++k) myRules.CheckLevelState();
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{5000};
    CLevelRules myRules;
    CScreenProbe myScreen;
};

}  // namespace

TEST_F(LevelRulesTest, NoMarbleLeftCompletesTheLevelOnce) {
    Check(3);
    EXPECT_EQ(myScreen.myComplete, 1);
    EXPECT_EQ(myScreen.myLost, 0);
    myRules.Reset();
    Check(1);
    EXPECT_EQ(myScreen.myComplete, 2);
    tarn::CLogger::DeleteSingleton();
    EXPECT_EQ(testsupport::LogBody(), "( ) Level complite\n( ) Level complite\n");
}

TEST_F(LevelRulesTest, LostAtTheFifthConsecutiveCheckWithoutAChain) {
    auto a = MakeMarble(0, 1, 1);
    auto b = MakeMarble(0, 2, 1);
    auto c = MakeMarble(1, 3, 1);
    Check(4);
    EXPECT_EQ(myScreen.myLost, 0);
    EXPECT_EQ(myRules.GetFailedChecks(), 4);
    Check(1);
    EXPECT_EQ(myScreen.myLost, 1);
    Check(10);
    EXPECT_EQ(myScreen.myLost, 1);
    EXPECT_EQ(myScreen.myComplete, 0);
    tarn::CLogger::DeleteSingleton();
    EXPECT_EQ(testsupport::LogBody(), "( ) Level lost\n");
}

TEST_F(LevelRulesTest, AChainFormingInBetweenRestartsTheCount) {
    auto a = MakeMarble(2, 1, 1);
    auto b = MakeMarble(2, 2, 1);
    auto c = MakeMarble(2, 8, 1);
    Check(4);
    MoveMarble(*c, 3, 1);
    Check(1);
    EXPECT_EQ(myRules.GetFailedChecks(), 0);
    MoveMarble(*c, 8, 1);
    Check(4);
    EXPECT_EQ(myScreen.myLost, 0);
    Check(1);
    EXPECT_EQ(myScreen.myLost, 1);
}

TEST_F(LevelRulesTest, ResetLetsEachSignalFireAgain) {
    auto a = MakeMarble(0, 1, 1);
    Check(5);
    EXPECT_EQ(myScreen.myLost, 1);
    myRules.Reset();
    Check(4);
    EXPECT_EQ(myScreen.myLost, 1);
    Check(1);
    EXPECT_EQ(myScreen.myLost, 2);
}

TEST_F(LevelRulesTest, MarblesOfUnknownTypesKeepTheLevelOpenButNeverChain) {
    auto a = MakeMarble(11, 1, 1);
    auto b = MakeMarble(11, 2, 1);
    auto c = MakeMarble(11, 3, 1);
    auto d = MakeMarble(-5, 4, 1);
    Check(5);
    EXPECT_EQ(myScreen.myComplete, 0);
    EXPECT_EQ(myScreen.myLost, 1);
}

TEST_F(LevelRulesTest, ChecksRunOncePerSecondAndOnlyAtRest) {
    auto a = MakeMarble(0, 1, 1);
    myClock.Advance(1000);
    EXPECT_FALSE(myRules.Update(true));
    myClock.Advance(1);
    EXPECT_FALSE(myRules.Update(false));
    myClock.Advance(3000);
    // The timer was not restarted while the world moved: the check follows as soon as it rests.
    EXPECT_TRUE(myRules.Update(true));
    EXPECT_FALSE(myRules.Update(true));
    for (int second = 0; second < 3; ++second) {
        myClock.Advance(1001);
        EXPECT_TRUE(myRules.Update(true));
    }
    EXPECT_EQ(myScreen.myLost, 0);
    myClock.Advance(500);
    EXPECT_FALSE(myRules.Update(true));
    myClock.Advance(501);
    EXPECT_TRUE(myRules.Update(true));
    EXPECT_EQ(myScreen.myLost, 1);
}

TEST(RemovableGroup, KnownAnswers) {
    struct Case {
        const char* what;
        std::vector<std::array<float, 3>> marbles;  // type, x, y; radius 0.5
        std::int32_t low, high;
        bool expected;
    };
    const Case cases[] = {
        {"a straight chain", {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}}, 0, 0, true},
        {"chain listed middle last", {{0, 1, 1}, {0, 3, 1}, {0, 2, 1}}, 0, 0, true},
        {"two and one far away", {{0, 1, 1}, {0, 2, 1}, {0, 6, 1}}, 0, 0, false},
        {"three of mixed types", {{0, 1, 1}, {1, 2, 1}, {0, 3, 1}}, 0, 1, false},
        // The player's reach is 2.5 radii = 1.25: what the player cannot select is no chain.
        {"just within the player's reach", {{4, 1, 1}, {4, 2.24f, 1}, {4, 3.48f, 1}}, 4, 4, true},
        {"just beyond the player's reach", {{4, 1, 1}, {4, 2.26f, 1}, {4, 3.52f, 1}}, 4, 4, false},
        {"type outside the range asked", {{3, 1, 1}, {3, 2, 1}, {3, 3, 1}}, 0, 2, false},
        {"empty range", {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}}, 10, 0, false},
        {"a triangle", {{7, 1, 1}, {7, 2, 1}, {7, 1.5f, 1.8f}}, 7, 7, true},
    };
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<CProbeMarble>> marbles;
        for (const auto& m : c.marbles) marbles.push_back(MakeMarble(static_cast<std::int32_t>(m[0]), m[1], m[2]));
        EXPECT_EQ(CLevelRules::HasRemovableGroup(c.low, c.high), c.expected) << c.what;
    }
}

TEST_F(LevelRulesTest, AChainFormingLateIsNotJudgedLost) {
    // Two greens lie still; a third rolls slowly towards them over twelve seconds. The checks
    // wait for the pile to settle, so the level is never judged lost on the way.
    auto a = MakeMarble(3, 0, 1);
    auto b = MakeMarble(3, 1, 1);
    auto c = MakeMarble(3, 8, 1);
    int checks = 0;
    for (int step = 0; step < 400; ++step) {
        const float x = std::max(2.0f, 8.0f - 0.025f * static_cast<float>(step));
        MoveMarble(*c, x, 1);
        myRules.ObservePile();
        myClock.Advance(50);
        if (myRules.Update(myRules.IsPileSettled())) ++checks;
    }
    EXPECT_GT(checks, 0) << "the settled pile is checked";
    EXPECT_EQ(myScreen.myLost, 0);
    EXPECT_EQ(myRules.GetFailedChecks(), 0);
    // The same marble stopping out of reach is lost once the pile has settled.
    myRules.Reset();
    MoveMarble(*c, 6, 1);
    for (int step = 0; step < 200; ++step) {
        myRules.ObservePile();
        myClock.Advance(50);
        myRules.Update(myRules.IsPileSettled());
    }
    EXPECT_EQ(myScreen.myLost, 1);
}
