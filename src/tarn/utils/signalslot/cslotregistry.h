// The process-wide registry of named slots: per class name, the functions that stored
// connections may name, each with a prototype connection. Filled by static registrations,
// never emptied.
#ifndef TARN_UTILS_SIGNALSLOT_CSLOTREGISTRY_H
#define TARN_UTILS_SIGNALSLOT_CSLOTREGISTRY_H

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tarn/utils/signalslot/cgenericevent.h"
#include "tarn/utils/signalslot/cslot.h"

namespace tarn {

class CSSObject;

class CSlotRegistry {
public:
    // Created on first use; never null, never deleted.
    static CSlotRegistry& GetSingleton();

    // Registers prototype (owned from now on) as className's slot functionName and makes
    // className the current class. Null prototypes are ignored.
    void Register(const std::string& className, const std::string& functionName, CSlot* prototype);
    // The same under the current class name.
    void Register(const std::string& functionName, CSlot* prototype);

    const std::string& GetCurrentClassName() const { return myCurrentClass; }
    // True once any slot has been registered: new connections are then stored in XML.
    bool IsSerializable() const { return mySerializable; }

    // A new connection to object's slot functionName, entered in object's connection list, or
    // null. Looked up under object's GetClassName first (the latest entry of the name wins),
    // then under every class whose slot can take object.
    CSlot* CreateSlot(CSSObject* object, const std::string& functionName) const;

    // (class name, function name) of the first registered prototype, in class name order,
    // whose event equals slot's; the class name is replaced by the target's GetName when the
    // target is a CSSObject. Two empty texts when no prototype matches.
    std::pair<std::string, std::string> GetNames(const CSlot& slot) const;

private:
    using CEntries = std::vector<std::pair<std::string, std::unique_ptr<CSlot>>>;

    static CSlot* CloneFor(const CEntries& entries, CSSObject* object, const std::string& functionName);

    std::map<std::string, CEntries> myClasses;
    std::string myCurrentClass;
    bool mySerializable = false;
};

// Registers prototype as className's slot functionName (see CSlotRegistry::Register).
void RegisterSlot(const std::string& className, const std::string& functionName, CSlot* prototype);
void RegisterSlot(const std::string& functionName, CSlot* prototype);

// Registers T's member function as className's slot functionName; returns true so that a
// static bool can run it before main: static const bool r = RegisterSlot("CMine", "Hit", &CMine::Hit);
template <typename T, typename R, typename... A>
bool RegisterSlot(const std::string& className, const std::string& functionName, R (T::*function)(A...)) {
    RegisterSlot(className, functionName, new CSlot(new CGenericEvent<T, R, A...>(nullptr, function)));
    return true;
}

// FindObject (target), then its GetSlot (function); null if either fails. The caller connects
// or deletes the result.
CSlot* ResolveSlot(const std::string& target, const std::string& function);

// The (target, function) names under which slot is stored; two empty texts if it has none.
std::pair<std::string, std::string> GetSlotNames(const CSlot* slot);

}  // namespace tarn

#endif
