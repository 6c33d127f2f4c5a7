// An event that can be called with the arguments A...: what a signal with those arguments calls.
// Results of the bound functions are dropped.
#ifndef TARN_UTILS_SIGNALSLOT_ICALLABLEEVENT_H
#define TARN_UTILS_SIGNALSLOT_ICALLABLEEVENT_H

#include "tarn/utils/signalslot/igenericevent.h"

namespace tarn {

template <typename... A>
class ICallableEvent : public IGenericEvent {
public:
    // Calls the function on the target (nothing when the target is gone) or the free function.
    virtual void Call(A... args) = 0;
};

}  // namespace tarn

#endif
