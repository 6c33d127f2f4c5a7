// A command of the command language. Commands are owned by whoever registered them;
// interpreters and namespaces only point at them.
#ifndef TARN_TASKS_ICOMMAND_H
#define TARN_TASKS_ICOMMAND_H

#include <string>

namespace tarn {

class CParameterList;

class ICommand {
public:
    virtual ~ICommand() = default;
    // Called for a line with parentheses (params may be an empty list, never null).
    virtual std::string Execute(CParameterList* params) = 0;
    // Called for a line without parentheses.
    virtual std::string Execute() = 0;
};

// The usual base: a call with parentheses falls back to the plain Execute.
class CCommand : public ICommand {
public:
    std::string Execute(CParameterList*) override { return Execute(); }
    std::string Execute() override = 0;
};

}  // namespace tarn

#endif
