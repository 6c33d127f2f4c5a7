// The end-of-level checks: complete when no marble is left, lost when the settled pile shows
// no chain of three same-type marbles five checks in a row.
#include "marbles/rules/clevelrules.h"

#include <algorithm>
#include <vector>

#include "marbles/rules/cchainfinder.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/physics/cphysicsworld.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

void CLevelRules::Reset() {
    myCompleteFired = false;
    myFailedChecks = 0;
    myLostFired = false;
    mySettleWatch.Clear();
}

void CLevelRules::ObservePile(CPhysicsWorld* world) {
    std::vector<Vector2> positions;
    for (const CMarble* marble : *CMarbleRegistry::GetSingleton()) positions.push_back(marble->GetPosition());
    mySettleWatch.Observe(positions);
    if (world && mySettleWatch.IsSettled()) world->SetAsleep(true);
}

bool CLevelRules::Update(bool pileSettled) {
    if (myCheckTimer.GetTime() <= CHECK_INTERVAL || !pileSettled) return false;
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
    return CChainFinder::HasAny(CChainFinder::FromRegistry(), lowType, highType);
}

}  // namespace marbles
