// Value reference: names a variable of any type and shows or sets it as text.
// The assertion report keeps one per captured value; the any-value keeps one to its own copy.
#ifndef TARN_UTILS_CONTAINERS_CVALUEREF_H
#define TARN_UTILS_CONTAINERS_CVALUEREF_H

#include <sstream>
#include <string>
#include <typeinfo>

namespace tarn {

class CValueRef {
public:
    virtual ~CValueRef() = default;
    // Parses text into the referenced value; does nothing for a const reference.
    virtual void FromText(const std::string& text) = 0;
    // The value formatted by standard stream insertion with default settings.
    virtual std::string ToText() const = 0;
    virtual std::string GetName() const = 0;
    virtual std::string GetTypeName() const = 0;
    virtual CValueRef* Clone() const = 0;
};

namespace detail {

// Stream insertion for types that have it; types without one show as their type name.
template <typename T, typename = void>
struct CStreamText {
    static std::string ToText(const T&) { return typeid(T).name(); }
    static void FromText(T&, const std::string&) {}
};

template <typename T>
struct CStreamText<T, std::void_t<decltype(std::declval<std::ostream&>() << std::declval<const T&>()),
                                  decltype(std::declval<std::istream&>() >> std::declval<T&>())>> {
    static std::string ToText(const T& value) {
        std::ostringstream out;
        out << value;
        return out.str();
    }
    static void FromText(T& value, const std::string& text) {
        std::istringstream in(text);
        in >> value;
    }
};

template <>
struct CStreamText<std::string> {
    static std::string ToText(const std::string& value) { return value; }
    static void FromText(std::string& value, const std::string& text) { value = text; }
};

}  // namespace detail

template <typename T>
class CValueRefT : public CValueRef {
public:
    CValueRefT(T* value, const std::string& name, bool isConst)
        : myValue(value), myName(name), myTypeName(typeid(T).name()), myConst(isConst) {}

    void FromText(const std::string& text) override {
        if (myConst || myValue == nullptr) return;
        detail::CStreamText<T>::FromText(*myValue, text);
    }
    std::string ToText() const override {
        return myValue ? detail::CStreamText<T>::ToText(*myValue) : std::string();
    }
    std::string GetName() const override { return myName; }
    std::string GetTypeName() const override { return myTypeName; }
    CValueRef* Clone() const override { return new CValueRefT<T>(*this); }

private:
    T* myValue;
    std::string myName;
    std::string myTypeName;
    bool myConst;
};

}  // namespace tarn

#endif
