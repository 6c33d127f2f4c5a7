// The editor's warnings: counts that are no multiple of three, overlaps, marbles outside.
#include <gtest/gtest.h>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/editor/layoutcheck.h"

using namespace marbles;

TEST(LayoutCheck, WarnsOfCountsOverlapsAndMarblesOutsideTheWalls) {
    using L = CEditorLayout;
    struct Case {
        const char* what;
        std::vector<L::Piece> pieces;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {"a clean three in a row, touching", {L::Marble(0, {0, 18}), L::Marble(0, {2, 18}), L::Marble(0, {4, 18})}, {}},
        {"four of a type", {L::Marble(1, {0, 18}), L::Marble(1, {2, 18}), L::Marble(1, {4, 18}), L::Marble(1, {6, 18})},
         {"type 1: 4 marbles, not a multiple of three"}},
        {"two marbles in one place", {L::Marble(0, {0, 18}), L::Marble(0, {1, 18}), L::Marble(0, {6, 18})},
         {"marble 4 overlaps marble 5"}},
        {"marble in a box", {L::Box({0, 10}, {3, 0.5f}), L::Marble(5, {2, 10.9f}), L::Marble(5, {9, 9}), L::Marble(5, {-9, 9})},
         {"marble 5 overlaps box 4"}},
        {"marble resting on a box", {L::Box({0, 10}, {3, 0.5f}), L::Marble(5, {2, 8.5f}), L::Marble(5, {9, 9}), L::Marble(5, {-9, 9})}, {}},
        {"outside left, right, above, in the floor",
         {L::Marble(2, {-18.5f, 5}), L::Marble(2, {18.5f, 5}), L::Marble(2, {0, -10.5f}), L::Marble(3, {8, 18.5f}),
          L::Marble(3, {10, 17}), L::Marble(3, {12, 17})},
         {"marble 4 lies outside the walls", "marble 4 overlaps box 2", "marble 5 lies outside the walls",
          "marble 5 overlaps box 3", "marble 6 lies outside the walls", "marble 7 lies outside the walls",
          "marble 7 overlaps box 1"}},
    };
    for (const Case& c : cases) {
        CEditorLayout layout;
        for (const L::Piece& piece : c.pieces) layout.Place(piece);
        EXPECT_EQ(CheckLayout(layout), c.warnings) << c.what;
    }
}
