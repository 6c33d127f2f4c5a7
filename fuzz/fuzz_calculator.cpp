// Fuzz target: arbitrary bytes as a calculator expression, with a few named values registered,
// and the same bytes as a postfix text. Evaluating a text twice must give the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tarn/utils/calculator/ccalculator.h"
#include "tarn/utils/calculator/cinfixtopostfix.h"
#include "tarn/utils/calculator/cpostfix.h"
#include "tarn/utils/calculator/icalculatoroperand.h"
#include "tarn/utils/calculator/cvalueoperand.h"

namespace {

// Pushes a copy of the top value: exercises operands that read the stack.
class CDuplicate : public tarn::ICalculatorOperand {
public:
    void Execute(tarn::CPostfix& postfix) override {
        if (!postfix.IsEmpty()) postfix.Push(postfix.Top());
    }
};

struct CFixture {
    CFixture() : myX(10), myY(20), myW(640), myH(480), myZero(0) {
        const struct {
            const char* myName;
            tarn::ICalculatorOperand* myOperand;
        } names[] = {
            {"parent.x", &myX}, {"parent.y", &myY}, {"parent.w", &myW},
            {"parent.h", &myH}, {"zero", &myZero},  {"dup", &myDuplicate},
        };
        for (const auto& entry : names) {
            myCalculator.AddOperand(entry.myName, entry.myOperand);
            myPostfix.AddOperand(entry.myName, entry.myOperand);
        }
    }

    tarn::CValueOperand myX, myY, myW, myH, myZero;
    CDuplicate myDuplicate;
    tarn::CCalculator myCalculator;
    tarn::CPostfix myPostfix;
};

bool SameValue(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CFixture fixture;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const double first = fixture.myCalculator.Calculate(text);
    const double second = fixture.myCalculator.Calculate(text);
    if (!SameValue(first, second)) std::abort();  // nothing may carry over between calculations

    tarn::CInfixToPostfix converter;
    const std::string postfix = converter.Convert(text);
    // Converting and evaluating in two steps is what Calculate does.
    if (!SameValue(fixture.myCalculator.CPostfix::Calculate(postfix), first)) std::abort();
    // An evaluator without the operators reads them as (failed) numbers.
    fixture.myPostfix.Calculate(text);
    return 0;
}
