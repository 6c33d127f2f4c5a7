// A signal with the arguments A...: emitting it calls every connection in order.
// CSignal0/1/2 name the forms with zero, one and two arguments.
#ifndef TARN_UTILS_SIGNALSLOT_CSIGNAL_H
#define TARN_UTILS_SIGNALSLOT_CSIGNAL_H

#include "tarn/utils/signalslot/cgenericevent.h"
#include "tarn/utils/signalslot/csgenericevent.h"
#include "tarn/utils/signalslot/csignalbase.h"
#include "tarn/utils/signalslot/cslot.h"
#include "tarn/utils/signalslot/icallableevent.h"

namespace tarn {

template <typename... A>
class CSignal : public CSignalBase {
public:
    using CSignalBase::Connect;

    // Connects object's member function; a CSSObject target is disconnected when it dies.
    template <typename T, typename R>
    bool Connect(T* object, R (T::*function)(A...)) {
        return Connect(new CSlot(new CGenericEvent<T, R, A...>(object, function)));
    }
    // Connects a free function.
    template <typename R>
    bool Connect(R (*function)(A...)) {
        return Connect(new CSlot(new CSGenericEvent<R, A...>(function)));
    }

    // Calls every connection in order. Slots may connect, disconnect, delete their target or
    // delete this signal while it runs.
    void operator()(A... args) {
        const CEmission emission(*this);
        for (std::size_t i = 0; i < emission.GetCount(); ++i) {
            if (CSlot* slot = emission.GetSlot(i)) {
                static_cast<ICallableEvent<A...>*>(slot->GetEvent())->Call(args...);
            }
            if (!emission.IsAlive()) return;
        }
    }

protected:
    bool Accepts(const IGenericEvent& event) const override {
        return dynamic_cast<const ICallableEvent<A...>*>(&event) != nullptr;
    }
};

using CSignal0 = CSignal<>;
template <typename A1>
using CSignal1 = CSignal<A1>;
template <typename A1, typename A2>
using CSignal2 = CSignal<A1, A2>;

}  // namespace tarn

#endif
