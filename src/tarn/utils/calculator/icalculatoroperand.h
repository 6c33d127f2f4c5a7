// A named operand of the postfix evaluator: a callback that acts on the value stack.
// Named values push a number; operators pop their arguments and push a result.
#ifndef TARN_UTILS_CALCULATOR_ICALCULATOROPERAND_H
#define TARN_UTILS_CALCULATOR_ICALCULATOROPERAND_H

namespace tarn {

class CPostfix;

class ICalculatorOperand {
public:
    virtual ~ICalculatorOperand() {}
    // Acts on the evaluator's stack (Push, Pop, Top, IsEmpty). Must not call Calculate on it.
    virtual void Execute(CPostfix& postfix) = 0;
};

}  // namespace tarn

#endif
