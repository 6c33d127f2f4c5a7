// Any-value: owns a copy of a value of any copyable type and converts it to and from text.
// XML attributes are any-values: text when read from a file, typed values when set by code.
#ifndef TARN_UTILS_CONTAINERS_CANYCONTAINER_H
#define TARN_UTILS_CONTAINERS_CANYCONTAINER_H

#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>

#include "tarn/utils/containers/cvalueref.h"

namespace tarn {

class CAnyContainer {
public:
    CAnyContainer() = default;
    CAnyContainer(const std::string& text) { Set(text); }
    CAnyContainer(const char* text) { Set(std::string(text ? text : "")); }
    template <typename T>
    CAnyContainer(const T& value) {
        Set(value);
    }

    CAnyContainer(const CAnyContainer& other) { CopyFrom(other); }
    CAnyContainer& operator=(const CAnyContainer& other) {
        if (this != &other) CopyFrom(other);
        return *this;
    }
    CAnyContainer(CAnyContainer&&) = default;
    CAnyContainer& operator=(CAnyContainer&&) = default;

    template <typename T>
    CAnyContainer& operator=(const T& value) {
        Set(value);
        return *this;
    }
    CAnyContainer& operator=(const char* text) {
        Set(std::string(text ? text : ""));
        return *this;
    }

    bool IsEmpty() const { return myHolder == nullptr; }

    template <typename T>
    bool IsType() const {
        return myHolder != nullptr && myHolder->Type() == typeid(T);
    }

    // The held value when it is of type T, otherwise null. The container keeps ownership.
    template <typename T>
    T* GetPointer() {
        return IsType<T>() ? &static_cast<CHolder<T>*>(myHolder.get())->myValue : nullptr;
    }
    template <typename T>
    const T* GetPointer() const {
        return IsType<T>() ? &static_cast<const CHolder<T>*>(myHolder.get())->myValue : nullptr;
    }

    // The held value when of type T; otherwise the text form parsed into a T
    // (a value-initialised T when the text does not parse).
    template <typename T>
    T Get() const {
        if (const T* held = GetPointer<T>()) return *held;
        T value{};
        detail::CStreamText<T>::FromText(value, ToText());
        return value;
    }

    // The held text itself, the value formatted as text, or "" when empty.
    std::string ToText() const {
        if (const std::string* text = GetPointer<std::string>()) return *text;
        if (!myHolder) return std::string();
        if (!myRef) myRef.reset(myHolder->MakeRef());
        return myRef->ToText();
    }

private:
    struct IHolder {
        virtual ~IHolder() = default;
        virtual const std::type_info& Type() const = 0;
        virtual IHolder* Clone() const = 0;
        virtual CValueRef* MakeRef() = 0;
    };
    template <typename T>
    struct CHolder : IHolder {
        explicit CHolder(const T& value) : myValue(value) {}
        const std::type_info& Type() const override { return typeid(T); }
        IHolder* Clone() const override { return new CHolder<T>(myValue); }
        CValueRef* MakeRef() override { return new CValueRefT<T>(&myValue, std::string(), true); }
        T myValue;
    };

    template <typename T>
    void Set(const T& value) {
        myRef.reset();
        myHolder.reset(new CHolder<T>(value));
    }
    void CopyFrom(const CAnyContainer& other) {
        myRef.reset();
        myHolder.reset(other.myHolder ? other.myHolder->Clone() : nullptr);
    }

    std::unique_ptr<IHolder> myHolder;
    // Bound to the holder's copy; made on the first ToText that needs it, so that the many
    // text values of a document cost one allocation each.
    mutable std::unique_ptr<CValueRef> myRef;
};

}  // namespace tarn

#endif
