// The command-line options turned into console lines for the game task to read.
#include "marbles/game/ccommandline.h"

#include <cstdlib>

namespace marbles {

const char* const CCommandLine::USAGE =
    "Usage: marbles [options]\n"
    "  --fullscreen   start in fullscreen (F11 switches)\n"
    "  --windowed     start in a window, whatever the options say\n"
    "  --no-sound     no music and no sound effects\n"
    "  --no-music     no music\n"
    "  --level N      start at level N, skipping the title\n"
    "  --import FILE  check a shared level (FILE and FILE's .solution) and add it to My levels\n"
    "  -h, --help     show this text\n"
    "  --version      show the version\n";

namespace {

// A level number from 1 up written in decimal digits only; 0 otherwise.
int LevelNumber(const std::string& text) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::atoi(text.c_str());
}

}  // namespace

CCommandLine::CCommandLine(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size() && myExitCode < 0; ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            myOutput = USAGE;
            myExitCode = 0;
        } else if (option == "--version") {
            myOutput = std::string("Marbles ") + VERSION + "\n";
            myExitCode = 0;
        } else if (option == "--fullscreen") {
            myLines.push_back("fullscreen = 1");
        } else if (option == "--windowed") {
            myLines.push_back("fullscreen = 0");
        } else if (option == "--no-sound") {
            myLines.push_back("sound = 0");
        } else if (option == "--no-music") {
            myLines.push_back("music = 0");
        } else if (option == "--level") {
            const int level = i + 1 < arguments.size() ? LevelNumber(arguments[++i]) : 0;
            if (level < 1) {
                Fail("--level needs a level number from 1 up\n");
                break;
            }
            myLines.push_back("level = " + std::to_string(level));
            myLevel = level;
        } else if (option == "--import") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                Fail("--import needs a level file\n");
                break;
            }
            myImports.push_back(arguments[++i]);
        } else {
            Fail("unknown option: " + option + "\n");
        }
    }
}

bool CCommandLine::CheckLevelCount(int levelCount) {
    if (myLevel <= levelCount) return true;
    Fail("there is no level " + std::to_string(myLevel) + ": the level list holds " + std::to_string(levelCount) +
         " levels\n");
    return false;
}

void CCommandLine::Fail(const std::string& text) {
    myOutput = "marbles: " + text + USAGE;
    myExitCode = 2;
}

}  // namespace marbles
