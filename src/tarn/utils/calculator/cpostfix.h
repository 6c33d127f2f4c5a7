// Evaluates a postfix token string on a stack of doubles. Every token is first looked up
// among the named operands (operators and named values); otherwise it is read as a number.
#ifndef TARN_UTILS_CALCULATOR_CPOSTFIX_H
#define TARN_UTILS_CALCULATOR_CPOSTFIX_H

#include <map>
#include <string>
#include <vector>

namespace tarn {

class ICalculatorOperand;

class CPostfix {
public:
    CPostfix();
    virtual ~CPostfix();
    CPostfix(const CPostfix&) = delete;
    CPostfix& operator=(const CPostfix&) = delete;

    // Registers operand under name. A name already present keeps its first operand. The caller
    // keeps ownership and keeps the operand alive as long as this evaluator.
    void AddOperand(const std::string& name, ICalculatorOperand* operand);

    // The stack, for operands. Pop and Top on an empty stack do nothing and give 0.
    void Push(double value);
    double Pop();
    double Top() const;
    bool IsEmpty() const;

    // The value of a postfix text: the top of the stack after every token, 0 when the stack is
    // empty. Tokens that are neither operands nor made of "0123456789.+-" are ignored; number
    // texts that do not parse give 0. Values left below the result are discarded.
    double Calculate(const std::string& postfix);

private:
    void EvaluateToken(const std::string& token);

    std::vector<double> myStack;
    std::map<std::string, ICalculatorOperand*> myOperands;
};

}  // namespace tarn

#endif
