// The shipped list of three chapters merged with a player's list of the earlier 24 levels: a
// win stays with its file name, so no new level counts as won for an old level's win.
#include <gtest/gtest.h>

#include <string>

#include "marbles/level/clevellist.h"
#include "marbles/level/levellistsync.h"
#include "support/testsupport.h"

TEST(LevelListSyncChapters, OldWinsStayWithTheirNamesAndTheNewLevelsOpenFromTheFirst) {
    testsupport::CTempDir dir;
    marbles::CLevelList shipped;
    ASSERT_TRUE(shipped.Load(std::string(MARBLES_SOURCE_DIR) + "/game/data/level_list.xml"));
    ASSERT_EQ(shipped.GetEntryCount(), 37u);
    // Every old level won, and one level of the new list that a newer build let the player win.
    std::string old = "<LevelList>\n";
    for (int k = 1; k <= 24; ++k) {
        const std::string name = (k < 10 ? "data/levels/level0" : "data/levels/level") + std::to_string(k) + ".xml";
        old += "<Level position='" + std::to_string(k) + "' filename='" + name + "' completed='1'/>\n";
    }
    old += "<Level position='25' filename='data/levels/chapter1_level03.xml' completed='1'/>\n</LevelList>\n";
    testsupport::WriteFile("player.xml", old);
    marbles::CLevelList player;
    ASSERT_TRUE(player.Load("player.xml"));
    const std::vector<marbles::CLevelList::CEntry> merged = marbles::MergeLevelEntries(shipped, player);
    ASSERT_EQ(merged.size(), 37u);
    for (unsigned k = 1; k < merged.size(); ++k) {
        EXPECT_EQ(merged[k].myFileName, shipped.GetEntry(k).myFileName) << k;
        EXPECT_EQ(merged[k].myCompleted, merged[k].myFileName == "data/levels/chapter1_level03.xml") << k;
        EXPECT_EQ(merged[k].myFileName.find("data/levels/level"), std::string::npos) << "no old name is reused";
    }
}
