// One connection: an owned event, the target it is entered with (when the target is a
// CSSObject), the signal that holds it and whether it may be stored in XML.
#ifndef TARN_UTILS_SIGNALSLOT_CSLOT_H
#define TARN_UTILS_SIGNALSLOT_CSLOT_H

#include <memory>

#include "tarn/utils/signalslot/igenericevent.h"

namespace tarn {

class CSSObject;
class CSignalBase;

class CSlot {
public:
    // Takes ownership of event. When event's target is a CSSObject, the connection is entered
    // in that object's connection list. The serializable flag comes from the slot registry.
    explicit CSlot(IGenericEvent* event);
    // Leaves the target's connection list; deletes the event.
    ~CSlot();
    CSlot(const CSlot&) = delete;
    CSlot& operator=(const CSlot&) = delete;

    // A new connection with a copy of the event (same target) and the same serializable flag,
    // entered with the target; it belongs to no signal yet. The caller deletes or connects it.
    CSlot* Clone() const;

    IGenericEvent* GetEvent() const { return myEvent.get(); }
    CSSObject* GetTarget() const { return myTarget; }
    CSignalBase* GetSignal() const { return mySignal; }
    bool IsSerializable() const { return mySerializable; }
    void SetSerializable(bool serializable) { mySerializable = serializable; }

    // Retargets the connection to object (leaving the old target's list, entering the new one).
    // False, with no target left, when the event cannot take object.
    bool SetTarget(CSSObject* object);

private:
    friend class CSignalBase;
    friend class CSSObject;

    void SetSignal(CSignalBase* signal) { mySignal = signal; }
    // Called by a dying target: forget it without touching its list.
    void ForgetTarget();
    void EnterTarget();
    void LeaveTarget();

    std::unique_ptr<IGenericEvent> myEvent;
    CSSObject* myTarget = nullptr;
    CSignalBase* mySignal = nullptr;
    bool mySerializable = false;
};

}  // namespace tarn

#endif
