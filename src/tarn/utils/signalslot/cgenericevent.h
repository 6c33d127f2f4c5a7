// Event binding a member function R (T::*)(A...) to a target object of class T.
// CGenericEvent0/1/2 name the forms with zero, one and two arguments.
#ifndef TARN_UTILS_SIGNALSLOT_CGENERICEVENT_H
#define TARN_UTILS_SIGNALSLOT_CGENERICEVENT_H

#include <type_traits>

#include "tarn/utils/signalslot/cssobject.h"
#include "tarn/utils/signalslot/icallableevent.h"

namespace tarn {

template <typename T, typename R, typename... A>
class CGenericEvent : public ICallableEvent<A...> {
public:
    using Function = R (T::*)(A...);

    CGenericEvent(T* object, Function function) : myObject(object), myFunction(function) {}

    void Call(A... args) override {
        if (myObject && myFunction) (myObject->*myFunction)(args...);
    }
    const std::type_info& GetType() const override { return typeid(const CGenericEvent*); }
    const void* GetObject() const override { return myObject; }
    CSSObject* GetSSObject() const override {
        if constexpr (std::is_base_of_v<CSSObject, T>) {
            return myObject;
        } else {
            return nullptr;
        }
    }
    bool SetObject(CSSObject* object) override {
        if constexpr (std::is_base_of_v<CSSObject, T>) {
            myObject = dynamic_cast<T*>(object);
        } else {
            myObject = nullptr;
        }
        return myObject != nullptr;
    }
    bool IsEqual(const IGenericEvent& other) const override {
        return other.GetType() == GetType() && static_cast<const CGenericEvent&>(other).myFunction == myFunction;
    }
    IGenericEvent* Clone() const override { return new CGenericEvent(myObject, myFunction); }

private:
    T* myObject;
    Function myFunction;
};

template <typename T, typename R>
using CGenericEvent0 = CGenericEvent<T, R>;
template <typename T, typename R, typename A1>
using CGenericEvent1 = CGenericEvent<T, R, A1>;
template <typename T, typename R, typename A1, typename A2>
using CGenericEvent2 = CGenericEvent<T, R, A1, A2>;

}  // namespace tarn

#endif
