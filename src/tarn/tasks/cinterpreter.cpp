// The command interpreter: splits a line into command and arguments, evaluates the arguments,
// runs the command; also variables, statement lists, comments and task addressing.
#include "tarn/tasks/cinterpreter.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/string/stringutils.h"
#include "tarn/tasks/cboundvariable.h"
#include "tarn/tasks/cvariable.h"

namespace tarn {

const char* const CInterpreter::kTooDeepError = "Error: the line is nested too deeply.";
const char* const CInterpreter::kTooLongError = "Error: the line is longer than 65536 characters.";
const char* const CInterpreter::kTooManyArgumentsError = "Error: the line has more than 1024 arguments.";

namespace {

// True when every character is one of "0123456789.+-" (the text of a number argument).
bool IsNumberText(const std::string& text) {
    return text.find_first_not_of("0123456789.+-") == std::string::npos;
}

// Reads a number argument like stream extraction: the longest valid prefix, 0 when none or
// when it overflows. The text holds only digits, points and signs, so strtod agrees with it.
double ParseNumberText(const std::string& text) {
    // Plain digit runs (the usual case) are exact in a double up to 15 digits.
    if (!text.empty() && text.size() <= 15 && text.find_first_not_of("0123456789") == std::string::npos) {
        double value = 0.0;
        for (char c : text) value = value * 10.0 + (c - '0');
        return value;
    }
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(begin, &end);
    if (end == begin) return 0.0;
    if (errno == ERANGE && (number > 1.0 || number < -1.0)) return 0.0;
    return number;
}

// Cuts a line at its first "//" outside quotes.
std::string CutComment(const std::string& line) {
    const std::string::size_type at = FindOutsideQuotes("//", line, 0);
    return at == std::string::npos ? line : line.substr(0, at);
}

// A script's own lines discard their results, so a refused line or load is logged as well.
std::string Refuse(const std::string& error) {
    CLogger::GetSingleton()->Write(error + "\n");
    return error;
}

class CDepthGuard {
public:
    explicit CDepthGuard(int& depth) : myDepth(depth) { ++myDepth; }
    ~CDepthGuard() { --myDepth; }

private:
    int& myDepth;
};

}  // namespace

CInterpreter::CInterpreter() : myCaseSensitive(false), myDepth(0) {}

CInterpreter::~CInterpreter() = default;

std::string CInterpreter::Key(const std::string& name) const {
    if (myCaseSensitive) return name;
    std::string key = name;
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

std::string CInterpreter::Execute(const std::string& line, bool) {
    if (myDepth >= kMaxDepth) return kTooDeepError;
    if (line.size() > kMaxLineLength) return Refuse(kTooLongError);
    CDepthGuard guard(myDepth);
    return ExecuteLine(line);
}

std::string CInterpreter::ExecuteLine(const std::string& line) {
    if (IsCompoundLine(line)) return ExecuteCompoundLine(line);
    const bool hasOpen = line.find('(') != std::string::npos;
    const std::string name = Trim(hasOpen ? GetCommandName(line) : line);
    ICommand* command = FindCommand(name);
    // A line that names no command and assigns evaluates its right-hand side, arguments
    // included, in Evaluate; evaluating the arguments here as well would run every nested
    // level twice, which grows exponentially with the nesting.
    const bool assigns = !command && FindOutsideQuotes("=", line, 0) != std::string::npos;
    std::unique_ptr<CParameterList> params;
    if (hasOpen && !assigns) {
        const std::string error = ParseArguments(line, params);
        if (!error.empty()) return Refuse(error);
    }
    if (!command) return Evaluate(line);
    return params ? command->Execute(params.get()) : command->Execute();
}

namespace {

// One name for every spelling of a file's path ("a.txt", "./a.txt", "dir/../a.txt").
std::string FileIdentity(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(fileName, error);
    return error ? fileName : path.string();
}

// Keeps a file on the list of files being run while it runs.
class CRunningFile {
public:
    CRunningFile(std::vector<std::string>& files, std::string identity) : myFiles(files) {
        myFiles.push_back(std::move(identity));
    }
    ~CRunningFile() { myFiles.pop_back(); }
    CRunningFile(const CRunningFile&) = delete;
    CRunningFile& operator=(const CRunningFile&) = delete;

private:
    std::vector<std::string>& myFiles;
};

}  // namespace

std::string CInterpreter::ExecuteFile(const std::string& fileName) {
    std::string identity = FileIdentity(fileName);
    if (std::find(myFilesRunning.begin(), myFilesRunning.end(), identity) != myFilesRunning.end())
        return Refuse("Error: Load() the file is already being loaded: " + fileName);
    if (myFilesRunning.empty()) myNestedFiles = 0;
    if (!myFilesRunning.empty() && ++myNestedFiles > kMaxNestedFiles)
        return Refuse("Error: Load() too many files loaded by one script: " + fileName);
    CRunningFile running(myFilesRunning, std::move(identity));
    // A missing file runs nothing, silently; a refused one (a folder, a device, too large) is
    // logged by the reader.
    std::string text;
    if (!ReadRegularFile(fileName, CFileLimits::kScript, text)) return std::string();
    std::string::size_type begin = 0;
    while (begin < text.size()) {
        std::string::size_type end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(begin, end - begin);
        // Scripts written on Windows keep their CR here; it is not part of the line.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Execute(line, false);
        begin = end + 1;
    }
    return std::string();
}

std::string CInterpreter::Evaluate(const std::string& line) {
    if (FindOutsideQuotes("=", line, 0) == std::string::npos) {
        const std::string text = Trim(line);
        const IVariable* variable = FindVariable(text);
        return variable ? variable->ToString() : text;
    }
    const std::vector<std::string> pieces = SplitOutsideQuotesMax("=", line, 2);
    const std::string name = pieces.empty() ? std::string() : Trim(pieces[0]);
    const std::string value = pieces.size() > 1 ? Trim(Execute(pieces[1], false)) : std::string();
    SetVariable(name, value);
    return GetVariable(name);
}

void CInterpreter::AddCommand(const std::string& name, ICommand* command) {
    RemoveCommand(name);
    myCommands[Key(name)] = command;
}

void CInterpreter::RemoveCommand(const std::string& name) { myCommands.erase(Key(name)); }

ICommand* CInterpreter::FindCommand(const std::string& name) const {
    const auto found = myCommands.find(Key(name));
    return found == myCommands.end() ? nullptr : found->second;
}

void CInterpreter::SetCaseSensitive(bool caseSensitive) { myCaseSensitive = caseSensitive; }

bool CInterpreter::IsCaseSensitive() const { return myCaseSensitive; }

std::map<std::string, ICommand*> CInterpreter::GetCommands() const { return myCommands; }

std::string CInterpreter::GetCommandName(const std::string& line) const {
    const std::string::size_type open = line.find('(');
    return open == std::string::npos ? line : line.substr(0, open);
}

bool CInterpreter::IsCompoundLine(const std::string& line) const {
    // One pass with the quote pairing of FindOutsideQuotes: quotes pair from the start.
    bool inQuotes = false;
    bool blank = true;
    const size_t size = line.size();
    for (size_t i = 0; i < size; ++i) {
        const char c = line[i];
        if (c != ' ' && c != '\t') blank = false;
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes) {
            if (c == ';') return true;
            if (i + 1 < size && ((c == ':' && line[i + 1] == ':') || (c == '/' && line[i + 1] == '/'))) return true;
        }
    }
    return blank;
}

std::string CInterpreter::ExecuteCompoundLine(const std::string& line) {
    if (line.find_first_not_of(" \t") == std::string::npos) return std::string();
    if (line.compare(0, 2, "//") == 0) return std::string();

    if (FindOutsideQuotes(";", line, 0) != std::string::npos) {
        std::string result;
        for (const std::string& statement : SplitOutsideQuotes(";", CutComment(line))) {
            result += Execute(statement, false) + "\n";
        }
        return result;
    }
    if (FindOutsideQuotes("::", line, 0) != std::string::npos) {
        const std::vector<std::string> pieces = SplitOutsideQuotes("::", CutComment(line));
        if (pieces.size() < 2) return std::string();
        return ExecuteInNamespace(pieces[0], pieces[1]);
    }
    return Execute(CutComment(line), false);
}

std::string CInterpreter::ExecuteInNamespace(const std::string&, const std::string& line) {
    return Execute(line, false);
}

CParameterList* CInterpreter::ParseParameters(const std::string& line) {
    std::unique_ptr<CParameterList> params;
    ParseArguments(line, params);
    return params.release();
}

std::string CInterpreter::ParseArguments(const std::string& line, std::unique_ptr<CParameterList>& params) {
    params.reset();
    const std::string::size_type open = line.find('(');
    if (open == std::string::npos) return std::string();
    const std::string::size_type close = line.rfind(')');
    if (close == std::string::npos) return std::string();

    // A ")" before the first "(" leaves nothing between them: an empty argument list.
    std::vector<std::string> pieces;
    if (close > open) pieces = SplitOutsideQuotes(",", line.substr(open + 1, close - open - 1));
    if (pieces.size() > static_cast<std::size_t>(kMaxArguments)) return kTooManyArgumentsError;

    params.reset(new CParameterList());
    for (const std::string& piece : pieces) {
        std::string text = Trim(Execute(piece, false));
        if (!text.empty() && !IsNumberText(text)) {
            if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
                text = text.substr(1, text.size() - 2);
            }
            params->AddString(text);
        } else {
            params->AddNumber(ParseNumberText(text));
        }
    }
    return std::string();
}

void CInterpreter::SetVariable(const std::string& name, const std::string& value) {
    IVariable* variable = FindVariable(name);
    if (!variable) {
        variable = new CVariable(name, std::string());
        myVariables[Key(name)].reset(variable);
    }
    variable->SetFromString(value);
}

std::string CInterpreter::GetVariable(const std::string& name) const {
    const IVariable* variable = FindVariable(name);
    return variable ? variable->ToString() : std::string();
}

IVariable* CInterpreter::FindVariable(const std::string& name) const {
    if (myVariables.empty()) return nullptr;
    const auto found = myVariables.find(Key(name));
    return found == myVariables.end() ? nullptr : found->second.get();
}

void CInterpreter::AddVariable(const std::string& name, IVariable* variable) {
    myVariables[Key(name)].reset(variable);
}

void CInterpreter::RemoveVariable(const std::string& name) { myVariables.erase(Key(name)); }

void CInterpreter::BindBool(const std::string& name, bool* value) {
    AddVariable(name, new CBoundVariable<bool>(name, value));
}

void CInterpreter::BindInt(const std::string& name, int* value) {
    AddVariable(name, new CBoundVariable<int>(name, value));
}

}  // namespace tarn
