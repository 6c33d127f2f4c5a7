// One argument value of a command line: empty, a string or a number.
// Strings and numbers convert to each other through standard stream formatting.
#ifndef TARN_TASKS_IPARAMETER_H
#define TARN_TASKS_IPARAMETER_H

#include <string>

namespace tarn {

enum { PARAM_EMPTY = 0, PARAM_STRING = 1, PARAM_NUMBER = 2 };

class IParameter {
public:
    virtual ~IParameter() = default;
    virtual std::string GetString() const = 0;
    // A string that does not parse as a number reads as 0.
    virtual double GetNumber() const = 0;
    virtual void SetString(const std::string& text) = 0;
    virtual void SetNumber(double number) = 0;
    virtual int GetType() const = 0;
    virtual bool IsType(int type) const { return GetType() == type; }
};

}  // namespace tarn

#endif
