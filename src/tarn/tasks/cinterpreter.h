// The command interpreter: splits a line into command and arguments, evaluates the arguments,
// runs the command; also variables, statement lists, comments and task addressing.
#ifndef TARN_TASKS_CINTERPRETER_H
#define TARN_TASKS_CINTERPRETER_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/icommand.h"
#include "tarn/tasks/ivariable.h"

namespace tarn {

class CInterpreter {
public:
    // Nesting of Execute calls (arguments, assignments, statements) deeper than this yields
    // kTooDeepError instead of recursing further.
    static const int kMaxDepth = 200;
    static const char* const kTooDeepError;
    // A line longer than kMaxLineLength characters, or a call with more than kMaxArguments
    // arguments, is not run: its result is the error text, which is also logged. Both bounds
    // are far above any real script line and keep a hostile one from costing much.
    static constexpr std::string::size_type kMaxLineLength = 64 * 1024;
    static constexpr int kMaxArguments = 1024;
    static const char* const kTooLongError;
    static const char* const kTooManyArgumentsError;

    CInterpreter();
    CInterpreter(const CInterpreter&) = delete;
    CInterpreter& operator=(const CInterpreter&) = delete;

    // Deletes every variable; commands belong to whoever registered them.
    virtual ~CInterpreter();
    // Executes one line and returns its result text; never fails.
    virtual std::string Execute(const std::string& line, bool echo = false);
    // Executes a script file line by line, discarding results; a missing file runs nothing, and
    // so does one that is not a regular file of at most 1 MB (which is logged).
    // Returns "", or an "Error: ..." naming the file (which then runs nothing) when the file is
    // already being run by an outer ExecuteFile, or when the files run inside the outermost one
    // would exceed kMaxNestedFiles: a script that loads itself, or loads others many times over,
    // stops instead of multiplying its work.
    virtual std::string ExecuteFile(const std::string& fileName);
    static const int kMaxNestedFiles = 64;
    // A line naming no command: assignment, variable read or literal.
    virtual std::string Evaluate(const std::string& line);
    virtual void AddCommand(const std::string& name, ICommand* command);
    virtual void RemoveCommand(const std::string& name);
    // The command or null.
    virtual ICommand* FindCommand(const std::string& name) const;
    virtual void SetCaseSensitive(bool caseSensitive);
    virtual bool IsCaseSensitive() const;
    virtual std::map<std::string, ICommand*> GetCommands() const;
    // The text before the first "(", or the whole line.
    virtual std::string GetCommandName(const std::string& line) const;
    virtual bool IsCompoundLine(const std::string& line) const;
    virtual std::string ExecuteCompoundLine(const std::string& line);
    virtual std::string ExecuteInNamespace(const std::string& space, const std::string& line);

    // A new list of the evaluated arguments (caller owns it), or null when the line has no
    // "(" or no ")", or more than kMaxArguments arguments (none is evaluated then).
    CParameterList* ParseParameters(const std::string& line);

    void SetVariable(const std::string& name, const std::string& value);
    // The variable's text, "" when there is none.
    std::string GetVariable(const std::string& name) const;
    IVariable* FindVariable(const std::string& name) const;
    // Takes ownership; replaces (deleting) a variable of the same name.
    void AddVariable(const std::string& name, IVariable* variable);
    void RemoveVariable(const std::string& name);
    void BindBool(const std::string& name, bool* value);
    void BindInt(const std::string& name, int* value);

protected:
    std::string Key(const std::string& name) const;

private:
    std::string ExecuteLine(const std::string& line);
    // Evaluates the arguments into params (left null without "(" or ")"); returns
    // kTooManyArgumentsError, with nothing evaluated, past kMaxArguments, else "".
    std::string ParseArguments(const std::string& line, std::unique_ptr<CParameterList>& params);

    std::map<std::string, ICommand*> myCommands;
    std::map<std::string, std::unique_ptr<IVariable>> myVariables;
    bool myCaseSensitive;
    int myDepth;
    // The files being run, outermost first, and how many ran inside the outermost one.
    std::vector<std::string> myFilesRunning;
    int myNestedFiles = 0;
};

}  // namespace tarn

#endif
