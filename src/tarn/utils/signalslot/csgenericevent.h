// Event wrapping a free (or static) function R (*)(A...): it has no target.
// CSGenericEvent2 names the two-argument form.
#ifndef TARN_UTILS_SIGNALSLOT_CSGENERICEVENT_H
#define TARN_UTILS_SIGNALSLOT_CSGENERICEVENT_H

#include "tarn/utils/signalslot/icallableevent.h"

namespace tarn {

template <typename R, typename... A>
class CSGenericEvent : public ICallableEvent<A...> {
public:
    using Function = R (*)(A...);

    explicit CSGenericEvent(Function function) : myFunction(function) {}

    void Call(A... args) override {
        if (myFunction) myFunction(args...);
    }
    const std::type_info& GetType() const override { return typeid(const CSGenericEvent*); }
    const void* GetObject() const override { return nullptr; }
    CSSObject* GetSSObject() const override { return nullptr; }
    bool SetObject(CSSObject*) override { return false; }
    bool IsEqual(const IGenericEvent& other) const override {
        return other.GetType() == GetType() && static_cast<const CSGenericEvent&>(other).myFunction == myFunction;
    }
    IGenericEvent* Clone() const override { return new CSGenericEvent(myFunction); }

private:
    Function myFunction;
};

template <typename R, typename A1, typename A2>
using CSGenericEvent2 = CSGenericEvent<R, A1, A2>;

}  // namespace tarn

#endif
