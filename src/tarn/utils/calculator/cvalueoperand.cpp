// A named value for the calculator: pushes its current number when its name is evaluated,
// so an owner can register "parent.w" once and change the number between calculations.
#include "tarn/utils/calculator/cvalueoperand.h"

#include "tarn/utils/calculator/cpostfix.h"

namespace tarn {

void CValueOperand::Execute(CPostfix& postfix) { postfix.Push(myValue); }

}  // namespace tarn
