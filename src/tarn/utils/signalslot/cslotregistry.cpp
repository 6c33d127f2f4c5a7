// The process-wide registry of named slots: per class name, the functions that stored
// connections may name, each with a prototype connection. Filled by static registrations,
// never emptied.
#include "tarn/utils/signalslot/cslotregistry.h"

#include "tarn/utils/signalslot/cssobject.h"

namespace tarn {

CSlotRegistry& CSlotRegistry::GetSingleton() {
    static CSlotRegistry* registry = new CSlotRegistry();
    return *registry;
}

void CSlotRegistry::Register(const std::string& className, const std::string& functionName, CSlot* prototype) {
    if (!prototype) return;
    myCurrentClass = className;
    mySerializable = true;
    // Connections cloned from a named prototype can always be stored, the first one included.
    prototype->SetSerializable(true);
    myClasses[className].emplace_back(functionName, std::unique_ptr<CSlot>(prototype));
}

void CSlotRegistry::Register(const std::string& functionName, CSlot* prototype) {
    Register(myCurrentClass, functionName, prototype);
}

CSlot* CSlotRegistry::CloneFor(const CEntries& entries, CSSObject* object, const std::string& functionName) {
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (entry->first != functionName) continue;
        std::unique_ptr<CSlot> clone(entry->second->Clone());
        if (clone->SetTarget(object)) return clone.release();
    }
    return nullptr;
}

CSlot* CSlotRegistry::CreateSlot(CSSObject* object, const std::string& functionName) const {
    if (!object) return nullptr;
    const std::string className = object->GetClassName();
    const auto own = myClasses.find(className);
    if (own != myClasses.end()) {
        if (CSlot* slot = CloneFor(own->second, object, functionName)) return slot;
    }
    // Classes that do not name themselves find their slots by what the slot can take.
    for (const auto& entries : myClasses) {
        if (entries.first == className) continue;
        if (CSlot* slot = CloneFor(entries.second, object, functionName)) return slot;
    }
    return nullptr;
}

std::pair<std::string, std::string> CSlotRegistry::GetNames(const CSlot& slot) const {
    const IGenericEvent* event = slot.GetEvent();
    if (!event) return {};
    for (const auto& entries : myClasses) {
        for (const auto& entry : entries.second) {
            const IGenericEvent* prototype = entry.second->GetEvent();
            if (!prototype || !prototype->IsEqual(*event)) continue;
            std::string target = entries.first;
            if (const CSSObject* object = event->GetSSObject()) target = object->GetName();
            return {target, entry.first};
        }
    }
    return {};
}

void RegisterSlot(const std::string& className, const std::string& functionName, CSlot* prototype) {
    CSlotRegistry::GetSingleton().Register(className, functionName, prototype);
}

void RegisterSlot(const std::string& functionName, CSlot* prototype) {
    CSlotRegistry::GetSingleton().Register(functionName, prototype);
}

CSlot* ResolveSlot(const std::string& target, const std::string& function) {
    CSSObject* object = FindObject(target);
    return object ? object->GetSlot(function) : nullptr;
}

std::pair<std::string, std::string> GetSlotNames(const CSlot* slot) {
    return slot ? CSlotRegistry::GetSingleton().GetNames(*slot) : std::pair<std::string, std::string>();
}

}  // namespace tarn
