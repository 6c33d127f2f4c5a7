// My levels in the running game: at the start, the proven levels of the player's folder join
// the list after the shipped ones and the title says how many files were refused; a test of
// the editor's level ends back in the editor, its win marking nothing in the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/editor/sharedlevel.h"
#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/game/levelprogress.h"
#include "marbles/level/csolutionfile.h"
#include "marbles/rules/cpilesolver.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/utils/logger/clogger.h"

using namespace marbles;

namespace {

// A proven level of six marbles in the player's folder, and a damaged file beside it.
void FillMyLevels() {
    std::filesystem::create_directories("data/mylevels");
    CEditorLayout layout;
    for (int i = 0; i < 6; ++i) layout.Place(CEditorLayout::Marble(i / 3, {-4.0f + 2.0f * i, 18.0f}));
    ASSERT_TRUE(layout.Save("data/mylevels/mine.xml"));
    CPileSolver solver(layout.ToBodies(), CPileSolver::Options());
    std::vector<CPileSolver::Click> clicks;
    ASSERT_EQ(solver.Solve(clicks), CPileSolver::OUTCOME_WIN);
    CSolutionFile solution;
    for (const auto& click : clicks) solution.GetClicks().push_back({click.step, click.initId});
    ASSERT_TRUE(solution.Save("data/mylevels/mine.solution"));
    testsupport::WriteFile("data/mylevels/broken.xml", "<MarblesLevel><PhysicsModel>");
}

}  // namespace

TEST(MyLevels, ProvenLevelsJoinTheListRefusedOnesAreToldAndATestWinsNothing) {
    testsupport::CTempDir dir;
    testsupport::ResetEngine();
    tarn::CLogger::DeleteSingleton();
    testsupport::CGfxDisplay display{640, 480};
    ASSERT_TRUE(display.IsOpen());
    testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    FillMyLevels();
    {
        CMarblesTask task;
        ASSERT_TRUE(task.Start());
        CMarblesTask::CMarblesTaskImpl* game = task.GetImpl();
        const CLevelList& list = game->GetLevelList();
        ASSERT_EQ(LevelCount(list), 37);
        EXPECT_EQ(list.GetEntry(37).myFileName, "data/mylevels/mine.xml");
        EXPECT_TRUE(list.GetEntry(37).myOwn);
        EXPECT_TRUE(IsLevelPlayable(list, 37));
        const std::vector<std::string> texts = game->GetScreen()->GetTexts();
        EXPECT_NE(std::find_if(texts.begin(), texts.end(),
                               [](const std::string& t) {
                                   return t.find("1 level file(s) in data/mylevels did not pass") == 0;
                               }),
                  texts.end());

        // E on the title opens the editor; its test of a winnable level ends back in it.
        game->OpenEditor();
        task.Update();
        ASSERT_NE(game->GetEditor(), nullptr);
        game->TestLevel("data/mylevels/mine.xml", "");
        task.Update();
        EXPECT_TRUE(game->IsTesting());
        game->OnLevelComplete();
        EXPECT_FALSE(game->GetLevelList().GetEntry(1).myCompleted);
        game->Request(CScreenFlow::EChange::SAME_LEVEL);
        task.Update();
        EXPECT_FALSE(game->IsTesting());
        ASSERT_NE(game->GetEditor(), nullptr);
        EXPECT_TRUE(game->GetEditor()->IsShown());
        game->Back();
        task.Update();
        EXPECT_EQ(game->GetEditor(), nullptr);
        task.OnStop();
    }
    CMarbleSpriteTable::GetSingleton()->Clear();
    testsupport::ResetEngine();
}
