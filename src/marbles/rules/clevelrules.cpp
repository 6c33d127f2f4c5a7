// The end-of-level checks: complete when no marble is left, lost when the settled pile shows
// no chain of three same-type marbles five checks in a row.
#include "marbles/rules/clevelrules.h"

#include <algorithm>
#include <vector>

#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

const std::size_t GROUP_SIZE = 3;
// How much farther the rules look for a neighbour than the player can reach.
const float RULES_EXTRA_REACH = 0.3f;

bool IsNearGroup(const CMarble* candidate, const std::vector<const CMarble*>& group) {
    const float reach = 2.5f * candidate->GetRadius() + RULES_EXTRA_REACH;
    const float reachSquared = reach * reach;
    for (const CMarble* member : group) {
        const Vector2 d = candidate->GetPosition() - member->GetPosition();
        if (Dot(d, d) < reachSquared) return true;
    }
    return false;
}

bool GrowsToGroup(const CMarble* seed, const CMarbleRegistry& registry) {
    std::vector<const CMarble* > group{seed};
    for (const CMarble* candidate : registry) {
        if (candidate == seed || candidate->GetType() != seed->GetType()) continue;
        if (!IsNearGroup(candidate, group)) continue;
        group.push_back(candidate);
        if (group.size() >= GROUP_SIZE) return true;
    }
    return false;
}

}  // namespace

void CLevelRules::Reset() {
    myCompleteFired = false;
    myFailedChecks = 0;
    myLostFired = false;
}

bool CLevelRules::Update(bool worldAtRest) {
    if (myCheckTimer.GetTime() <= CHECK_INTERVAL || !worldAtRest) return false;
    myCheckTimer.Reset();
    CheckLevelState();
    return true;
}

void CLevelRules::CheckLevelState() {
    const CMarbleRegistry& registry = *CMarbleRegistry::GetSingleton();
    if (registry.IsEmpty()) {
        if (myCompleteFired) return;
        myCompleteFired = true;
        tarn::CLogger::GetSingleton()->Write("Level complite\n");
        myLevelComplete();
        return;
    }
    std::int32_t lowType = MAX_TYPE;
    std::int32_t highType = MIN_TYPE;
    for (const CMarble* marble : registry) {
        const std::int32_t type = marble->GetType();
        if (type < MIN_TYPE || type > MAX_TYPE) continue;
        lowType = std::min(lowType, type);
        highType = std::max(highType, type);
    }
    if (HasRemovableGroup(lowType, highType)) {
        myFailedChecks = 0;
        return;
    }
    // Saturates rather than wrapping over a very long stalemate.
    if (myFailedChecks < LOST_AFTER_CHECKS) ++myFailedChecks;
    if (myFailedChecks < LOST_AFTER_CHECKS || myLostFired) return;
    myLostFired = true;
    tarn::CLogger::GetSingleton()->Write("Level lost\n");
    myLevelLost();
}

bool CLevelRules::HasRemovableGroup(std::int32_t lowType, std::int32_t highType) {
    const CMarbleRegistry& registry = *CMarbleRegistry::GetSingleton();
    for (std::int32_t type = lowType; type <= highType; ++type) {
        for (const CMarble* seed : registry) {
            if (seed->GetType() == type && GrowsToGroup(seed, registry)) return true;
        }
    }
    return false;
}

}  // namespace marbles
