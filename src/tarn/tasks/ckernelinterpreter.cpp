// The interpreter the kernel hands out: echoes lines and results to the log on request and
// passes task-addressed lines ("name::command") to the named running task.
#include "tarn/tasks/ckernelinterpreter.h"

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/ctaskfactory.h"

namespace tarn {

std::string CKernelInterpreter::Execute(const std::string& line, bool echo) {
    if (!echo) return CInterpreter::Execute(line, false);
    CLogger* logger = CLogger::GetSingleton();
    logger->Write(line + "\n");
    const std::string result = CInterpreter::Execute(line, false);
    if (!result.empty()) logger->Write(result + "\n");
    return result;
}

std::string CKernelInterpreter::ExecuteInNamespace(const std::string& space, const std::string& line) {
    if (CTaskFactory::GetSingleton()->ExecuteInTask(space, line)) return std::string();
    return "No namespace named space\n";
}

}  // namespace tarn
