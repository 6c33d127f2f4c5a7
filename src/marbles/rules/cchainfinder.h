// The chains of three same-type marbles the player can clear right now: the marbles that can be
// clicked one after another, each within the player's reach of one clicked before it.
#ifndef TARN_MARBLES_RULES_CCHAINFINDER_H
#define TARN_MARBLES_RULES_CCHAINFINDER_H

#include <array>
#include <cstdint>
#include <vector>

#include "marbles/physics/vector2.h"

namespace marbles {

// A marble as the chain search sees it (world units).
struct MarblePlace {
    std::int32_t type = -1;
    Vector2 position;
    float radius = 0.0f;
};

// The reach is the player's: a marble may join a selection when its centre lies strictly
// within 2.5 of its own radii of a selected marble. The rules and the selection both use it,
// so the level is never judged lost while the player can still clear a chain, and never left
// running while the player cannot.
class CChainFinder {
public:
    static constexpr std::size_t CHAIN_SIZE = 3;
    // Indices into the places given, in an order the player can click them.
    using Chain = std::array<unsigned, CHAIN_SIZE>;

    // The distance within which a marble of this radius may join a selection.
    static float Reach(float radius) { return 2.5f * radius; }
    // True when candidate may join a selection holding member: same type and within reach of
    // candidate's radius.
    static bool CanJoin(const MarblePlace& candidate, const MarblePlace& member);

    // Every set of three marbles of a type from lowType to highType inclusive that the player
    // can select, each once, in one click order that works; ordered by type, then by the
    // lowest index. Empty when there is none.
    static std::vector<Chain> FindAll(const std::vector<MarblePlace>& places, std::int32_t lowType,
                                      std::int32_t highType);
    // Whether FindAll would find at least one chain (stops at the first).
    static bool HasAny(const std::vector<MarblePlace>& places, std::int32_t lowType,
                       std::int32_t highType);
    // The places of the live marbles, in marble registry order.
    static std::vector<MarblePlace> FromRegistry();
};

}  // namespace marbles

#endif
