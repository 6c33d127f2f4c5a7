// The pile solver under a step budget: searches cut into calls of a few physics steps, each
// settle resumed where the last call stopped, find the same piles and the same win as one
// search without a limit.
#include <gtest/gtest.h>

#include <memory>

#include "marbles/level/levelphysics.h"
#include "marbles/rules/cpilesolver.h"

using namespace marbles;

TEST(PileSolverSteps, ASearchCutIntoFewStepsFindsTheSamePilesAndWin) {
    for (const char* level : {"chapter1_level02.xml", "chapter1_level09.xml"}) {
        const auto world = LoadLevelPhysics(std::string(MARBLES_SOURCE_DIR) + "/game/data/levels/" + level);
        ASSERT_TRUE(world) << level;
        std::vector<RigidBody> bodies;
        for (unsigned i = 0; i < world->GetBodyCount(); ++i) bodies.push_back(world->GetBody(i));
        CPileSolver whole(bodies, CPileSolver::Options());
        std::vector<CPileSolver::Click> expected;
        ASSERT_EQ(whole.Solve(expected), CPileSolver::OUTCOME_WIN) << level;

        CPileSolver::Options options;
        options.stepBudget = 7;
        CPileSolver cut(bodies, options);
        std::vector<CPileSolver::Click> clicks;
        CPileSolver::EOutcome outcome = CPileSolver::OUTCOME_UNKNOWN;
        unsigned calls = 0;
        for (; outcome == CPileSolver::OUTCOME_UNKNOWN && calls < 100000; ++calls) outcome = cut.Solve(clicks);
        EXPECT_EQ(outcome, CPileSolver::OUTCOME_WIN) << level;
        EXPECT_EQ(cut.GetSettleCount(), whole.GetSettleCount()) << level;
        EXPECT_GT(calls, 3 * whole.GetSettleCount()) << level;
        ASSERT_EQ(clicks.size(), expected.size()) << level;
        for (std::size_t k = 0; k < clicks.size(); ++k) {
            EXPECT_EQ(clicks[k].step, expected[k].step) << level << " " << k;
            EXPECT_EQ(clicks[k].initId, expected[k].initId) << level << " " << k;
        }
        // Whole settles elsewhere leave the search as it was: the first moves are the same.
        EXPECT_EQ(cut.GetFirstMoves(), whole.GetFirstMoves()) << level;
    }
}
