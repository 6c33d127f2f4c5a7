// The game's command table, the dispatch of a command line through it, and the help text and
// key bindings made from it.
#include "marbles/game/cgamecommands.h"

#include <algorithm>
#include <cctype>

namespace marbles {

namespace {

using IG = IGameControls;
using A = const std::string&;

// Made on first use: the help text may be asked for before main.
const std::vector<CGameCommands::SCommand>& Commands() {
    static const std::vector<CGameCommands::SCommand> commands = {
        {"game", "Reset", [](IG& g, A) { g.Reset(); }, "R", "restart the level", "restart the level"},
        {"game", "Undo", [](IG& g, A) { g.Undo(); }, "U", "undo the last removal",
         "undo the last removal (as many steps back as you like within the level)"},
        {"game", "Hint", [](IG& g, A) { g.Hint(); }, "H", "hint: a chain to clear",
         "hint: a chain you can clear now wears a turning dashed rim, or a message says there is none"},
        {"game", "LevelSelect", [](IG& g, A) { g.OpenLevelSelect(); }, "L", "level select (title)",
         "level select (on the title)"},
        {"game", "Options", [](IG& g, A) { g.OpenOptions(); }, "O", "options (title)",
         "options: music and effects volume, fullscreen (on the title)"},
        {"game", "Watch", [](IG& g, A) { g.WatchSolution(); }, "W", "watch the solution",
         "after a level is lost twice, watch its solution played (click to take over; the last chain is yours)"},
        {"game", "Editor", [](IG& g, A) { g.OpenEditor(); }, "E", "level editor (title)",
         "level editor (on the title; on the level select, then click a level to edit a copy)"},
        {"game", "Pause", [](IG& g, A) { g.TogglePause(); }, "P", "pause and resume",
         "pause and resume (\"Paused\"; nothing moves and the level is not judged)"},
        {"game", "Mute", [](IG& g, A) { g.ToggleMute(); }, "M", "sound on and off",
         "sound (music and effects) off and on"},
        {"window", "ToggleFullscreen", nullptr, "F11", "fullscreen and back",
         "fullscreen and back (the 640x480 picture stays, centred)"},
        {"game", "Back", [](IG& g, A) { g.Back(); }, "Escape", "title; quit there",
         "from a level or any picture back to the title; on the title, quit"},
        {"game", "Replay",
         [](IG& g, A file) {
             if (!file.empty()) g.QueueReplay(file);
         },
         nullptr, nullptr, nullptr},
    };
    return commands;
}

// The help screen's columns: key and line on the left, then key and line on the right.
const std::size_t LEFT_KEY = 3;
const std::size_t LEFT_LINE = 25;
const std::size_t RIGHT_KEY = 8;

std::string Padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string Trimmed(const std::string& text, const char* drop) {
    const std::size_t first = text.find_first_not_of(drop);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(drop) - first + 1);
}

}  // namespace

const std::vector<CGameCommands::SCommand>& CGameCommands::GetTable() { return Commands(); }

std::string CGameCommands::NameOf(const std::string& line) { return Trimmed(line.substr(0, line.find('(')), " "); }

std::string CGameCommands::ArgumentOf(const std::string& line) {
    const std::size_t open = line.find('(');
    const std::size_t close = line.find_last_of(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return std::string();
    return Trimmed(line.substr(open + 1, close - open - 1), " \"");
}

bool CGameCommands::Execute(IGameControls& game, const std::string& line) {
    const std::string name = NameOf(line);
    for (const SCommand& command : Commands()) {
        if (!command.myHandler || name != command.myName) continue;
        command.myHandler(game, ArgumentOf(line));
        return true;
    }
    game.DumpBodies();
    return false;
}

std::string CGameCommands::BindingLine(const SCommand& command) {
    if (!command.myKey) return std::string();
    std::string key = command.myKey;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return "keyboard::bind( " + key + ", \"" + command.myTask + "::" + command.myName + "\" )";
}

std::string CGameCommands::KeysText() {
    std::vector<const SCommand*> keyed;
    for (const SCommand& command : Commands())
        if (command.myKey) keyed.push_back(&command);
    const std::size_t rows = (keyed.size() + 1) / 2;
    std::string text;
    for (std::size_t row = 0; row < rows; ++row) {
        const SCommand& left = *keyed[row];
        text += std::string(row == 0 ? "Keys   " : "       ") + Padded(left.myKey, LEFT_KEY);
        if (row + rows >= keyed.size()) {
            text += std::string(left.myHelp) + "\n";
            continue;
        }
        const SCommand& right = *keyed[row + rows];
        text += Padded(left.myHelp, LEFT_LINE) + Padded(right.myKey, RIGHT_KEY) + right.myHelp + "\n";
    }
    return text + "\n                      Click to start";
}

}  // namespace marbles
