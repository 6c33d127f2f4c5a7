// What every signal shares, whatever its arguments: the ordered, owned connections, their
// removal when a target dies (also in the middle of an emission) and their XML stored form.
#include "tarn/utils/signalslot/csignalbase.h"

#include <algorithm>
#include <string>
#include <utility>

#include "tarn/utils/signalslot/cslot.h"
#include "tarn/utils/signalslot/cslotregistry.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace tarn {

CSignalBase::CSignalBase() : myState(std::make_shared<CState>()) {}

CSignalBase::~CSignalBase() {
    myState->myAlive = false;
    DisconnectAll();
}

bool CSignalBase::Connect(CSlot* slot) {
    if (!slot || slot->GetSignal()) return false;
    if (!slot->GetEvent() || !Accepts(*slot->GetEvent())) {
        delete slot;
        return false;
    }
    slot->SetSignal(this);
    mySlots.push_back(slot);
    return true;
}

void CSignalBase::Discard(CSlot* slot) {
    slot->SetSignal(nullptr);
    if (myState->myDepth > 0) {
        myState->myRemoved.push_back(slot);
    } else {
        delete slot;
    }
}

void CSignalBase::DisconnectAll() {
    std::vector<CSlot*> slots;
    if (myState->myDepth > 0) {
        // Keep the indices of the running emissions: leave holes.
        for (CSlot*& slot : mySlots) slots.push_back(std::exchange(slot, nullptr));
    } else {
        slots.swap(mySlots);
    }
    for (CSlot* slot : slots) {
        if (slot) Discard(slot);
    }
}

void CSignalBase::Remove(CSlot* slot) {
    const auto found = std::find(mySlots.begin(), mySlots.end(), slot);
    if (!slot || found == mySlots.end()) return;
    if (myState->myDepth > 0) {
        *found = nullptr;
    } else {
        mySlots.erase(found);
    }
    Discard(slot);
}

int CSignalBase::GetSlotCount() const {
    return static_cast<int>(mySlots.size() - std::count(mySlots.begin(), mySlots.end(), nullptr));
}

CSlot* CSignalBase::GetSlot(int i) const {
    for (CSlot* slot : mySlots) {
        if (slot && i-- == 0) return slot;
    }
    return nullptr;
}

CSignalBase::CEmission::CEmission(CSignalBase& signal)
    : mySignal(signal), myState(signal.myState), myCount(signal.mySlots.size()) {
    ++myState->myDepth;
}

CSignalBase::CEmission::~CEmission() {
    if (--myState->myDepth > 0) return;
    if (myState->myAlive) {
        auto& slots = mySignal.mySlots;
        slots.erase(std::remove(slots.begin(), slots.end(), nullptr), slots.end());
    }
    std::vector<CSlot*> removed;
    removed.swap(myState->myRemoved);
    for (CSlot* slot : removed) delete slot;
}

CSlot* CSignalBase::CEmission::GetSlot(std::size_t i) const {
    if (!myState->myAlive || i >= mySignal.mySlots.size()) return nullptr;
    return mySignal.mySlots[i];
}

void CSignalBase::Serialize(CXmlFileSys* filesys) {
    if (!filesys) return;
    TARN_XML_HERE(filesys);
    if (filesys->IsWriting()) {
        for (CSlot* slot : mySlots) {
            if (!slot || !slot->IsSerializable()) continue;
            const auto names = GetSlotNames(slot);
            if (names.first.empty() || names.second.empty()) continue;
            filesys->BeginNode("Slot");
            filesys->AddAttribute("target", names.first);
            filesys->AddAttribute("function", names.second);
            filesys->EndNode("Slot");
        }
        return;
    }
    const CXmlNode* node = filesys->GetNode();
    if (!node) return;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        const CXmlNode* child = node->GetChild(i);
        if (child->GetName() != "Slot" || !child->HasAttribute("target") || !child->HasAttribute("function")) {
            continue;
        }
        Connect(ResolveSlot(child->GetAttribute("target").ToText(), child->GetAttribute("function").ToText()));
    }
}

}  // namespace tarn
