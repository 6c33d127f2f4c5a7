// The chains the player can clear: every three same-type marbles a selection can gather, with
// the player's reach and a click order that works.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "marbles/rules/cchainfinder.h"
#include "marblesfixtures.h"
#include "support/testsupport.h"

using namespace marbles;

namespace {

struct Case {
    const char* what;
    std::vector<MarblePlace> places;
    std::int32_t low, high;
    std::set<std::set<unsigned>> chains;  // as sets of indices
};

MarblePlace P(std::int32_t type, float x, float y, float radius = 0.5f) {
    return MarblePlace{type, Vector2{x, y}, radius};
}

// Replays the click order against the player's rule: each marble after the first joins one
// clicked before it.
bool ClickableInOrder(const std::vector<MarblePlace>& places, const CChainFinder::Chain& chain) {
    if (!CChainFinder::CanJoin(places[chain[1]], places[chain[0]])) return false;
    return CChainFinder::CanJoin(places[chain[2]], places[chain[0]]) ||
           CChainFinder::CanJoin(places[chain[2]], places[chain[1]]);
}

}  // namespace

TEST(ChainFinder, FindsEveryChainThePlayerCanSelectAndNothingElse) {
    const Case cases[] = {
        {"none", {}, 0, 10, {}},
        {"a row of three", {P(0, 0, 0), P(0, 1, 0), P(0, 2, 0)}, 0, 0, {{0, 1, 2}}},
        {"a row of four: two chains", {P(0, 0, 0), P(0, 1, 0), P(0, 2, 0), P(0, 3, 0)}, 0, 0, {{0, 1, 2}, {1, 2, 3}}},
        {"a square: any three", {P(1, 0, 0), P(1, 1, 0), P(1, 0, 1), P(1, 1, 1)}, 1, 1,
         {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}}},
        {"middle listed last", {P(0, 0, 0), P(0, 2, 0), P(0, 1, 0)}, 0, 0, {{0, 1, 2}}},
        {"just within reach (1.25)", {P(4, 0, 0), P(4, 1.24f, 0), P(4, 2.48f, 0)}, 4, 4, {{0, 1, 2}}},
        {"just beyond reach", {P(4, 0, 0), P(4, 1.26f, 0), P(4, 2.52f, 0)}, 4, 4, {}},
        {"mixed types break the row", {P(0, 0, 0), P(1, 1, 0), P(0, 2, 0)}, 0, 1, {}},
        {"type outside the range", {P(3, 0, 0), P(3, 1, 0), P(3, 2, 0)}, 0, 2, {}},
        // A big marble reaches a small one that cannot reach it: the big one is clicked last.
        {"reach is the joining marble's", {P(5, 0, 0, 0.2f), P(5, 0.4f, 0, 0.2f), P(5, 2.4f, 0, 1.0f)}, 5, 5,
         {{0, 1, 2}}},
        {"two types, a chain each", {P(0, 0, 0), P(2, 0, 5), P(0, 1, 0), P(2, 1, 5), P(0, 2, 0), P(2, 2, 5)}, 0, 2,
         {{0, 2, 4}, {1, 3, 5}}},
    };
    for (const Case& c : cases) {
        const std::vector<CChainFinder::Chain> found = CChainFinder::FindAll(c.places, c.low, c.high);
        std::set<std::set<unsigned>> sets;
        for (const CChainFinder::Chain& chain : found) {
            EXPECT_TRUE(ClickableInOrder(c.places, chain)) << c.what;
            sets.insert(std::set<unsigned>(chain.begin(), chain.end()));
        }
        EXPECT_EQ(sets, c.chains) << c.what;
        EXPECT_EQ(sets.size(), found.size()) << c.what << ": each chain once";
        EXPECT_EQ(CChainFinder::HasAny(c.places, c.low, c.high), !c.chains.empty()) << c.what;
    }
}

TEST(ChainFinder, ReadsTheRegisteredMarblesInRegistryOrder) {
    testsupport::ResetEngine();
    auto a = marblesfixtures::MakeMarble(2, 1, 1);
    auto b = marblesfixtures::MakeMarble(3, 5, 6, 0.75f);
    const std::vector<MarblePlace> places = CChainFinder::FromRegistry();
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[1].type, 3);
    EXPECT_EQ(places[1].position.x, 5.0f);
    EXPECT_EQ(places[1].position.y, 6.0f);
    EXPECT_EQ(places[1].radius, 0.75f);
    testsupport::ResetEngine();
}
