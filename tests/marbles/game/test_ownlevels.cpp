// The player's own levels in the level list: joined after the shipped ones (an entry kept from
// the last run keeps its progress, one whose file was refused or is gone leaves), always open,
// and never in the way of the shipped levels' order.
#include <gtest/gtest.h>

#include "marbles/game/levelprogress.h"
#include "marbles/level/clevellist.h"

using namespace marbles;

TEST(OwnLevels, JoinAfterTheShippedOnesStayOpenAndLeaveWhenTheirFileIsGone) {
    CLevelList list;
    for (const char* file : {"", "data/levels/level01.xml", "data/levels/level02.xml", "mine/a.xml", "mine/gone.xml"})
        list.AddEntry(OwnLevelEntry(file));
    list.AddEntry(OwnLevelEntry("elsewhere/b.xml"));
    for (unsigned k = 0; k < list.GetEntryCount(); ++k) list.SetOwn(k, false);
    JoinOwnLevels(list, {"mine/a.xml", "mine/new.xml"}, "mine");
    const char* expected[][2] = {{"data/levels/level01.xml", ""}, {"data/levels/level02.xml", ""},
                                 {"mine/a.xml", "own"},          {"elsewhere/b.xml", ""},
                                 {"mine/new.xml", "own"}};
    ASSERT_EQ(list.GetEntryCount(), 6u);
    for (unsigned k = 0; k < 5; ++k) {
        EXPECT_EQ(list.GetEntry(k + 1).myFileName, expected[k][0]) << k;
        EXPECT_EQ(list.GetEntry(k + 1).myOwn, *expected[k][1] != '\0') << k;
    }
    EXPECT_EQ(FirstOwnLevel(list), 3);
    // Nothing is won: the first shipped level is where play goes on, and the own levels are
    // open beside it while the second shipped level stays locked.
    EXPECT_EQ(FirstOpenLevel(list), 1);
    const bool playable[] = {false, true, false, true, false, true, false};
    for (std::int32_t position = 0; position <= 6; ++position)
        EXPECT_EQ(IsLevelPlayable(list, position), playable[position]) << position;
    CLevelList none;
    EXPECT_EQ(FirstOwnLevel(none), 0);
}
