// Where the game reads its content and writes the player's files. Run from a build or an
// unpacked folder, everything stays in the working directory ("autoexec.txt", "data/...",
// "log.txt", "data/level_list.xml", "data/settings.txt"). Installed, the game reads from its
// read-only data directory and keeps the level list under $XDG_DATA_HOME/marbles, the log under
// $XDG_STATE_HOME/marbles and the settings under $XDG_CONFIG_HOME/marbles; on Windows all
// under %APPDATA%\Marbles.
#ifndef TARN_MARBLES_GAME_GAMEPATHS_H
#define TARN_MARBLES_GAME_GAMEPATHS_H

#include <string>

namespace marbles {

// The level list as the game ships it, relative to the data directory.
extern const char* const SHIPPED_LEVEL_LIST;
// The player's settings in the portable layout, beside the level list.
extern const char* const PORTABLE_SETTINGS;

class CGamePaths {
public:
    // The portable layout: everything in the working directory.
    CGamePaths();

    // Chooses the layout for the program at programPath: installed when the data directory the
    // build placed relativeDataDir away from the program holds "autoexec.txt". Installed, the
    // player's directories are taken from the XDG variables (or under home), on Windows from
    // APPDATA. Touches nothing.
    static CGamePaths Detect(const std::string& programPath, const std::string& relativeDataDir);

    // Makes the choice take effect, before anything is logged: installed, the player's
    // directories are created, the working directory becomes the data directory, the logger
    // writes to the state directory and the player's level list is copied or merged from the
    // shipped one. Returns false, after saying why on standard error, when the installed game
    // has nowhere to keep the player's files; the portable layout always succeeds.
    bool Apply() const;

    bool IsInstalled() const { return !myDataDir.empty(); }
    const std::string& GetDataDir() const { return myDataDir; }
    const std::string& GetLevelListFile() const { return myLevelListFile; }
    const std::string& GetLogFile() const { return myLogFile; }
    // "" when the installed game finds no configuration folder (then nothing is saved).
    const std::string& GetSettingsFile() const { return mySettingsFile; }
    // The player's own levels ("My levels") and, below it in "drafts", the unproven ones the
    // editor keeps: "data/mylevels" in the working directory, installed beside the player's
    // level list ($XDG_DATA_HOME/marbles/levels, %APPDATA%\Marbles\levels). Created by
    // whoever first writes there.
    const std::string& GetMyLevelsDir() const { return myMyLevelsDir; }

private:
    std::string myDataDir;
    std::string myLevelListFile;
    std::string myLogFile;
    std::string mySettingsFile;
    std::string myMyLevelsDir;
};

// The layout chosen at start-up (the portable one until SetGamePaths is called).
const CGamePaths& GetGamePaths();
void SetGamePaths(const CGamePaths& paths);

}  // namespace marbles

#endif
