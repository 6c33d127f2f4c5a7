// A named group of commands that can be attached to interpreters.
// It points at its commands and interpreters; it owns neither.
#include "tarn/tasks/cnamespace.h"

#include <algorithm>

#include "tarn/tasks/cinterpreter.h"

namespace tarn {

void CNamespace::AddCommand(const std::string& name, ICommand* command) { myCommands.emplace(name, command); }

bool CNamespace::IsAttached(const CInterpreter* interpreter) const {
    return std::find(myInterpreters.begin(), myInterpreters.end(), interpreter) != myInterpreters.end();
}

void CNamespace::Attach(CInterpreter* interpreter) {
    if (IsAttached(interpreter)) Detach(interpreter);
    myInterpreters.push_back(interpreter);
    for (const auto& entry : myCommands) interpreter->AddCommand(entry.first, entry.second);
}

void CNamespace::Detach(CInterpreter* interpreter) {
    if (!IsAttached(interpreter)) return;
    for (const auto& entry : myCommands) interpreter->RemoveCommand(entry.first);
    myInterpreters.remove(interpreter);
}

}  // namespace tarn
