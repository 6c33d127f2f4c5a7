// The expression calculator: converts an infix text to postfix and evaluates it, with the four
// operators "+", "-", "*", "/" registered as operands. Used by the widget layout expressions.
#include "tarn/utils/calculator/ccalculator.h"

#include "tarn/utils/calculator/icalculatoroperand.h"

namespace tarn {

namespace {

// "+" and "-": a missing left value counts as 0, so "-" on one value negates it.
class CAddOperator : public ICalculatorOperand {
public:
    explicit CAddOperator(bool subtract) : mySubtract(subtract) {}
    void Execute(CPostfix& postfix) override {
        if (postfix.IsEmpty()) return;
        const double right = postfix.Pop();
        const double left = postfix.IsEmpty() ? 0.0 : postfix.Pop();
        postfix.Push(mySubtract ? left - right : left + right);
    }

private:
    bool mySubtract;
};

// "*" and "/": a missing left value drops the right one. Dividing by 0 gives 0.
class CMultiplyOperator : public ICalculatorOperand {
public:
    explicit CMultiplyOperator(bool divide) : myDivide(divide) {}
    void Execute(CPostfix& postfix) override {
        if (postfix.IsEmpty()) return;
        const double right = postfix.Pop();
        if (postfix.IsEmpty()) return;
        const double left = postfix.Pop();
        if (!myDivide) {
            postfix.Push(left * right);
        } else {
            postfix.Push(right != 0.0 ? left / right : 0.0);
        }
    }

private:
    bool myDivide;
};

}  // namespace

CCalculator::CCalculator() : mySeparator(" ") {
    const struct {
        const char* myName;
        ICalculatorOperand* myOperator;
    } operators[] = {
        {"+", new CAddOperator(false)},
        {"-", new CAddOperator(true)},
        {"*", new CMultiplyOperator(false)},
        {"/", new CMultiplyOperator(true)},
    };
    for (const auto& entry : operators) {
        myOperators.emplace_back(entry.myOperator);
        AddOperand(entry.myName, entry.myOperator);
    }
}

CCalculator::~CCalculator() = default;

double CCalculator::Calculate(const std::string& infix) {
    if (infix.empty()) return 0.0;
    return CPostfix::Calculate(myConverter.Convert(infix));
}

}  // namespace tarn
