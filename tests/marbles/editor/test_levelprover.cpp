// The proof in slices: it reaches the answer the whole search gives, its solution wins when
// replayed, and it ends with the right verdict when no win exists, the piles run out or the
// player stops it.
#include <gtest/gtest.h>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/editor/clevelprover.h"
#include "marbles/level/solutionreplay.h"
#include "marbles/rules/cpilesolver.h"
#include "support/testsupport.h"

using namespace marbles;

namespace {

// Marbles side by side falling onto the floor, of the types given, with a box above them.
CEditorLayout Row(const std::vector<int>& types) {
    CEditorLayout layout;
    for (std::size_t i = 0; i < types.size(); ++i)
        layout.Place(CEditorLayout::Marble(types[i], {-8.0f + 2.0f * static_cast<float>(i), 12.0f}));
    layout.Place(CEditorLayout::Box({0.0f, 8.0f}, {3.0f, 0.5f}));
    return layout;
}

// Slices of no time: one resumed search each, eight physics steps at most.
CLevelProver::EState ProveInSlices(CLevelProver& prover, unsigned& slices) {
    for (slices = 0; !prover.IsDone() && slices < 10000; ++slices) prover.Advance(SIZE_MAX, 0.0);
    return prover.GetState();
}

}  // namespace

TEST(LevelProver, ProvesInSlicesWhatTheWholeSearchFindsAndTheSolutionWins) {
    testsupport::CTempDir dir;
    const CEditorLayout layout = Row({0, 0, 0, 1, 1, 1, 2, 2, 2});
    CPileSolver whole(layout.ToBodies(), CPileSolver::Options());
    std::vector<CPileSolver::Click> expected;
    ASSERT_EQ(whole.Solve(expected), CPileSolver::OUTCOME_WIN);

    CLevelProver prover(layout.ToBodies());
    unsigned slices = 0;
    ASSERT_EQ(ProveInSlices(prover, slices), CLevelProver::STATE_WINNABLE);
    // The same piles, none settled twice, each cut into slices of a few steps.
    EXPECT_EQ(prover.GetPiles(), whole.GetSettleCount());
    EXPECT_GT(slices, 2 * whole.GetSettleCount());
    ASSERT_EQ(prover.GetSolution().size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(prover.GetSolution()[k].step, expected[k].step) << k;
        EXPECT_EQ(prover.GetSolution()[k].initId, expected[k].initId) << k;
    }
    EXPECT_EQ(prover.Describe(), "winnable: 3 moves, found in " + std::to_string(whole.GetSettleCount()) + " piles");
    EXPECT_EQ(prover.GetProgress(), 1.0f);
    ASSERT_TRUE(layout.Save("proven.xml"));
    EXPECT_EQ(ReplaySolution("proven.xml", prover.GetSolution()).ending, "Level complite");
}

TEST(LevelProver, EndsWithTheVerdictOfEachWayAProofCanEnd) {
    CLevelProver unwinnable(Row({0, 0, 0, 0, 1, 1}).ToBodies());
    unsigned slices = 0;
    EXPECT_EQ(ProveInSlices(unwinnable, slices), CLevelProver::STATE_UNWINNABLE);
    EXPECT_EQ(unwinnable.Describe().substr(0, 41), "not winnable: every click order tried (3 ");
    EXPECT_TRUE(unwinnable.GetSolution().empty());

    CLevelProver limited(Row({0, 0, 0, 1, 1, 1, 2, 2, 2}).ToBodies(), 2);
    EXPECT_EQ(ProveInSlices(limited, slices), CLevelProver::STATE_NO_WIN_FOUND);
    EXPECT_EQ(limited.Describe(), "no win found in 2 piles");

    CLevelProver stopped(Row({0, 0, 0, 1, 1, 1, 2, 2, 2}).ToBodies());
    EXPECT_EQ(stopped.Advance(1, 1e9), CLevelProver::STATE_PROVING);
    EXPECT_EQ(stopped.Describe().substr(0, 17), "proving: 1 pile, ");
    EXPECT_GT(stopped.GetProgress(), 0.0f);
    stopped.Stop();
    EXPECT_EQ(stopped.Advance(100, 1e9), CLevelProver::STATE_STOPPED);
    EXPECT_EQ(stopped.Describe(), "stopped after 1 pile");
    // A slice of no time runs a few steps of the start's settle.
    CLevelProver quick(Row({0, 0, 0, 1, 1, 1, 2, 2, 2}).ToBodies());
    EXPECT_EQ(quick.Advance(1000, 0.0), CLevelProver::STATE_PROVING);
    EXPECT_EQ(quick.GetPiles(), 1u);
}
