// A named variable of the command interpreter, read and written as text.
// The interpreter owns the variables it holds.
#ifndef TARN_TASKS_IVARIABLE_H
#define TARN_TASKS_IVARIABLE_H

#include <string>

namespace tarn {

class IVariable {
public:
    virtual ~IVariable() = default;
    // Ignored when the variable is read-only.
    virtual void SetFromString(const std::string& text) = 0;
    virtual std::string ToString() const = 0;
    virtual std::string GetName() const = 0;
    virtual std::string GetTypeName() const = 0;
};

}  // namespace tarn

#endif
