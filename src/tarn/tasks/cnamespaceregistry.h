// The process-wide registry of command namespaces (for example "basic").
// Created on first use and never deleted; it owns the namespaces.
#ifndef TARN_TASKS_CNAMESPACEREGISTRY_H
#define TARN_TASKS_CNAMESPACEREGISTRY_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarn/tasks/cnamespace.h"

namespace tarn {

class CInterpreter;
class ICommand;

class CNamespaceRegistry {
public:
    static CNamespaceRegistry* GetSingleton();

    // Creates the namespace when needed; a second command under the same name is ignored.
    // Interpreters attached earlier do not receive it.
    void AddCommand(const std::string& space, const std::string& name, ICommand* command);
    // Adds every command of space to interpreter; nothing happens for an unknown space.
    void AttachInterpreter(const std::string& space, CInterpreter* interpreter);
    // Removes the commands of every namespace the interpreter is attached to.
    void DetachInterpreter(CInterpreter* interpreter);
    // The namespace or null.
    CNamespace* FindNamespace(const std::string& space) const;
    // The namespace names, sorted.
    std::vector<std::string> GetNames() const;

private:
    std::map<std::string, std::unique_ptr<CNamespace>> mySpaces;
};

}  // namespace tarn

#endif
