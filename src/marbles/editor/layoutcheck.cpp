// The editor's warnings: type counts, overlaps and marbles outside the walls.
#include "marbles/editor/layoutcheck.h"

#include <algorithm>
#include <cmath>

namespace marbles {

using Piece = CEditorLayout::Piece;

bool LiesInsideWalls(const Piece& marble) {
    const float r = marble.extent.x;
    return marble.position.x - r >= CEditorLayout::PLAY_LEFT && marble.position.x + r <= CEditorLayout::PLAY_RIGHT &&
           marble.position.y - r >= CEditorLayout::PLAY_TOP && marble.position.y + r <= CEditorLayout::PLAY_BOTTOM;
}

namespace {

// The distance from point to the box of piece (0 inside it).
float DistanceToBox(const Piece& box, Vector2 point) {
    const Vector2 d = point - box.position;
    const float c = std::cos(box.orientation);
    const float s = std::sin(box.orientation);
    const float along = std::max(std::fabs(c * d.x + s * d.y) - box.extent.x, 0.0f);
    const float across = std::max(std::fabs(-s * d.x + c * d.y) - box.extent.y, 0.0f);
    return std::sqrt(along * along + across * across);
}

bool Overlaps(const Piece& marble, const Piece& other) {
    const float radius = marble.extent.x;
    if (other.kind == CEditorLayout::PIECE_BOX) return DistanceToBox(other, marble.position) < radius - OVERLAP_TOLERANCE;
    return Length(other.position - marble.position) < radius + other.extent.x - OVERLAP_TOLERANCE;
}

void CheckMarble(const std::vector<Piece>& pieces, std::size_t m, std::vector<std::string>& warnings) {
    const std::string name = "marble " + std::to_string(pieces[m].initId);
    if (!LiesInsideWalls(pieces[m])) warnings.push_back(name + " lies outside the walls");
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const Piece& other = pieces[k];
        const bool marble = other.kind == CEditorLayout::PIECE_MARBLE;
        if (k == m || (marble && k < m) || !Overlaps(pieces[m], other)) continue;
        warnings.push_back(name + " overlaps " + (marble ? "marble " : "box ") + std::to_string(other.initId));
    }
}

}  // namespace

std::vector<std::string> CheckLayout(const CEditorLayout& layout) {
    std::vector<std::string> warnings;
    const auto counts = layout.CountByType();
    for (std::size_t type = 0; type < counts.size(); ++type)
        if (counts[type] % 3 != 0)
            warnings.push_back("type " + std::to_string(type) + ": " + std::to_string(counts[type]) +
                               " marbles, not a multiple of three");
    const std::vector<Piece>& pieces = layout.GetPieces();
    for (std::size_t m = 0; m < pieces.size(); ++m)
        if (pieces[m].kind == CEditorLayout::PIECE_MARBLE) CheckMarble(pieces, m, warnings);
    return warnings;
}

}  // namespace marbles
