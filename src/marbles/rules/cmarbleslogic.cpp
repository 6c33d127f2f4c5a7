// The player's selection of chained same-type marbles and the queued removal of a chain of three.
#include "marbles/rules/cmarbleslogic.h"

#include <algorithm>

#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "tarn/utils/logger/cassert.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

const std::size_t GROUP_SIZE = 3;

float SquaredDistance(Vector2 a, Vector2 b) {
    const Vector2 d = a - b;
    return Dot(d, d);
}

}  // namespace

CMarblesLogic::CMarblesLogic() { CMarbleRegistry::GetSingleton()->AddListener(this); }

CMarblesLogic::~CMarblesLogic() { CMarbleRegistry::GetSingleton()->RemoveListener(this); }

bool CMarblesLogic::CanSelect(const CMarble* marble) const {
    if (mySelection.empty()) return true;
    if (!marble || marble->GetType() != mySelectedType) return false;
    const float reach = 2.5f * marble->GetRadius();
    const float reachSquared = reach * reach;
    for (const CMarble* selected : mySelection) {
        if (SquaredDistance(marble->GetPosition(), selected->GetPosition()) < reachSquared) return true;
    }
    return false;
}

void CMarblesLogic::ToggleSelection(CMarble* marble) {
    const auto found = std::find(mySelection.begin(), mySelection.end(), marble);
    if (found != mySelection.end()) {
        marble->SetSelected(false);
        *found = mySelection.back();
        mySelection.pop_back();
        return;
    }
    mySelection.push_back(marble);
    mySelectedType = marble->GetType();
    marble->SetSelected(true);
}

void CMarblesLogic::DropSelection() {
    for (CMarble* selected : mySelection) selected->SetSelected(false);
    mySelection.clear();
}

void CMarblesLogic::ClearSelection() {
    mySelection.clear();
    myPendingRemovals.clear();
}

bool CMarblesLogic::IsPendingRemoval(const CMarble* marble) const {
    return std::find(myPendingRemovals.begin(), myPendingRemovals.end(), marble) != myPendingRemovals.end();
}

void CMarblesLogic::OnMarbleClicked(CMarble* marble) {
    cassert(marble != nullptr && myPhysics != nullptr) cvalue(marble) cvalue(myPhysics);
    if (!marble || !myPhysics || IsPendingRemoval(marble)) return;
    if (mySelection.empty()) {
        ToggleSelection(marble);
        return;
    }
    if (!CanSelect(marble)) {
        DropSelection();
        ToggleSelection(marble);
        return;
    }
    ToggleSelection(marble);
    if (mySelection.size() < GROUP_SIZE) return;
    myPendingRemovals.insert(myPendingRemovals.end(), mySelection.begin(), mySelection.end());
    mySelection.clear();
    mySelectedType = -1;
}

void CMarblesLogic::ApplyPendingRemovals() {
    // A body moved into a freed slot has its marble's index updated before the next removal.
    while (!myPendingRemovals.empty()) {
        CMarble* marble = myPendingRemovals.front();
        myPendingRemovals.erase(myPendingRemovals.begin());
        RemoveBodyOf(marble);
    }
}

void CMarblesLogic::RemoveBodyOf(CMarble* marble) {
    CPhysicsWorld* world = myPhysics ? myPhysics->GetWorld() : nullptr;
    const unsigned index = marble->GetIndex();
    // A marble that does not follow the body at its index would make the removal take some
    // other body; it is left alone.
    if (!world || index >= world->GetBodyCount() || world->GetBody(index).listener != marble) {
        tarn::CLogger::GetSingleton()->Warning() << "Marble " << index << " has no body to remove\n";
        return;
    }
    myPhysics->RemoveBody(index);
}

void CMarblesLogic::OnMarbleRemoved(CMarble* marble) {
    mySelection.erase(std::remove(mySelection.begin(), mySelection.end(), marble), mySelection.end());
    myPendingRemovals.erase(std::remove(myPendingRemovals.begin(), myPendingRemovals.end(), marble),
                            myPendingRemovals.end());
}

}  // namespace marbles
