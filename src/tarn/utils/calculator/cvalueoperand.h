// A named value for the calculator: pushes its current number when its name is evaluated,
// so an owner can register "parent.w" once and change the number between calculations.
#ifndef TARN_UTILS_CALCULATOR_CVALUEOPERAND_H
#define TARN_UTILS_CALCULATOR_CVALUEOPERAND_H

#include "tarn/utils/calculator/icalculatoroperand.h"

namespace tarn {

class CValueOperand : public ICalculatorOperand {
public:
    explicit CValueOperand(double value = 0.0) : myValue(value) {}
    void Execute(CPostfix& postfix) override;

    void SetValue(double value) { myValue = value; }
    double GetValue() const { return myValue; }

private:
    double myValue;
};

}  // namespace tarn

#endif
