// Base class of slot targets: keeps the connections that point at it, so that destroying it
// disconnects it from every signal, and is listed process-wide so stored connections can find
// it by name.
#include "tarn/utils/signalslot/cssobject.h"

#include <algorithm>

#include "tarn/utils/signalslot/csignalbase.h"
#include "tarn/utils/signalslot/cslot.h"
#include "tarn/utils/signalslot/cslotregistry.h"

namespace tarn {

namespace {

// Living objects in creation order; created on first use, deleted when it becomes empty.
std::vector<CSSObject*>* theObjects = nullptr;

void Enter(CSSObject* object) {
    if (!theObjects) theObjects = new std::vector<CSSObject*>();
    theObjects->push_back(object);
}

void Leave(CSSObject* object) {
    if (!theObjects) return;
    theObjects->erase(std::remove(theObjects->begin(), theObjects->end(), object), theObjects->end());
    if (theObjects->empty()) {
        delete theObjects;
        theObjects = nullptr;
    }
}

}  // namespace

CSSObject::CSSObject() { Enter(this); }

CSSObject::CSSObject(const CSSObject&) { Enter(this); }

CSSObject::~CSSObject() {
    const std::vector<CSlot*> connections = std::move(myConnections);
    myConnections.clear();
    for (CSlot* slot : connections) {
        slot->ForgetTarget();
        if (CSignalBase* signal = slot->GetSignal()) signal->Remove(slot);
    }
    Leave(this);
}

CSlot* CSSObject::GetSlot(const std::string& functionName) {
    return CSlotRegistry::GetSingleton().CreateSlot(this, functionName);
}

std::string CSSObject::GetClassName() const { return CSlotRegistry::GetSingleton().GetCurrentClassName(); }

CSSObject* FindObject(const std::string& name) {
    if (!theObjects) return nullptr;
    for (CSSObject* object : *theObjects) {
        if (object->GetName() == name) return object;
    }
    return nullptr;
}

}  // namespace tarn
