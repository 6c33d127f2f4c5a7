// A variable bound to a value owned by another object, read and written by stream conversion.
// Text that does not parse sets the value to 0 (false for a bool).
#ifndef TARN_TASKS_CBOUNDVARIABLE_H
#define TARN_TASKS_CBOUNDVARIABLE_H

#include <sstream>
#include <typeinfo>

#include "tarn/tasks/ivariable.h"

namespace tarn {

template <typename T>
class CBoundVariable : public IVariable {
public:
    // value must outlive the variable (or the variable be removed first).
    CBoundVariable(const std::string& name, T* value, bool readOnly = false)
        : myValue(value), myName(name), myTypeName(typeid(T).name()), myReadOnly(readOnly) {}

    void SetFromString(const std::string& text) override {
        if (myReadOnly || !myValue) return;
        std::istringstream in(text);
        T parsed{};
        in >> parsed;
        *myValue = in.fail() ? T{} : parsed;
    }
    std::string ToString() const override {
        if (!myValue) return std::string();
        std::ostringstream out;
        out << *myValue;
        return out.str();
    }
    std::string GetName() const override { return myName; }
    std::string GetTypeName() const override { return myTypeName; }

private:
    T* myValue;
    std::string myName;
    std::string myTypeName;
    bool myReadOnly;
};

}  // namespace tarn

#endif
