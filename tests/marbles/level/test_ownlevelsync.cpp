// The player's own levels across a new version's level list: they stay after the shipped ones
// with their progress, while a shipped level the new version drops leaves.
#include <gtest/gtest.h>

#include "marbles/level/levellistsync.h"
#include "support/testsupport.h"

using namespace marbles;

TEST(OwnLevelSync, OwnLevelsKeepTheirPlaceAndProgressAfterTheShippedOnes) {
    testsupport::CTempDir dir;
    testsupport::WriteFile("shipped.xml", "<LevelList>\n"
                                          "  <Level position=\"1\" filename=\"data/levels/a.xml\" />\n"
                                          "  <Level position=\"2\" filename=\"data/levels/c.xml\" />\n"
                                          "</LevelList>\n");
    testsupport::WriteFile("player.xml",
                           "<LevelList>\n"
                           "  <Level position=\"1\" filename=\"data/levels/a.xml\" completed=\"1\" />\n"
                           "  <Level position=\"2\" filename=\"data/levels/b.xml\" completed=\"1\" />\n"
                           "  <Level position=\"3\" filename=\"/home/p/.local/share/marbles/levels/m.xml\" completed=\"1\" />\n"
                           "  <Level position=\"4\" filename=\"data/mylevels/n.xml\" />\n"
                           "</LevelList>\n");
    ASSERT_TRUE(SyncLevelList("shipped.xml", "player.xml"));
    CLevelList list;
    ASSERT_TRUE(list.Load("player.xml"));
    const std::pair<const char*, bool> expected[] = {{"data/levels/a.xml", true},
                                                     {"data/levels/c.xml", false},
                                                     {"/home/p/.local/share/marbles/levels/m.xml", true},
                                                     {"data/mylevels/n.xml", false}};
    ASSERT_EQ(list.GetEntryCount(), 5u);
    for (unsigned k = 0; k < 4; ++k) {
        EXPECT_EQ(list.GetEntry(k + 1).myFileName, expected[k].first) << k;
        EXPECT_EQ(list.GetEntry(k + 1).myCompleted, expected[k].second) << k;
    }
}
