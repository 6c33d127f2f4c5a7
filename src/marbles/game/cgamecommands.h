// The game's commands in one table: the console name, what it does, the key that runs it in
// the shipped start-up script, and the lines the help screen and the README show for it.
#ifndef TARN_MARBLES_GAME_CGAMECOMMANDS_H
#define TARN_MARBLES_GAME_CGAMECOMMANDS_H

#include <string>
#include <vector>

#include "marbles/game/igamecontrols.h"

namespace marbles {

class CGameCommands {
public:
    // One player action. A command of another task (myTask not "game") has no handler here:
    // its key is bound to that task's command.
    struct SCommand {
        const char* myTask;
        const char* myName;
        // Runs the command with its argument ("" without one); null for another task's.
        void (*myHandler)(IGameControls& game, const std::string& argument);
        // The key as the player reads it ("F11"); null for a command without a key.
        const char* myKey;
        // The help screen's line (short) and the README table's.
        const char* myHelp;
        const char* myReadme;
    };

    // Every command, keyed ones in the order the help screen and the README list them.
    static const std::vector<SCommand>& GetTable();
    // Runs the game command of line ("Undo", "Replay( \"FILE\" )"); false when line names
    // none, and then the game's body list is logged as for any unknown command.
    static bool Execute(IGameControls& game, const std::string& line);
    // The start-up script's binding of the command's key ("keyboard::bind( r, \"game::Reset\" )");
    // "" without a key.
    static std::string BindingLine(const SCommand& command);
    // The help screen's text: the keys in two columns and how to go on.
    static std::string KeysText();

private:
    // The name of line: the text before its argument list, without spaces.
    static std::string NameOf(const std::string& line);
    // The argument of "Name( "TEXT" )" without the quotes and spaces; "" without one.
    static std::string ArgumentOf(const std::string& line);
};

}  // namespace marbles

#endif
