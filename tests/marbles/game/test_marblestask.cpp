// Tests of the game task against a hand-moved clock: title, help and the levels in list order,
// fixed-step physics, the end-of-level checks and pictures, restarts, and the progress written
// back to the level list.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/logger/clogger.h"

using namespace marbles;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

using CImpl = CMarblesTask::CMarblesTaskImpl;
using CUi = CImpl::CMarblesInGameUi;

std::string Circle(int color, float x, float y, bool dynamic = false) {
    return std::string("<RigidBody shape='0' staticObject='") + (dynamic ? "0' inverseMass='1'" : "1' inverseMass='0'") +
           " color='" + std::to_string(color) + "'><Radius x='1' y='1'/><Position x='" + std::to_string(x) +
           "' y='" + std::to_string(y) + "'/><Velocity x='0' y='0'/></RigidBody>\n";
}

std::string Level(const std::string& bodies) {
    return "<MarblesLevel>\n"
           "<Graphics background_image='data/gfx/levels/level01.xml'><SpriteData>\n"
           "<Sprite marble_type='0' sprite_file='data/gfx/marbles/marble0.xml'/>\n"
           "<Sprite marble_type='1' sprite_file='data/gfx/marbles/marble1.xml'/>\n"
           "</SpriteData></Graphics>\n"
           "<PhysicsModel>\n" +
           bodies + "</PhysicsModel></MarblesLevel>\n";
}

// Three touching marbles of one type: removable at once.
const std::string WINNABLE = Level(Circle(0, 0, 5) + Circle(0, 2, 5) + Circle(0, 4, 5));
// Two marbles of different types: never a chain, lost at the fifth check.
const std::string HOPELESS = Level(Circle(0, 0, 5) + Circle(1, 2, 5));

class MarblesTask : public ::testing::Test {
protected:
    void SetUp() override {
        // A fresh log: the previous test's display, closed after its TearDown, may have
        // started one that this test would otherwise continue without a header.
        testsupport::ResetEngine();
        tarn::CLogger::DeleteSingleton();
        ASSERT_TRUE(myDisplay.IsOpen());
        std::filesystem::copy(std::string(MARBLES_SOURCE_DIR) + "/game/data", "data",
                              std::filesystem::copy_options::recursive);
        WriteFile("data/levels/level01.xml", WINNABLE);
        WriteFile("data/levels/level02.xml", HOPELESS);
        CMarbleSpriteTable::GetSingleton()->Clear();
    }
    void TearDown() override {
        myTask.reset();
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::ResetEngine();
    }

    void Start() {
        myTask = std::make_unique<CMarblesTask>();
        ASSERT_TRUE(myTask->Start());
        ASSERT_NE(Impl(), nullptr);
    }
    CImpl* Impl() const { return myTask->GetImpl(); }
    CUi* Screen() const { return Impl()->GetScreen(); }
    int State() const { return Screen()->GetState(); }
    static void Click(int button = 1) {
        tarn::CMouse::GetSingleton()->OnMouseDown(button);
        tarn::CMouse::GetSingleton()->OnMouseUp(button);
    }
    // A second of wall-clock time: one physics step, then the check.
    void Second() {
        myClock.Advance(1001);
        myTask->Update();
        myTask->Update();
    }
    unsigned Marbles() const { return CMarbleRegistry::GetSingleton()->GetCount(); }
    void RemoveAllThree() {
        CMarbleRegistry* registry = CMarbleRegistry::GetSingleton();
        CMarble* marbles[] = {registry->Get(0), registry->Get(1), registry->Get(2)};
        for (CMarble* marble : marbles) Impl()->GetLogic().OnMarbleClicked(marble);
    }
    std::string Log() {
        tarn::CLogger::DeleteSingleton();
        return testsupport::LogBody();
    }
    static int Count(const std::string& text, const std::string& what) {
        int n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{100000};
    testsupport::CGfxDisplay myDisplay{640, 480};
    std::unique_ptr<CMarblesTask> myTask;
};

}  // namespace

TEST_F(MarblesTask, TheTaskFactoryKnowsTheGameAndCommandsNeedARunningGame) {
    EXPECT_TRUE(tarn::CTaskFactory::GetSingleton()->HasTaskType("game"));
    CMarblesTask task;
    EXPECT_TRUE(task.PauseWhenInactive());
    EXPECT_FALSE(task.ExecuteCommand("Reset"));
}

TEST_F(MarblesTask, TitleHelpLevelsCompleteAndLostAndTheProgressIsWrittenBack) {
    Start();
    EXPECT_EQ(State(), CUi::STATE_TITLE);
    ASSERT_NE(Screen()->GetSprite(CUi::PICTURE), nullptr);
    EXPECT_EQ(Screen()->GetSprite(CUi::PICTURE)->GetRect().w, 640);
    // The empty world on the title screen is never judged.
    for (int i = 0; i < 3; ++i) Second();
    Click(4);  // only the left button counts
    EXPECT_EQ(State(), CUi::STATE_TITLE);
    Click();
    EXPECT_EQ(State(), CUi::STATE_HELP_OR_COMPLETE);
    Second();
    Click();
    // Level 1: the screen is replaced, the level loaded, its marbles appear at the first step.
    EXPECT_EQ(State(), CUi::STATE_NONE);
    EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level01.xml");
    EXPECT_EQ(Impl()->GetLevelList().GetPosition(), 1);
    EXPECT_EQ(Screen()->GetSprite(CUi::BACKGROUND)->GetRect().w, 640);
    EXPECT_EQ(Marbles(), 0u);
    myTask->Update();  // not judged before the first step, although a second has passed
    EXPECT_EQ(State(), CUi::STATE_NONE);
    Second();
    EXPECT_EQ(Marbles(), 3u);
    RemoveAllThree();
    EXPECT_EQ(Marbles(), 0u);
    EXPECT_EQ(State(), CUi::STATE_NONE);
    Second();
    EXPECT_EQ(State(), CUi::STATE_HELP_OR_COMPLETE);
    // Once judged, further checks change nothing.
    Second();
    Second();
    EXPECT_EQ(State(), CUi::STATE_HELP_OR_COMPLETE);
    Click();
    // Level 2 cannot be won: lost at the fifth check after settling.
    EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level02.xml");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(State(), CUi::STATE_NONE) << "check " << i;
        Second();
    }
    EXPECT_EQ(State(), CUi::STATE_LOST);
    Click();
    // The same level again.
    EXPECT_EQ(State(), CUi::STATE_NONE);
    EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level02.xml");
    EXPECT_EQ(Impl()->GetLevelList().GetPosition(), 2);
    Second();
    EXPECT_EQ(Marbles(), 2u);
    myTask->OnStop();
    EXPECT_EQ(myTask->GetImpl(), nullptr);

    const std::string list = ReadFile("data/level_list.xml");
    // Entry 0 (left through the help screen) and level 1 are completed; the rest keep theirs.
    EXPECT_NE(list.find("completed=\"1\" filename=\"\" position=\"0\""), std::string::npos) << list;
    EXPECT_NE(list.find("completed=\"1\" filename=\"data/levels/level01.xml\" position=\"1\""), std::string::npos)
        << list;
    EXPECT_NE(list.find("completed=\"0\" filename=\"data/levels/level02.xml\" position=\"2\""), std::string::npos)
        << list;
    EXPECT_NE(list.find("completed=\"0\" filename=\"data/levels/level08.xml\" position=\"8\""), std::string::npos)
        << list;
    const std::string log = Log();
    EXPECT_EQ(Count(log, "Level complite"), 1) << log;
    EXPECT_EQ(Count(log, "Level lost"), 1) << log;
    EXPECT_EQ(Count(log, "Loading level: data/levels/level02.xml"), 2) << log;
}

TEST_F(MarblesTask, ThePhysicsStepsOnceEveryThirdUpdateOfATenMillisecondLoop) {
    WriteFile("data/levels/level01.xml", Level(Circle(0, 0, -100, true)));
    Start();
    Click();
    Click();
    ASSERT_EQ(Impl()->GetLevelFile(), "data/levels/level01.xml");
    const CPhysicsWorld& world = *Impl()->GetWorld();
    myClock.Advance(100);
    myTask->Update();  // the first step after the load
    std::string moved;
    for (int i = 1; i <= 9; ++i) {
        const float before = world.GetBody(0).position.y;
        myClock.Advance(10);
        myTask->Update();
        moved += world.GetBody(0).position.y != before ? 'x' : '.';
    }
    EXPECT_EQ(moved, "..x..x..x");
}

TEST_F(MarblesTask, ResetReloadsTheLevelAndOtherCommandsListTheBodies) {
    Start();
    Click();
    Click();
    Second();
    ASSERT_EQ(Marbles(), 3u);
    Impl()->GetLogic().OnMarbleClicked(CMarbleRegistry::GetSingleton()->Get(0));
    ASSERT_EQ(Impl()->GetLogic().GetSelection().size(), 1u);
    EXPECT_TRUE(myTask->ExecuteCommand("reset"));  // not the command: lists the bodies
    EXPECT_EQ(Impl()->GetLogic().GetSelection().size(), 1u);
    Impl()->GetLogic().OnMarbleClicked(CMarbleRegistry::GetSingleton()->Get(1));
    Impl()->GetLogic().OnMarbleClicked(CMarbleRegistry::GetSingleton()->Get(2));
    ASSERT_EQ(Marbles(), 0u);
    EXPECT_TRUE(myTask->ExecuteCommand("Reset"));
    EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level01.xml");
    EXPECT_TRUE(Impl()->GetLogic().GetSelection().empty());
    EXPECT_EQ(Impl()->GetWorld()->GetBodyCount(), 3u);
    Second();
    EXPECT_EQ(Marbles(), 3u);
    EXPECT_EQ(State(), CUi::STATE_NONE);
    const std::string log = Log();
    EXPECT_NE(log.find("2\t0\n"), std::string::npos) << log;
    EXPECT_EQ(Count(log, "Loading level: data/levels/level01.xml"), 2) << log;
}

TEST_F(MarblesTask, AnUnreadableLevelListStartsEmptyIsJudgedCompleteAndIsNotOverwritten) {
    WriteFile("data/level_list.xml", "<LevelList><Level position=");
    Start();
    Click();
    Click();
    EXPECT_EQ(Impl()->GetLevelFile(), "");
    EXPECT_EQ(Impl()->GetWorld()->GetBodyCount(), 0u);
    Second();
    Second();
    EXPECT_EQ(State(), CUi::STATE_HELP_OR_COMPLETE);
    Click();
    EXPECT_EQ(State(), CUi::STATE_NONE);
    myTask.reset();
    EXPECT_EQ(ReadFile("data/level_list.xml"), "<LevelList><Level position=");
}

TEST_F(MarblesTask, ALevelThatFailsToLoadIsReportedSkippedAndNeverCompleted) {
    // Cut short, emptied, random bytes, deleted: each is said on screen and in the log (with
    // where reading stopped), and a click goes on to the next level without marking it.
    const std::string whole = ReadFile("data/levels/level01.xml");
    const std::string damaged[] = {whole.substr(0, whole.size() / 2), "", std::string("\x8f\x01<\xfe>\x13", 6)};
    for (int round = 0; round < 4; ++round) {
        if (round < 3) {
            WriteFile("data/levels/level01.xml", damaged[round]);
        } else {
            std::filesystem::remove("data/levels/level01.xml");
        }
        Start();
        Click();
        Click();
        EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level01.xml");
        EXPECT_EQ(State(), CUi::STATE_LOAD_FAILED) << round;
        ASSERT_NE(Screen()->GetSprite(CUi::PICTURE), nullptr);
        // Never judged, however long it waits.
        for (int i = 0; i < 6; ++i) Second();
        EXPECT_EQ(State(), CUi::STATE_LOAD_FAILED) << round;
        Click();
        EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level02.xml") << round;
        EXPECT_EQ(State(), CUi::STATE_NONE) << round;
        myTask.reset();
        const std::string list = ReadFile("data/level_list.xml");
        EXPECT_NE(list.find("completed=\"0\" filename=\"data/levels/level01.xml\" position=\"1\""), std::string::npos)
            << round << list;
        const std::string log = Log();
        EXPECT_EQ(Count(log, "Could not read the level: data/levels/level01.xml, "), 1) << round << log;
        EXPECT_EQ(Count(log, "Level complite"), 0) << round << log;
        const char* const where[] = {"level01.xml, line ", "level01.xml, line 1: the document holds no element",
                                     "level01.xml, line 1: text outside", "level01.xml, the file cannot be opened"};
        EXPECT_NE(log.find(where[round]), std::string::npos) << log;
        testsupport::ResetEngine();
    }
}
