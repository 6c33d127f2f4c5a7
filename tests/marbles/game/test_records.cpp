// Tests of the player's records: the fewest moves and shortest time of a won level, kept in
// the level list where builds without records read past them, carried through the merge of a
// newly shipped list, counted by the game without paused time, and shown after a win and on
// the level-select tiles.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "marbles/game/cattempt.h"
#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/level/clevellist.h"
#include "marbles/level/levellistsync.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/rules/csettlewatch.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/inputdevice/cmouse.h"

using namespace marbles;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

std::string List(const std::string& levels) { return "<LevelList>\n" + levels + "</LevelList>\n"; }

class Records : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ResetEngine(); }
    void TearDown() override { testsupport::ResetEngine(); }
    testsupport::CTempDir myDir;
};

}  // namespace

TEST_F(Records, AreReadBesideTheProgressWrittenOnlyWhenSetAndOtherwiseIgnored) {
    struct Case {
        const char* attributes;
        std::uint32_t moves;
        std::uint32_t seconds;
    } const cases[] = {
        {"", 0, 0},
        {" best_moves='12' best_time='65'", 12, 65},
        {" best_time='7'", 0, 7},
        {" best_moves='-4' best_time='soon'", 0, 0},
    };
    for (const Case& c : cases) {
        WriteFile("list.xml", List(std::string("<Level position='1' filename='a.xml' completed='1'") + c.attributes +
                                   "/>\n<Level position='2' filename='b.xml'/>\n"));
        CLevelList list;
        ASSERT_TRUE(list.Load("list.xml")) << c.attributes;
        EXPECT_FALSE(list.IsDamaged()) << c.attributes;
        // The rest of the level reads as it always did.
        ASSERT_EQ(list.GetEntryCount(), 3u) << c.attributes;
        EXPECT_EQ(list.GetEntry(1).myFileName, "a.xml");
        EXPECT_TRUE(list.GetEntry(1).myCompleted) << c.attributes;
        EXPECT_EQ(list.GetEntry(1).myBestMoves, c.moves) << c.attributes;
        EXPECT_EQ(list.GetEntry(1).myBestSeconds, c.seconds) << c.attributes;
        EXPECT_EQ(list.GetEntry(2).myBestMoves + list.GetEntry(2).myBestSeconds, 0u);
    }
    // Written back: the records after the attributes every build knows, only where set.
    CLevelList list;
    ASSERT_TRUE(list.Load("list.xml"));
    list.RecordWin(1, 9, 42);
    ASSERT_TRUE(list.Save("list.xml"));
    EXPECT_EQ(ReadFile("list.xml"),
              "<LevelList>\n"
              "  <Level completed=\"0\" filename=\"\" position=\"0\" >\n  </Level>\n"
              "  <Level best_moves=\"9\" best_time=\"42\" completed=\"1\" filename=\"a.xml\" position=\"1\" >\n"
              "  </Level>\n"
              "  <Level completed=\"0\" filename=\"b.xml\" position=\"2\" >\n  </Level>\n"
              "</LevelList>\n");
}

TEST_F(Records, AWinKeepsTheBetterOfEachRecordAndSaysWhenOneWasBeaten) {
    struct Case {
        std::uint32_t oldMoves, oldSeconds, moves, seconds;
        std::uint32_t bestMoves, bestSeconds;
        bool first, newBest;
    } const cases[] = {
        {0, 0, 5, 30, 5, 30, true, false},    // the first win sets both
        {5, 30, 4, 40, 4, 30, false, true},   // fewer moves, slower
        {5, 30, 6, 20, 5, 20, false, true},   // faster, more moves
        {5, 30, 5, 30, 5, 30, false, false},  // a tie beats nothing
        {5, 30, 9, 99, 5, 30, false, false},
    };
    for (const Case& c : cases) {
        WriteFile("list.xml", List("<Level position='1' filename='a.xml' best_moves='" + std::to_string(c.oldMoves) +
                                   "' best_time='" + std::to_string(c.oldSeconds) + "'/>\n"));
        CLevelList list;
        ASSERT_TRUE(list.Load("list.xml"));
        const CRecordNews news = list.RecordWin(1, c.moves, c.seconds);
        const std::string what = std::to_string(c.moves) + " in " + std::to_string(c.seconds);
        EXPECT_EQ(list.GetEntry(1).myBestMoves, c.bestMoves) << what;
        EXPECT_EQ(list.GetEntry(1).myBestSeconds, c.bestSeconds) << what;
        EXPECT_EQ(news.myFirst, c.first) << what;
        EXPECT_EQ(news.IsNewBest(), c.newBest) << what;
    }
}

TEST_F(Records, SurviveTheMergeOfANewlyShippedList) {
    WriteFile("shipped.xml", List("<Level position='1' filename='a.xml'/>\n<Level position='2' filename='new.xml'/>\n"
                                  "<Level position='3' filename='b.xml' best_moves='3'/>\n"));
    WriteFile("player.xml",
              List("<Level position='1' filename='a.xml' completed='1' best_moves='7' best_time='80'/>\n"
                   "<Level position='2' filename='b.xml' completed='1' best_moves='5' best_time='9'/>\n"));
    ASSERT_TRUE(SyncLevelList("shipped.xml", "player.xml"));
    CLevelList merged;
    ASSERT_TRUE(merged.Load("player.xml"));
    ASSERT_EQ(merged.GetEntryCount(), 4u);
    const std::uint32_t expected[][2] = {{0, 0}, {7, 80}, {0, 0}, {3, 9}};
    for (unsigned i = 0; i < 4; ++i) {
        EXPECT_EQ(merged.GetEntry(i).myBestMoves, expected[i][0]) << i;
        EXPECT_EQ(merged.GetEntry(i).myBestSeconds, expected[i][1]) << i;
    }
    // A merge that changes only a record still writes it.
    WriteFile("player.xml", List("<Level position='1' filename='a.xml' completed='1'/>\n"
                                 "<Level position='2' filename='new.xml'/>\n"
                                 "<Level position='3' filename='b.xml' completed='1'/>\n"));
    ASSERT_TRUE(SyncLevelList("shipped.xml", "player.xml"));
    EXPECT_NE(ReadFile("player.xml").find("best_moves=\"3\" completed=\"1\" filename=\"b.xml\""), std::string::npos);
}

namespace {

using CImpl = CMarblesTask::CMarblesTaskImpl;
using CUi = CMarblesInGameUi;

// Three touching marbles of one type, removable at once.
const char* const WINNABLE =
    "<MarblesLevel><Graphics><SpriteData>"
    "<Sprite marble_type='0' sprite_file='data/gfx/marbles/marble0.xml'/></SpriteData></Graphics>"
    "<PhysicsModel>"
    "<RigidBody shape='0' staticObject='1' inverseMass='0' color='0'><Radius x='1' y='1'/><Position x='0' y='5'/>"
    "</RigidBody>"
    "<RigidBody shape='0' staticObject='1' inverseMass='0' color='0'><Radius x='1' y='1'/><Position x='2' y='5'/>"
    "</RigidBody>"
    "<RigidBody shape='0' staticObject='1' inverseMass='0' color='0'><Radius x='1' y='1'/><Position x='4' y='5'/>"
    "</RigidBody>"
    "</PhysicsModel></MarblesLevel>\n";

class RecordsInGame : public Records {
protected:
    void SetUp() override {
        Records::SetUp();
        ASSERT_TRUE(myDisplay.IsOpen());
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
        WriteFile("data/levels/level01.xml", WINNABLE);
        WriteFile("data/level_list.xml", List("<Level position='1' filename='data/levels/level01.xml'/>\n"));
        CMarbleSpriteTable::GetSingleton()->Clear();
        tarn::CMouse::GetSingleton()->OnMouseMove(1, 1);
        myGame = std::make_unique<CImpl>("data/level_list.xml");
    }
    void TearDown() override {
        myGame.reset();
        CMarbleSpriteTable::GetSingleton()->Clear();
        Records::TearDown();
    }
    // ms of wall-clock time: every 50 ms an update that steps and one that may judge.
    void Run(unsigned ms) {
        for (unsigned t = 0; t < ms; t += 50) {
            myClock.Advance(50);
            myGame->Update();
            myGame->Update();
        }
    }
    // Plays level 1 to its win: a wait of waitMs (paused for pausedMs of it), then the three
    // marbles clicked one update apart.
    void Win(unsigned waitMs, unsigned pausedMs = 0) {
        myGame->RequestLevel(1);
        Run(100);
        Run(waitMs - pausedMs);
        myGame->ExecuteCommand("Pause");
        Run(pausedMs);
        myGame->ExecuteCommand("Pause");
        for (unsigned i = 0; i < 3; ++i) {
            myGame->GetLogic().OnMarbleClicked(CMarbleRegistry::GetSingleton()->Get(i));
            Run(50);
        }
        Run(2000);
        ASSERT_EQ(myGame->GetScreen()->GetState(), CUi::STATE_HELP_OR_COMPLETE)
            << CMarbleRegistry::GetSingleton()->GetCount() << " " << myGame->GetLevelFile() << " "
            << myGame->GetAttempt().GetMoves() << " " << myGame->GetAttempt().GetSeconds();
    }

    testsupport::CManualClock myClock{100000};
    testsupport::CGfxDisplay myDisplay{640, 480};
    std::unique_ptr<CImpl> myGame;
};

}  // namespace

TEST_F(RecordsInGame, AWinCountsItsMovesAndUnpausedTimeKeepsTheBestAndShowsIt) {
    struct Round {
        unsigned waitMs, pausedMs;
        const char* result;
        const char* tile;
    } const rounds[] = {
        {6000, 0, "This time: 1 move, 0:07\nBest: 1 move, 0:07", "1     0:07\n1 move"},
        {30000, 29000, "This time: 1 move, 0:03\nNew best! 1 move, 0:03", "1     0:03\n1 move"},
        {9000, 0, "This time: 1 move, 0:10\nBest: 1 move, 0:03", "1     0:03\n1 move"},
    };
    for (const Round& round : rounds) {
        ASSERT_NO_FATAL_FAILURE(Win(round.waitMs, round.pausedMs));
        EXPECT_EQ(myGame->GetScreen()->GetTexts().back(), round.result);
        EXPECT_EQ(CUi::TileLabel(myGame->GetLevelList(), 1), round.tile);
    }
    // Saved at once with the win.
    EXPECT_NE(ReadFile("data/level_list.xml").find("best_moves=\"1\" best_time=\"3\" completed=\"1\""),
              std::string::npos);
}
