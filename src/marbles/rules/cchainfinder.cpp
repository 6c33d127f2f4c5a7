// The chains the player can clear: every three same-type marbles that a selection can gather.
#include "marbles/rules/cchainfinder.h"

#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"

namespace marbles {

namespace {

// The click order of a, b, c that the player can make, if any: the second joins the first, the
// third joins either of them.
bool ClickOrder(const std::vector<MarblePlace>& p, unsigned a, unsigned b, unsigned c,
                CChainFinder::Chain& chain) {
    const unsigned orders[6][3] = {{a, b, c}, {a, c, b}, {b, a, c}, {b, c, a}, {c, a, b}, {c, b, a}};
    for (const auto& o : orders) {
        if (!CChainFinder::CanJoin(p[o[1]], p[o[0]])) continue;
        if (!CChainFinder::CanJoin(p[o[2]], p[o[0]]) && !CChainFinder::CanJoin(p[o[2]], p[o[1]])) continue;
        chain = {o[0], o[1], o[2]};
        return true;
    }
    return false;
}

// Calls found(chain) for every chain in the type range until it returns false.
template <typename Found>
void Search(const std::vector<MarblePlace>& places, std::int32_t lowType, std::int32_t highType,
            Found found) {
    const unsigned count = static_cast<unsigned>(places.size());
    for (std::int32_t type = lowType; type <= highType; ++type) {
        std::vector<unsigned> members;
        for (unsigned i = 0; i < count; ++i)
            if (places[i].type == type) members.push_back(i);
        const std::size_t n = members.size();
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j)
                for (std::size_t k = j + 1; k < n; ++k) {
                    CChainFinder::Chain chain;
                    if (!ClickOrder(places, members[i], members[j], members[k], chain)) continue;
                    if (!found(chain)) return;
                }
    }
}

}  // namespace

bool CChainFinder::CanJoin(const MarblePlace& candidate, const MarblePlace& member) {
    if (candidate.type != member.type) return false;
    const Vector2 d = candidate.position - member.position;
    const float reach = Reach(candidate.radius);
    return Dot(d, d) < reach * reach;
}

std::vector<CChainFinder::Chain> CChainFinder::FindAll(const std::vector<MarblePlace>& places,
                                                       std::int32_t lowType, std::int32_t highType) {
    std::vector<Chain> chains;
    Search(places, lowType, highType, [&chains](const Chain& chain) {
        chains.push_back(chain);
        return true;
    });
    return chains;
}

bool CChainFinder::HasAny(const std::vector<MarblePlace>& places, std::int32_t lowType,
                          std::int32_t highType) {
    bool any = false;
    Search(places, lowType, highType, [&any](const Chain&) {
        any = true;
        return false;
    });
    return any;
}

std::vector<MarblePlace> CChainFinder::FromRegistry() {
    std::vector<MarblePlace> places;
    for (const CMarble* marble : *CMarbleRegistry::GetSingleton())
        places.push_back(MarblePlace{marble->GetType(), marble->GetPosition(), marble->GetRadius()});
    return places;
}

}  // namespace marbles
