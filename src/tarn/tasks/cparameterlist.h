// The evaluated argument list of a command line; it owns its values.
// Index 0 is the first argument; out-of-range reads give the empty value's results.
#ifndef TARN_TASKS_CPARAMETERLIST_H
#define TARN_TASKS_CPARAMETERLIST_H

#include <deque>
#include <memory>
#include <string>

#include "tarn/tasks/iparameter.h"

namespace tarn {

class CParameterList {
public:
    CParameterList() = default;
    CParameterList(const CParameterList& other);
    CParameterList& operator=(const CParameterList& other);

    int Count() const { return static_cast<int>(myParams.size()); }
    // PARAM_EMPTY for an index outside the list.
    int GetType(int index) const;
    bool IsType(int index, int type) const { return GetType(index) == type; }
    // "" and 0 for an index outside the list.
    std::string GetString(int index) const;
    double GetNumber(int index) const;

    void AddString(const std::string& text);
    void AddNumber(double number);
    void AddEmpty();
    // Appends a copy of the same kind; an unknown kind appends an empty value.
    void Add(const IParameter& param);
    // Deletes the first value; does nothing on an empty list.
    void PopFront();

private:
    const IParameter* At(int index) const;

    std::deque<std::unique_ptr<IParameter>> myParams;
};

}  // namespace tarn

#endif
