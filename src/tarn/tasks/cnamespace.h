// A named group of commands that can be attached to interpreters.
// It points at its commands and interpreters; it owns neither.
#ifndef TARN_TASKS_CNAMESPACE_H
#define TARN_TASKS_CNAMESPACE_H

#include <list>
#include <map>
#include <string>

namespace tarn {

class CInterpreter;
class ICommand;

class CNamespace {
public:
    CNamespace() : myName("unknown") {}
    explicit CNamespace(const std::string& name) : myName(name) {}
    virtual ~CNamespace() = default;
    virtual std::string GetName() const { return myName; }
    virtual void SetName(const std::string& name) { myName = name; }

    // A second command under an existing name is ignored.
    void AddCommand(const std::string& name, ICommand* command);
    bool IsAttached(const CInterpreter* interpreter) const;
    // Adds every command to the interpreter (detaching it first when already attached).
    void Attach(CInterpreter* interpreter);
    // Removes every command of the namespace from the interpreter.
    void Detach(CInterpreter* interpreter);
    const std::map<std::string, ICommand*>& GetCommands() const { return myCommands; }

private:
    std::string myName;
    std::map<std::string, ICommand*> myCommands;
    std::list<CInterpreter*> myInterpreters;
};

}  // namespace tarn

#endif
