// One connection: an owned event, the target it is entered with (when the target is a
// CSSObject), the signal that holds it and whether it may be stored in XML.
#include "tarn/utils/signalslot/cslot.h"

#include <algorithm>

#include "tarn/utils/signalslot/cslotregistry.h"
#include "tarn/utils/signalslot/cssobject.h"

namespace tarn {

CSlot::CSlot(IGenericEvent* event) : myEvent(event) {
    mySerializable = CSlotRegistry::GetSingleton().IsSerializable();
    EnterTarget();
}

CSlot::~CSlot() { LeaveTarget(); }

CSlot* CSlot::Clone() const {
    auto* clone = new CSlot(myEvent ? myEvent->Clone() : nullptr);
    clone->mySerializable = mySerializable;
    return clone;
}

bool CSlot::SetTarget(CSSObject* object) {
    LeaveTarget();
    const bool taken = myEvent && myEvent->SetObject(object);
    EnterTarget();
    return taken;
}

void CSlot::ForgetTarget() {
    myTarget = nullptr;
    if (myEvent) myEvent->SetObject(nullptr);
}

void CSlot::EnterTarget() {
    myTarget = myEvent ? myEvent->GetSSObject() : nullptr;
    if (myTarget) myTarget->myConnections.push_back(this);
}

void CSlot::LeaveTarget() {
    if (!myTarget) return;
    auto& list = myTarget->myConnections;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    myTarget = nullptr;
}

}  // namespace tarn
