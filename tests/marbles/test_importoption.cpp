// End-to-end: "marbles --import FILE" takes a proven level into the player's levels and
// refuses a damaged one with the reason on standard error, leaving it where it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/editor/sharedlevel.h"
#include "marbles/level/csolutionfile.h"
#include "marbles/rules/cpilesolver.h"
#include "support/testsupport.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

TEST(ImportOption, AProvenLevelJoinsMyLevelsAndADamagedOneIsNamedAndLeftAlone) {
    testsupport::CTempDir dir;
    std::filesystem::create_directory("drop");
    marbles::CEditorLayout layout;
    for (int i = 0; i < 6; ++i) layout.Place(marbles::CEditorLayout::Marble(i / 3, {-4.0f + 2.0f * i, 18.0f}));
    ASSERT_TRUE(layout.Save("drop/good.xml"));
    marbles::CPileSolver solver(layout.ToBodies(), marbles::CPileSolver::Options());
    std::vector<marbles::CPileSolver::Click> clicks;
    ASSERT_EQ(solver.Solve(clicks), marbles::CPileSolver::OUTCOME_WIN);
    marbles::CSolutionFile solution;
    for (const auto& click : clicks) solution.GetClicks().push_back({click.step, click.initId});
    ASSERT_TRUE(solution.Save("drop/good.solution"));
    const std::string damaged = ReadFile("drop/good.xml").substr(0, 300);
    WriteFile("drop/bad.xml", damaged);
    WriteFile("drop/bad.solution", ReadFile("drop/good.solution"));

    // Without a start-up script the program ends as soon as the imports are done.
    const int status = std::system((std::string(MARBLES_BINARY) +
                                    " --import drop/good.xml --import drop/bad.xml > stdout.txt 2> stderr.txt")
                                       .c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile("stdout.txt"), "marbles: Imported good.xml into My levels\n");
    EXPECT_EQ(ReadFile("stderr.txt").substr(0, 56), "marbles: Not imported: bad.xml: it is no level the game ");
    EXPECT_EQ(ReadFile("data/mylevels/good.xml"), ReadFile("drop/good.xml"));
    EXPECT_EQ(ReadFile("data/mylevels/good.solution"), ReadFile("drop/good.solution"));
    EXPECT_FALSE(std::filesystem::exists("data/mylevels/bad.xml"));
    EXPECT_EQ(ReadFile("drop/bad.xml"), damaged);
}
