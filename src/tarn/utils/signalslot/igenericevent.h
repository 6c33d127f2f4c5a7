// The event object of a connection: binds a function to its target (or wraps a free function).
// This part is shared by events of every argument list; ICallableEvent adds the call itself.
#ifndef TARN_UTILS_SIGNALSLOT_IGENERICEVENT_H
#define TARN_UTILS_SIGNALSLOT_IGENERICEVENT_H

#include <typeinfo>

namespace tarn {

class CSSObject;

class IGenericEvent {
public:
    virtual ~IGenericEvent() = default;
    // The concrete event class (the type of a pointer to it).
    virtual const std::type_info& GetType() const = 0;
    // The target, null for a free function or a target that is gone.
    virtual const void* GetObject() const = 0;
    // The target as a CSSObject, or null when it is none.
    virtual CSSObject* GetSSObject() const = 0;
    // Retargets the event to object. Returns false, leaving no target, when object is not of
    // the event's target class (or the event has no target, as for a free function).
    virtual bool SetObject(CSSObject* object) = 0;
    // Same concrete type and same function; the targets are not compared.
    virtual bool IsEqual(const IGenericEvent& other) const = 0;
    // A new event with the same target and function; the caller deletes it.
    virtual IGenericEvent* Clone() const = 0;
};

}  // namespace tarn

#endif
