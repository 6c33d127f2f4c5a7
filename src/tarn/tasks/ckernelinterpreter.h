// The interpreter the kernel hands out: echoes lines and results to the log on request and
// passes task-addressed lines ("name::command") to the named running task.
#ifndef TARN_TASKS_CKERNELINTERPRETER_H
#define TARN_TASKS_CKERNELINTERPRETER_H

#include "tarn/tasks/cinterpreter.h"

namespace tarn {

class CKernelInterpreter : public CInterpreter {
public:
    std::string Execute(const std::string& line, bool echo = false) override;
    // "" when the task took the line, "No namespace named space\n" when no such task exists.
    std::string ExecuteInNamespace(const std::string& space, const std::string& line) override;
};

}  // namespace tarn

#endif
