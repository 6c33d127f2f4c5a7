// Base class of slot targets: keeps the connections that point at it, so that destroying it
// disconnects it from every signal, and is listed process-wide so stored connections can find
// it by name.
#ifndef TARN_UTILS_SIGNALSLOT_CSSOBJECT_H
#define TARN_UTILS_SIGNALSLOT_CSSOBJECT_H

#include <string>
#include <vector>

namespace tarn {

class CSlot;

class CSSObject {
public:
    CSSObject();
    // A copy starts without connections.
    CSSObject(const CSSObject& other);
    CSSObject& operator=(const CSSObject&) { return *this; }
    // Removes every connection to this object from its signal: none of them is called again.
    virtual ~CSSObject();

    // A new connection to this object's slot registered under functionName (by this object's
    // class, see the slot registry), or null. The caller connects or deletes it.
    virtual CSlot* GetSlot(const std::string& functionName);
    // A hook for derived classes; the signal library does not call it.
    virtual void SlotHook() {}
    // The class name its slots are registered under; by default that of the latest registration.
    virtual std::string GetClassName() const;
    // The object's name: the target of its stored connections.
    virtual std::string GetName() const = 0;

    int GetConnectionCount() const { return static_cast<int>(myConnections.size()); }

private:
    friend class CSlot;
    std::vector<CSlot*> myConnections;
};

// The first living CSSObject, in creation order, whose GetName is name; null if none.
CSSObject* FindObject(const std::string& name);

}  // namespace tarn

#endif
