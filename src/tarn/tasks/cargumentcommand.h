// The one way to write a command: a check of the arguments, the action, and the usage text
// that answers a line without arguments or with arguments that fail the check.
#ifndef TARN_TASKS_CARGUMENTCOMMAND_H
#define TARN_TASKS_CARGUMENTCOMMAND_H

#include <functional>
#include <string>

#include "tarn/tasks/icommand.h"

namespace tarn {

class CArgumentCommand : public ICommand {
public:
    // Whether the arguments suit the command.
    using Check = std::function<bool(const CParameterList&)>;
    // Runs the command on its arguments (an empty list for a line without parentheses when
    // the command needs none) and returns its answer.
    using Action = std::function<std::string(CParameterList&)>;
    // How a usage text reaches the user: as the command's answer, or as a warning in the log
    // (the answer then is "").
    enum class EReport { ANSWER, LOG };

    // A command that needs no argument: both forms of the line run action.
    explicit CArgumentCommand(Action action);
    // usage answers a line without parentheses, and arguments that fail check (wrongUsage
    // instead, when given).
    CArgumentCommand(const char* usage, Check check, Action action, EReport report = EReport::ANSWER,
                     const char* wrongUsage = nullptr);

    std::string Execute(CParameterList* params) override;
    std::string Execute() override;

    // A first argument of the type (PARAM_STRING, PARAM_NUMBER).
    static Check FirstIs(int type);
    // Any arguments, even none, as long as the line has parentheses.
    static Check AnyArguments();

private:
    std::string Report(const char* usage) const;

    const char* myUsage = nullptr;
    const char* myWrongUsage = nullptr;
    Check myCheck;
    Action myAction;
    EReport myReport = EReport::ANSWER;
};

}  // namespace tarn

#endif
