// The process-wide registry of command namespaces (for example "basic").
// Created on first use and never deleted; it owns the namespaces.
#include "tarn/tasks/cnamespaceregistry.h"

namespace tarn {

CNamespaceRegistry* CNamespaceRegistry::GetSingleton() {
    static CNamespaceRegistry* registry = new CNamespaceRegistry();
    return registry;
}

void CNamespaceRegistry::AddCommand(const std::string& space, const std::string& name, ICommand* command) {
    std::unique_ptr<CNamespace>& entry = mySpaces[space];
    if (!entry) entry.reset(new CNamespace(space));
    entry->AddCommand(name, command);
}

void CNamespaceRegistry::AttachInterpreter(const std::string& space, CInterpreter* interpreter) {
    CNamespace* found = FindNamespace(space);
    if (found && interpreter) found->Attach(interpreter);
}

void CNamespaceRegistry::DetachInterpreter(CInterpreter* interpreter) {
    for (auto& entry : mySpaces) entry.second->Detach(interpreter);
}

std::vector<std::string> CNamespaceRegistry::GetNames() const {
    std::vector<std::string> names;
    for (const auto& space : mySpaces) names.push_back(space.first);
    return names;
}

CNamespace* CNamespaceRegistry::FindNamespace(const std::string& space) const {
    const auto found = mySpaces.find(space);
    return found == mySpaces.end() ? nullptr : found->second.get();
}

}  // namespace tarn
