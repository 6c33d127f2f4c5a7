// Tests of watching a level's solution after losing it twice: offered on the lost picture,
// played at a player's pace without its last move, and given up at the player's own click.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/utils/logger/clogger.h"

using namespace marbles;
using testsupport::WriteFile;

namespace {

using CUi = CMarblesInGameUi;

// Six marbles of one type in a row that never move: the outer threes win, the middle three
// leave two groups too small to clear.
std::string RowLevel() {
    std::string bodies;
    for (int k = 0; k < 6; ++k)
        bodies += "<RigidBody shape='0' staticObject='1' inverseMass='0' color='0' initId='" + std::to_string(101 + k) +
                  "'><Radius x='1' y='1'/><Position x='" + std::to_string(2 * k) +
                  "' y='5'/><Velocity x='0' y='0'/></RigidBody>\n";
    return "<MarblesLevel><Graphics background_image='data/gfx/levels/chapter1_level01.xml'><SpriteData>\n"
           "<Sprite marble_type='0' sprite_file='data/gfx/marbles/marble0.xml'/></SpriteData></Graphics>\n"
           "<PhysicsModel>\n" + bodies + "</PhysicsModel></MarblesLevel>\n";
}

class WatchSolution : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        tarn::CLogger::DeleteSingleton();
        ASSERT_TRUE(myDisplay.IsOpen());
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
        WriteFile("data/level_list.xml", "<LevelList><Level position='1' filename='data/levels/row.xml'/></LevelList>\n");
        WriteFile("data/levels/row.xml", RowLevel());
        WriteFile("data/levels/row.solution", "click 1 101\nclick 1 102\nclick 1 103\nclick 30 104\nclick 30 105\nclick 30 106\n");
        CMarbleSpriteTable::GetSingleton()->Clear();
        tarn::CMouse::GetSingleton()->OnMouseMove(1, 1);
        myTask = std::make_unique<CMarblesTask>();
        ASSERT_TRUE(myTask->Start());
        Impl()->RequestLevel(1);
        myTask->Update();
    }
    void TearDown() override {
        myTask.reset();
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::ResetEngine();
    }
    CMarblesTask::CMarblesTaskImpl* Impl() const { return myTask->GetImpl(); }
    int State() const { return Impl()->GetScreen()->GetState(); }
    // Steps, each followed by an update without one, where the game judges a settled pile.
    void Run(unsigned steps) {
        for (unsigned k = 0; k < steps; ++k) {
            myClock.Advance(50);
            myTask->Update();
            myTask->Update();
        }
    }
    // Clears the middle three and waits for the verdict.
    void Lose() {
        Run(2);
        std::vector<CMarble*> middle;
        for (CMarble* marble : *CMarbleRegistry::GetSingleton())
            if (marble->GetPosition().x > 1.0f && marble->GetPosition().x < 7.0f) middle.push_back(marble);
        ASSERT_EQ(middle.size(), 3u);
        for (CMarble* marble : middle) Impl()->GetLogic().OnMarbleClicked(marble);
        for (unsigned k = 0; k < 400 && State() != CUi::STATE_LOST; ++k) Run(1);
        ASSERT_EQ(State(), CUi::STATE_LOST);
    }
    bool Offered() const {
        for (const std::string& text : Impl()->GetScreen()->GetTexts())
            if (text == "or press W to watch the solution") return true;
        return false;
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{100000};
    testsupport::CGfxDisplay myDisplay{640, 480};
    std::unique_ptr<CMarblesTask> myTask;
};

}  // namespace

TEST_F(WatchSolution, OfferedAfterTheSecondLossPlaysAllButTheLastMoveAndAClickTakesOver) {
    ASSERT_NO_FATAL_FAILURE(Lose());
    EXPECT_FALSE(Offered());
    EXPECT_FALSE(Impl()->WatchSolution()) << "one loss is not enough";
    Impl()->Reset();
    ASSERT_NO_FATAL_FAILURE(Lose());
    EXPECT_TRUE(Offered());
    EXPECT_TRUE(myTask->ExecuteCommand("Watch"));
    ASSERT_EQ(State(), CUi::STATE_NONE);
    EXPECT_TRUE(Impl()->IsWatchingSolution());
    // The first move's clicks come a player's pause after the settle, and apart.
    Run(CReplay::WATCH_MOVE_PAUSE / 2);
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 6u) << "nothing clicked at once";
    Run(CReplay::WATCH_MOVE_PAUSE + 3 * CReplay::WATCH_CLICK_PAUSE);
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 3u);
    EXPECT_FALSE(Impl()->IsWatchingSolution()) << "the last chain is the player's";
    Run(200);
    EXPECT_EQ(State(), CUi::STATE_NONE) << "neither won nor lost by the replay";
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 3u);

    // Lost twice more, watched again: a press of the player's own stops it before any click.
    Impl()->Reset();
    ASSERT_NO_FATAL_FAILURE(Lose());
    Impl()->Reset();
    ASSERT_NO_FATAL_FAILURE(Lose());
    ASSERT_TRUE(Impl()->WatchSolution());
    Run(2);
    tarn::CEventDispatcher::GetSingleton()->NotifyMouseMove(1, 1);
    tarn::CEventDispatcher::GetSingleton()->NotifyMouseDown(1);
    tarn::CEventDispatcher::GetSingleton()->NotifyMouseUp(1);
    Run(3 * CReplay::WATCH_MOVE_PAUSE);
    EXPECT_FALSE(Impl()->IsWatchingSolution());
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 6u);
    tarn::CLogger::DeleteSingleton();
    EXPECT_NE(testsupport::LogBody().find("The player took over from the solution"), std::string::npos);
}
