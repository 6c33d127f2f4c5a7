// A key binding that runs a command line in the console interpreter; the result is dropped,
// so a failing command reports only in that discarded result.
#include "tarn/tasks/task_sdl/ccommandbinding.h"

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"

namespace tarn {

void CCommandBinding::Execute(int) { CKernel::GetSingleton()->GetConsole()->Execute(myLine, false); }

}  // namespace tarn
