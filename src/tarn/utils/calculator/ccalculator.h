// The expression calculator: converts an infix text to postfix and evaluates it, with the four
// operators "+", "-", "*", "/" registered as operands. Used by the widget layout expressions.
#ifndef TARN_UTILS_CALCULATOR_CCALCULATOR_H
#define TARN_UTILS_CALCULATOR_CCALCULATOR_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/calculator/cinfixtopostfix.h"
#include "tarn/utils/calculator/cpostfix.h"

namespace tarn {

class ICalculatorOperand;

class CCalculator : public CPostfix {
public:
    CCalculator();
    ~CCalculator() override;

    // The value of an infix text; 0 for an empty text. Never fails (see CInfixToPostfix::Convert
    // and CPostfix::Calculate for what malformed text gives).
    double Calculate(const std::string& infix);

private:
    std::vector<std::unique_ptr<ICalculatorOperand>> myOperators;
    CInfixToPostfix myConverter;
    std::string mySeparator;
};

}  // namespace tarn

#endif
