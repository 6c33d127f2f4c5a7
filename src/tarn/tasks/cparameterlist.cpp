// The evaluated argument list of a command line; it owns its values.
// Index 0 is the first argument; out-of-range reads give the empty value's results.
#include "tarn/tasks/cparameterlist.h"

#include "tarn/tasks/cparameter.h"

namespace tarn {

CParameterList::CParameterList(const CParameterList& other) { *this = other; }

CParameterList& CParameterList::operator=(const CParameterList& other) {
    if (this == &other) return *this;
    myParams.clear();
    for (const auto& param : other.myParams) Add(*param);
    return *this;
}

const IParameter* CParameterList::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return myParams[static_cast<size_t>(index)].get();
}

int CParameterList::GetType(int index) const {
    const IParameter* param = At(index);
    return param ? param->GetType() : PARAM_EMPTY;
}

std::string CParameterList::GetString(int index) const {
    const IParameter* param = At(index);
    return param ? param->GetString() : std::string();
}

double CParameterList::GetNumber(int index) const {
    const IParameter* param = At(index);
    return param ? param->GetNumber() : 0.0;
}

void CParameterList::AddString(const std::string& text) { myParams.emplace_back(new CStringParameter(text)); }

void CParameterList::AddNumber(double number) { myParams.emplace_back(new CNumberParameter(number)); }

void CParameterList::AddEmpty() { myParams.emplace_back(new CEmptyParameter()); }

void CParameterList::Add(const IParameter& param) {
    switch (param.GetType()) {
        case PARAM_STRING: AddString(param.GetString()); break;
        case PARAM_NUMBER: AddNumber(param.GetNumber()); break;
        default: AddEmpty(); break;
    }
}

void CParameterList::PopFront() {
    if (!myParams.empty()) myParams.pop_front();
}

}  // namespace tarn
