// What the editor warns about in a layout while it is built: marble counts that cannot all
// leave in threes, marbles overlapping a box or each other, marbles outside the walls.
#ifndef TARN_MARBLES_EDITOR_LAYOUTCHECK_H
#define TARN_MARBLES_EDITOR_LAYOUTCHECK_H

#include <string>
#include <vector>

#include "marbles/editor/ceditorlayout.h"

namespace marbles {

// How far two bodies may sink into each other before it counts as an overlap (marbles stacked
// by hand touch, and float positions are not exact).
constexpr float OVERLAP_TOLERANCE = 0.05f;

// Whether a marble lies wholly between the walls, above the floor and below the screen's top.
bool LiesInsideWalls(const CEditorLayout::Piece& marble);

// One line per fault, in this order: "type 1: 4 marbles, not a multiple of three" per type,
// then per marble (named by initId) "marble 7 lies outside the walls", "marble 7 overlaps box
// 4", "marble 7 overlaps marble 9" (each pair once). Empty when the layout is clean.
std::vector<std::string> CheckLayout(const CEditorLayout& layout);

}  // namespace marbles

#endif
