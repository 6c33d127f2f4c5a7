// The shipped levels as chapters: 36 levels named by chapter and place, each with something
// held in the upper half of the screen once its first pile has settled.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "marbles/level/clevellist.h"
#include "marbles/level/levelphysics.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/csettlewatch.h"

namespace {

const std::string theGameDir = std::string(MARBLES_SOURCE_DIR) + "/game/";
// The middle of the screen in world units: the window shows y from -10 down to 20.
const float theScreenMiddle = 5.0f;

}  // namespace

TEST(ShippedChapters, ThirtySixLevelsNamedByChapterEachHoldingMarblesInTheUpperHalf) {
    marbles::CLevelList list;
    ASSERT_TRUE(list.Load(theGameDir + "data/level_list.xml"));
    ASSERT_EQ(list.GetEntryCount(), 37u);
    for (unsigned position = 1; position < list.GetEntryCount(); ++position) {
        const std::string& file = list.GetEntry(position).myFileName;
        char expected[64];
        std::snprintf(expected, sizeof expected, "data/levels/chapter%u_level%02u.xml", (position - 1) / 12 + 1,
                      (position - 1) % 12 + 1);
        EXPECT_EQ(file, expected);
        const std::unique_ptr<marbles::CPhysicsWorld> world = marbles::LoadLevelPhysics(theGameDir + file);
        ASSERT_TRUE(world) << file;
        // The first settled pile, as the game's settle watch finds it.
        marbles::CSettleWatch watch;
        std::vector<marbles::Vector2> places;
        for (int step = 0; step < 900 && !watch.IsSettled(); ++step) {
            world->Step(0.05f);
            places.clear();
            for (unsigned i = 0; i < world->GetBodyCount(); ++i)
                if (marbles::IsMarbleBody(world->GetBody(i))) places.push_back(world->GetBody(i).position);
            watch.Observe(places);
        }
        int upper = 0;
        for (const marbles::Vector2& place : places) upper += place.y < theScreenMiddle ? 1 : 0;
        EXPECT_GT(upper, 0) << file << ": the upper half is empty at rest";
    }
}
