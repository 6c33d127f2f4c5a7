// A variable that holds its own text value; assignments to unknown names create one.
// Read-only variables ignore SetFromString.
#ifndef TARN_TASKS_CVARIABLE_H
#define TARN_TASKS_CVARIABLE_H

#include "tarn/tasks/ivariable.h"

namespace tarn {

class CVariable : public IVariable {
public:
    CVariable(const std::string& name, const std::string& value, bool readOnly = false)
        : myValue(value), myName(name), myTypeName("string"), myReadOnly(readOnly) {}

    void SetFromString(const std::string& text) override {
        if (!myReadOnly) myValue = text;
    }
    std::string ToString() const override { return myValue; }
    std::string GetName() const override { return myName; }
    std::string GetTypeName() const override { return myTypeName; }

private:
    std::string myValue;
    std::string myName;
    std::string myTypeName;
    bool myReadOnly;
};

}  // namespace tarn

#endif
