// The program's command-line options: each becomes a console line run before the start-up
// script ("--level 3" sets the console variable "level" to 3); --help and --version answer
// at once, and an unknown option is a usage error.
#ifndef TARN_MARBLES_GAME_CCOMMANDLINE_H
#define TARN_MARBLES_GAME_CCOMMANDLINE_H

#include <string>
#include <vector>

namespace marbles {

class CCommandLine {
public:
    // The version --version prints (the project's version in CMakeLists.txt).
    static constexpr const char* VERSION = "0.22";
    static const char* const USAGE;

    // arguments without the program name.
    explicit CCommandLine(const std::vector<std::string>& arguments);

    // The console lines, in the order the options came.
    const std::vector<std::string>& GetLines() const { return myLines; }
    // -1 to run the game; otherwise the program prints GetOutput and ends with this code
    // (0 after --help or --version, 2 after a usage error: to standard error).
    int GetExitCode() const { return myExitCode; }
    const std::string& GetOutput() const { return myOutput; }
    // The level files --import named, in order (as given, relative to the starting folder).
    const std::vector<std::string>& GetImports() const { return myImports; }
    // The level --level asked for; 0 when none.
    int GetLevel() const { return myLevel; }
    // Whether the level asked for is among levelCount levels; otherwise a usage error as for
    // a bad option (exit code 2, the reason in GetOutput).
    bool CheckLevelCount(int levelCount);

private:
    void Fail(const std::string& text);

    std::vector<std::string> myLines;
    std::vector<std::string> myImports;
    int myExitCode = -1;
    int myLevel = 0;
    std::string myOutput;
};

}  // namespace marbles

#endif
