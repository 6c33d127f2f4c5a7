// Tests of the game task against a hand-moved clock: title, help and the levels in list order,
// fixed-step physics, the end-of-level checks and pictures, restarts, and the progress written
// back to the level list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/rules/csettlewatch.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/platform/platform.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/iaudiooutput.h"
#include "tarn/utils/logger/clogger.h"

using namespace marbles;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

using CImpl = CMarblesTask::CMarblesTaskImpl;
using CUi = CMarblesInGameUi;

std::string Circle(int color, float x, float y, bool dynamic = false) {
    return std::string("<RigidBody shape='0' staticObject='") + (dynamic ? "0' inverseMass='1'" : "1' inverseMass='0'") +
           " color='" + std::to_string(color) + "'><Radius x='1' y='1'/><Position x='" + std::to_string(x) +
           "' y='" + std::to_string(y) + "'/><Velocity x='0' y='0'/></RigidBody>\n";
}

std::string Level(const std::string& bodies) {
    return "<MarblesLevel>\n"
           "<Graphics background_image='data/gfx/levels/chapter1_level01.xml'><SpriteData>\n"
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
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
        // A list of 24 levels named as these tests expect; the first two are written here.
        std::string list = "<LevelList>\n";
        for (int k = 1; k <= 24; ++k)
            list += "<Level position='" + std::to_string(k) + "' filename='data/levels/level" + (k < 10 ? "0" : "") +
                    std::to_string(k) + ".xml'/>\n";
        WriteFile("data/level_list.xml", list + "</LevelList>\n");
        WriteFile("data/levels/level01.xml", WINNABLE);
        WriteFile("data/levels/level02.xml", HOPELESS);
        CMarbleSpriteTable::GetSingleton()->Clear();
        // The pointer outlives a test: away from the title's button, a click means "go on".
        tarn::CMouse::GetSingleton()->OnMouseMove(1, 1);
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
    // A click, and the game's next update, where the screen change it asked for happens.
    void Click(int button = 1) {
        tarn::CMouse::GetSingleton()->OnMouseDown(button);
        tarn::CMouse::GetSingleton()->OnMouseUp(button);
        if (myTask && Impl()) myTask->Update();
    }
    // A second and more of game time, one step per update, then the check: enough for a pile
    // that has stopped to count as settled.
    void Second() {
        for (unsigned i = 0; i <= CSettleWatch::WINDOW_STEPS; ++i) {
            myClock.Advance(50);
            myTask->Update();
        }
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
    EXPECT_EQ(Marbles(), 3u) << "removed at the next update, outside the click";
    myTask->Update();
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
    myTask->Update();
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

TEST_F(MarblesTask, AnUnreadableLevelListIsSaidOnTheTitleNeverJudgedAndNeverOverwritten) {
    // Cut off, empty, random bytes, no levels, deleted, a directory: the title says so and
    // where the log is; going on leads back to the title, never to a level-complete picture.
    const std::string where = tarn::platform::GetWorkingDirectory();
    const std::string notice =
        "The level list cannot be read:\ndata/level_list.xml\nSee the log: " + where + "/log.txt";
    const char* const damaged[] = {"<LevelList><Level position=", "", "\x8f\x01<\xfe>\x13", "<LevelList></LevelList>"};
    for (int round = 0; round < 6; ++round) {
        std::filesystem::remove("data/level_list.xml");
        if (round < 4) WriteFile("data/level_list.xml", damaged[round]);
        if (round == 5) std::filesystem::create_directory("data/level_list.xml");
        Start();
        EXPECT_EQ(Screen()->GetTexts().back(), notice) << round;
        for (int click = 0; click < 4; ++click) {
            Click();
            Second();
            EXPECT_NE(State(), CUi::STATE_NONE) << round;
            EXPECT_FALSE(State() == CUi::STATE_HELP_OR_COMPLETE && !Screen()->IsHelpShown()) << round;
        }
        myTask.reset();
        EXPECT_EQ(std::filesystem::exists("data/level_list.xml"), round != 4) << round;
        EXPECT_EQ(ReadFile("data/level_list.xml"), round < 4 ? damaged[round] : "") << round;
        EXPECT_EQ(Count(Log(), "Level complite"), 0) << round;
    }
}

TEST_F(MarblesTask, AnUnreadablePlayersListIsReplacedByTheShippedOneAndAFailedSaveIsSaidOnce) {
    // The player's list unreadable: the shipped list is played, the player's file never written.
    std::filesystem::create_directory("player");
    WriteFile("player/level_list.xml", "\x01junk");
    {
        CImpl game("player/level_list.xml");
        EXPECT_EQ(game.GetScreen()->GetTexts().back().substr(0, 30), "The level list cannot be read:");
        EXPECT_EQ(game.GetLevelList().GetEntryCount(), 25u);
    }
    EXPECT_EQ(ReadFile("player/level_list.xml"), "\x01junk");
    // A list that cannot be written: the first failed save of a run is said on the won
    // level's picture, later ones are not.
    WriteFile("player/level_list.xml", ReadFile("data/level_list.xml"));
    WriteFile("data/levels/level02.xml", WINNABLE);
    Start();
    std::filesystem::rename("data/level_list.xml", "data/level_list.xml.kept");
    std::filesystem::create_directories("data/level_list.xml/in_the_way");
    Click();
    Click();
    for (int level = 1; level <= 2; ++level) {
        Second();
        RemoveAllThree();
        Second();
        Second();
        ASSERT_EQ(State(), CUi::STATE_HELP_OR_COMPLETE) << level;
        const std::vector<std::string> texts = Screen()->GetTexts();
        // The attempt's result, and the notice of the first failed save after it.
        EXPECT_EQ(texts.size(), level == 1 ? 2u : 1u) << level;
        if (level == 1) {
            EXPECT_EQ(texts[1], "Your progress could not be saved.\nSee the log: " +
                                    tarn::platform::GetWorkingDirectory() + "/log.txt");
        }
        Click();
    }
    EXPECT_EQ(Count(Log(), "Could not write the level list: data/level_list.xml"), 2);
}

namespace {

// Stands in for the audio task: keeps every call the game makes, written as the console line
// that does the same, and every console line marked as such.
class CRecordingAudio : public tarn::CTask, public tarn::IAudioOutput {
public:
    bool Start() override { return true; }
    void Update() override {}
    void OnStop() override {}
    bool ExecuteCommand(const std::string& line) override {
        theLines.push_back("console: " + line);
        return true;
    }
    void PlayMusic(const std::string& file) override { theLines.push_back("PlayMusic( \"" + file + "\" )"); }
    void PlayEffect(const std::string& file) override { theLines.push_back("PlayEffect( \"" + file + "\" )"); }
    void SetMusicVolume(float volume) override { theLines.push_back("SetMusicVolume( " + std::to_string(volume) + " )"); }
    void SetEffectsVolume(float volume) override {
        theLines.push_back("SetEffectsVolume( " + std::to_string(volume) + " )");
    }
    static std::vector<std::string> theLines;
};

std::vector<std::string> CRecordingAudio::theLines;
tarn::CTaskRegistrar<CRecordingAudio> theRecordingAudio("recordingaudio");

// Every field of two bodies, bit for bit; the listener belongs to the world, not the pile.
bool SameBits(const RigidBody& a, const RigidBody& b) {
    RigidBody left = a;
    RigidBody right = b;
    left.listener = nullptr;
    right.listener = nullptr;
    return std::memcmp(&left, &right, sizeof(RigidBody)) == 0;
}

}  // namespace

TEST_F(MarblesTask, UndoRestoresThePileBitForBitStepByStepAndTheHudAndSoundsFollow) {
    // Two chains and a falling marble that keeps the pile moving.
    WriteFile("data/levels/level01.xml", Level(Circle(0, 0, 5) + Circle(0, 2, 5) + Circle(0, 4, 5) + Circle(1, 0, 8) +
                                               Circle(1, 2, 8) + Circle(1, 4, 8) + Circle(0, 9, -20, true)));
    Start();
    Click();
    Click();
    Second();
    ASSERT_EQ(Marbles(), 7u);
    EXPECT_EQ(Impl()->GetHud().GetStatus(), "Level 1/24  Marbles 7  Undo 0  Moves 0  Time 0:01");
    // The hint lights one chain of one type.
    ASSERT_TRUE(Impl()->Hint());
    std::vector<int> lit;
    for (CMarble* marble : *CMarbleRegistry::GetSingleton())
        if (marble->IsHighlightShown()) lit.push_back(marble->GetType());
    EXPECT_EQ(lit.size(), 3u);
    EXPECT_EQ(std::count(lit.begin(), lit.end(), lit.front()), 3);
    EXPECT_EQ(Impl()->GetHud().GetMessage(), "Hint: the marbles with a dashed rim");
    std::vector<std::vector<RigidBody>> piles;
    for (int type = 0; type < 2; ++type) {
        std::vector<CMarble*> chain;
        for (CMarble* marble : *CMarbleRegistry::GetSingleton())
            if (marble->GetType() == type && marble->GetPosition().y > 0 && chain.size() < 3) chain.push_back(marble);
        ASSERT_EQ(chain.size(), 3u);
        Impl()->GetLogic().OnMarbleClicked(chain[0]);
        myTask->Update();
        Impl()->GetLogic().OnMarbleClicked(chain[1]);
        myTask->Update();
        const CPhysicsWorld& world = *Impl()->GetWorld();
        piles.emplace_back();
        for (unsigned i = 0; i < world.GetBodyCount(); ++i) piles.back().push_back(world.GetBody(i));
        Impl()->GetLogic().OnMarbleClicked(chain[2]);
        Second();
        Second();
    }
    EXPECT_EQ(Impl()->GetUndoCount(), 2u);
    EXPECT_EQ(Impl()->GetHud().GetStatus(), "Level 1/24  Marbles 1  Undo 2  Moves 2  Time 0:06");
    for (int step = 1; step >= 0; --step) {
        EXPECT_TRUE(myTask->ExecuteCommand("Undo"));
        const CPhysicsWorld& world = *Impl()->GetWorld();
        ASSERT_EQ(world.GetBodyCount(), piles[step].size()) << "step " << step;
        for (unsigned i = 0; i < world.GetBodyCount(); ++i)
            EXPECT_TRUE(SameBits(world.GetBody(i), piles[step][i])) << "step " << step << " body " << i;
        Second();
    }
    EXPECT_EQ(Impl()->GetUndoCount(), 0u);
    EXPECT_EQ(Impl()->GetAttempt().GetMoves(), 2u) << "an undo takes no move back";
    EXPECT_EQ(Marbles(), 7u);
    EXPECT_FALSE(Impl()->Undo());
    const std::string log = Log();
    EXPECT_EQ(Count(log, "Sound effect: data/sound/click.wav"), 4) << log;
    EXPECT_EQ(Count(log, "Sound effect: data/sound/pop.wav"), 2) << log;
}

TEST_F(MarblesTask, ALossIsTakenBackByUndoAndRefusalsAreSaidOnScreen) {
    // One chain; once it is cleared the two marbles left can never be.
    WriteFile("data/levels/level01.xml",
              Level(Circle(0, 0, 5) + Circle(0, 2, 5) + Circle(0, 4, 5) + Circle(1, 0, 8) + Circle(1, 8, 8)));
    Start();
    Click();
    Click();
    Second();
    EXPECT_FALSE(Impl()->Undo());
    EXPECT_EQ(Impl()->GetHud().GetMessage(), "Nothing to undo");
    for (CMarble* marble : std::vector<CMarble*>(CMarbleRegistry::GetSingleton()->begin(), CMarbleRegistry::GetSingleton()->end())) {
        if (marble->GetType() != 0) continue;
        Impl()->GetLogic().OnMarbleClicked(marble);
        myTask->Update();
    }
    for (int i = 0; i < 20 && State() != CUi::STATE_LOST; ++i) Second();
    ASSERT_EQ(State(), CUi::STATE_LOST);
    EXPECT_TRUE(Impl()->Undo());
    EXPECT_EQ(State(), CUi::STATE_NONE);
    Second();
    EXPECT_EQ(Marbles(), 5u);
    EXPECT_EQ(State(), CUi::STATE_NONE) << "the pile is judged again from the start";
}

TEST_F(MarblesTask, PauseStopsPhysicsAndChecksHintSaysWhenThereIsNoChainAndBackLeadsToTheTitle) {
    WriteFile("data/levels/level01.xml", Level(Circle(0, 0, -100, true)));
    Start();
    myTask->ExecuteCommand("Pause");  // nothing to pause on the title
    EXPECT_FALSE(Impl()->IsPaused());
    Click();
    Click();
    Second();
    myTask->ExecuteCommand("Pause");
    ASSERT_TRUE(Impl()->IsPaused());
    EXPECT_TRUE(Impl()->GetHud().IsPausedShown());
    const float y = Impl()->GetWorld()->GetBody(0).position.y;
    for (int i = 0; i < 8; ++i) Second();
    EXPECT_EQ(Impl()->GetWorld()->GetBody(0).position.y, y);
    EXPECT_EQ(State(), CUi::STATE_NONE);  // a lonely marble would be lost by now
    myTask->ExecuteCommand("Hint");
    EXPECT_EQ(Impl()->GetHud().GetMessage(), "");  // no hints while paused
    myTask->ExecuteCommand("Pause");
    EXPECT_FALSE(Impl()->GetHud().IsPausedShown());
    Second();
    EXPECT_NE(Impl()->GetWorld()->GetBody(0).position.y, y);
    myTask->ExecuteCommand("Hint");
    EXPECT_EQ(Impl()->GetHud().GetMessage(), "No chain to clear");
    myTask->ExecuteCommand("Mute");
    EXPECT_TRUE(Impl()->IsMuted());
    EXPECT_EQ(Impl()->GetHud().GetMessage(), "Sound off");
    myTask->ExecuteCommand("Back");
    EXPECT_EQ(State(), CUi::STATE_NONE);  // the change waits for the update
    myTask->Update();
    EXPECT_EQ(State(), CUi::STATE_TITLE);
    EXPECT_EQ(Impl()->GetWorld()->GetBodyCount(), 0u);
}

TEST_F(MarblesTask, LevelSelectLocksLevelsAfterTheFirstOpenAndPlayContinuesThere) {
    std::string list = "<LevelList>\n";
    for (int i = 1; i <= 4; ++i)
        list += "<Level position='" + std::to_string(i) + "' filename='data/levels/level0" + std::to_string(i) +
                ".xml' completed='" + (i == 2 ? "1" : "0") + "'/>\n";
    WriteFile("data/level_list.xml", list + "</LevelList>\n");
    Start();
    const CLevelList& levels = Impl()->GetLevelList();
    struct {
        int position;
        CUi::ETile tile;
    } const cases[] = {{1, CUi::ETile::OPEN}, {2, CUi::ETile::COMPLETED}, {3, CUi::ETile::LOCKED}, {4, CUi::ETile::LOCKED}};
    for (const auto& c : cases) EXPECT_EQ(CUi::TileOf(levels, c.position), c.tile) << c.position;
    myTask->ExecuteCommand("LevelSelect");
    myTask->Update();
    ASSERT_EQ(State(), CUi::STATE_LEVEL_SELECT);
    const std::vector<std::string> texts = Screen()->GetTexts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[1], "1\nplay");
    EXPECT_EQ(texts[2], "2\ndone");
    EXPECT_EQ(texts[3], "3\nlocked");
    const auto clickAt = [this](const tarn::CRect& rect) {
        tarn::CMouse::GetSingleton()->OnMouseMove(rect.x + 5, rect.y + 5);
        Click();
    };
    clickAt(CUi::TileRect(3));
    EXPECT_EQ(State(), CUi::STATE_LEVEL_SELECT);
    EXPECT_EQ(Screen()->GetTexts().back(), "Win level 1 first") << "a locked tile answers";
    clickAt(CUi::TileRect(2));
    EXPECT_EQ(State(), CUi::STATE_NONE);
    EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level02.xml");
    // Back to the title; through the help screen play continues at the first open level.
    myTask->ExecuteCommand("Back");
    myTask->Update();
    clickAt(tarn::CRect(10, 10, 1, 1));
    EXPECT_TRUE(Screen()->IsHelpShown());
    Click();
    EXPECT_EQ(Impl()->GetLevelFile(), "data/levels/level01.xml");
    // Winning it writes the list at once.
    Second();
    RemoveAllThree();
    Second();
    Second();
    ASSERT_EQ(State(), CUi::STATE_HELP_OR_COMPLETE);
    myTask->ExecuteCommand("Reset");  // the won level is behind: nothing to restart
    EXPECT_EQ(State(), CUi::STATE_HELP_OR_COMPLETE);
    EXPECT_NE(ReadFile("data/level_list.xml").find("completed=\"1\" filename=\"data/levels/level01.xml\""),
              std::string::npos);
    EXPECT_NE(Log().find("Sound effect: data/sound/level_complete.wav"), std::string::npos);
}

TEST_F(MarblesTask, TheLevelSelectMakesOnlyTheTilesOnTheScreen) {
    // 999 levels, the most a list holds, and one more that no list may hold.
    std::string list = "<LevelList>\n";
    for (int i = 1; i <= 1000; ++i)
        list += "<Level position='" + std::to_string(i) + "' filename='data/levels/level01.xml'/>\n";
    WriteFile("data/level_list.xml", list + "</LevelList>\n");
    Start();
    EXPECT_EQ(Impl()->GetLevelList().GetEntryCount(), 1000u);
    myTask->ExecuteCommand("LevelSelect");
    myTask->Update();
    ASSERT_EQ(State(), CUi::STATE_LEVEL_SELECT);
    // Four chapters of twelve fit (three shipped ones and the player's own levels), each under
    // its name.
    EXPECT_EQ(CUi::MAX_TILES, 48);
    EXPECT_EQ(Screen()->GetTexts().size(), 1u + 48u);
    EXPECT_EQ(Screen()->GetChapterTexts(),
              (std::vector<std::string>{"Chapter 1", "Chapter 2", "Chapter 3", "Chapter 4"}));
    for (std::int32_t chapter = 1; chapter <= 4; ++chapter) {
        const tarn::CRect strip = CUi::ChapterRect(chapter);
        const std::int32_t first = (chapter - 1) * 12 + 1;
        EXPECT_LE(strip.y + strip.h, CUi::TileRect(first).y) << chapter;
        EXPECT_GT(CUi::TileRect(first + 11).y, CUi::TileRect(first).y + CUi::TileRect(first).h) << "two rows of six";
        if (chapter > 1) {
            EXPECT_GE(strip.y, CUi::TileRect(first - 1).y + CUi::TileRect(first - 1).h) << chapter;
        }
    }
    EXPECT_LE(CUi::TileRect(48).y + CUi::TileRect(48).h, 480);
}

TEST_F(MarblesTask, TheLevelOptionStartsThereAndTheTitleButtonOpensTheLevelSelect) {
    CImpl::COptions options;
    options.myStartLevel = 2;
    options.mySound = false;
    {
        CImpl game("data/level_list.xml", options);
        game.Update();
        EXPECT_EQ(game.GetLevelFile(), "data/levels/level02.xml");
    }
    Start();
    const tarn::CRect button = CUi::LevelsButtonRect();
    tarn::CMouse::GetSingleton()->OnMouseMove(button.x + 2, button.y + 2);
    Click();
    EXPECT_EQ(State(), CUi::STATE_LEVEL_SELECT);
    EXPECT_EQ(Log().find("Sound effect"), std::string::npos);
}

TEST_F(MarblesTask, MusicVolumesMuteAndEffectsReachTheAudioTaskThroughItsInterface) {
    CRecordingAudio::theLines.clear();
    ASSERT_TRUE(tarn::CTaskFactory::GetSingleton()->StartTask("recordingaudio", "audio", 30, nullptr));
    tarn::CKernel::GetSingleton()->GetConsole()->Execute("music_volume = 40", false);
    Start();
    myTask->Update();
    const std::vector<std::string> started = {"PlayMusic( \"data/sound/music.wav\" )", "SetMusicVolume( 0.400000 )",
                                              "SetEffectsVolume( 1.000000 )"};
    EXPECT_EQ(CRecordingAudio::theLines, started);
    CRecordingAudio::theLines.clear();
    tarn::CKernel::GetSingleton()->GetConsole()->Execute("effects_volume = 25", false);
    myTask->Update();
    myTask->ExecuteCommand("Mute");
    Click();
    Click();
    Second();
    ASSERT_EQ(Marbles(), 3u) << State() << " " << Impl()->GetLevelFile();
    myTask->ExecuteCommand("Mute");
    Impl()->GetLogic().OnMarbleClicked(CMarbleRegistry::GetSingleton()->Get(0));
    myTask->Update();
    const std::vector<std::string> later = {"SetMusicVolume( 0.400000 )", "SetEffectsVolume( 0.250000 )",
                                            "SetMusicVolume( 0.000000 )", "SetEffectsVolume( 0.000000 )",
                                            "SetMusicVolume( 0.400000 )", "SetEffectsVolume( 0.250000 )",
                                            "PlayEffect( \"data/sound/click.wav\" )"};
    EXPECT_EQ(CRecordingAudio::theLines, later);
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
