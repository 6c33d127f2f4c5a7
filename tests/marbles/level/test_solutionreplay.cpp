// Replaying a solution headless: a shipped level is won by its own solution and not by
// another's, and no replay runs while a level's marbles are in play.
#include <gtest/gtest.h>

#include "marbles/level/solutionreplay.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"

using namespace marbles;

TEST(SolutionReplay, WinsWithTheLevelsOwnSolutionOnlyAndWaitsForAFreeRegistry) {
    const std::string levels = std::string(MARBLES_SOURCE_DIR) + "/game/data/levels/";
    CSolutionFile first;
    CSolutionFile second;
    ASSERT_TRUE(first.Load(levels + "chapter1_level01.solution"));
    ASSERT_TRUE(second.Load(levels + "chapter1_level02.solution"));
    SolutionReplay replay = ReplaySolution(levels + "chapter1_level01.xml", first.GetClicks());
    EXPECT_TRUE(replay.won);
    EXPECT_EQ(replay.ending, "Level complite");
    EXPECT_TRUE(CMarbleRegistry::GetSingleton()->IsEmpty());
    EXPECT_FALSE(ReplaySolution(levels + "chapter1_level01.xml", second.GetClicks()).won);
    replay = ReplaySolution(levels + "none.xml", first.GetClicks());
    EXPECT_FALSE(replay.won || replay.levelRead);

    CMarble playing;
    CMarbleRegistry::GetSingleton()->Add(&playing);
    replay = ReplaySolution(levels + "chapter1_level01.xml", first.GetClicks());
    CMarbleRegistry::GetSingleton()->Remove(&playing);
    EXPECT_FALSE(replay.won);
    EXPECT_EQ(replay.ending, "A level is being played");
}
