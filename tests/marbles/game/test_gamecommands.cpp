// Tests of the game's command table: dispatch by name with arguments, and the shipped start-up
// script, the help screen and the README's key table agreeing with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "marbles/game/cgamecommands.h"
#include "support/testsupport.h"

using namespace marbles;

namespace {

// Records what the commands ask of the game.
class CRecordingGame : public IGameControls {
public:
    void Reset() override { myCalls.push_back("Reset"); }
    bool Undo() override { return Say("Undo"); }
    bool Hint() override { return Say("Hint"); }
    void TogglePause() override { myCalls.push_back("Pause"); }
    void ToggleMute() override { myCalls.push_back("Mute"); }
    void Back() override { myCalls.push_back("Back"); }
    void OpenLevelSelect() override { myCalls.push_back("LevelSelect"); }
    void OpenOptions() override { myCalls.push_back("Options"); }
    void OpenEditor() override { myCalls.push_back("Editor"); }
    void QueueReplay(const std::string& file) override { myCalls.push_back("Replay " + file); }
    bool WatchSolution() override { return Say("Watch"); }
    void DumpBodies() const override { myCalls.push_back("Dump"); }
    bool Say(const std::string& what) {
        myCalls.push_back(what);
        return true;
    }
    mutable std::vector<std::string> myCalls;
};

std::string Source(const std::string& file) {
    return testsupport::ReadFile(std::string(MARBLES_SOURCE_DIR) + "/" + file);
}

}  // namespace

TEST(GameCommands, EachNameRunsItsHandlerWithItsArgumentAndAnythingElseListsTheBodies) {
    const struct {
        const char* line;
        const char* call;
        bool known;
    } cases[] = {
        {"Reset", "Reset", true},
        {"Undo", "Undo", true},
        {"Hint", "Hint", true},
        {"Pause", "Pause", true},
        {"Mute", "Mute", true},
        {"Back", "Back", true},
        {"LevelSelect", "LevelSelect", true},
        {"Options", "Options", true},
        {"Watch", "Watch", true},
        {"Replay( \"data/solutions/level01.txt\" )", "Replay data/solutions/level01.txt", true},
        {"Replay(data/x.txt)", "Replay data/x.txt", true},
        {"reset", "Dump", false},
        {"ToggleFullscreen", "Dump", false},  // another task's command
        {"", "Dump", false},
    };
    for (const auto& c : cases) {
        CRecordingGame game;
        EXPECT_EQ(CGameCommands::Execute(game, c.line), c.known) << c.line;
        EXPECT_EQ(game.myCalls, std::vector<std::string>{c.call}) << c.line;
    }
    CRecordingGame game;
    EXPECT_TRUE(CGameCommands::Execute(game, "Replay"));  // no file: nothing queued
    EXPECT_TRUE(game.myCalls.empty());
}

TEST(GameCommands, TheStartupScriptTheHelpScreenAndTheReadmeListEveryKeyOfTheTable) {
    const std::string script = Source("game/autoexec.txt");
    const std::string readme = Source("README.md");
    const std::string help = CGameCommands::KeysText();
    int keys = 0;
    std::string bindings;
    for (const CGameCommands::SCommand& command : CGameCommands::GetTable()) {
        if (!command.myKey) continue;
        ++keys;
        const std::string key = command.myKey;
        bindings += CGameCommands::BindingLine(command) + "\n";
        EXPECT_NE(readme.find("| " + key + " | " + command.myReadme + " |\n"), std::string::npos) << key;
        EXPECT_NE(help.find(" " + key + " "), std::string::npos) << key;
        EXPECT_NE(help.find(std::string(" ") + command.myHelp), std::string::npos) << key;
    }
    // The script binds exactly the table's keys, in its order, in one block.
    EXPECT_NE(script.find(bindings), std::string::npos) << bindings;
    std::size_t bound = 0;
    for (auto at = script.find("\nkeyboard::bind("); at != std::string::npos;
         at = script.find("\nkeyboard::bind(", at + 1))
        ++bound;
    EXPECT_EQ(bound, static_cast<std::size_t>(keys));
    // The README's key table has no other row.
    const std::size_t table = readme.find("| key | what it does |\n|---|---|\n");
    ASSERT_NE(table, std::string::npos);
    const std::size_t end = readme.find("\n\n", table);
    EXPECT_EQ(std::count(readme.begin() + static_cast<long>(table), readme.begin() + static_cast<long>(end), '\n'),
              keys + 1);
    EXPECT_EQ(help,
              "Keys   R  restart the level        E       level editor (title)\n"
              "       U  undo the last removal    P       pause and resume\n"
              "       H  hint: a chain to clear   M       sound on and off\n"
              "       L  level select (title)     F11     fullscreen and back\n"
              "       O  options (title)          Escape  title; quit there\n"
              "       W  watch the solution\n"
              "\n"
              "                      Click to start");
}
