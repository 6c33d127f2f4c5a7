// What the command line, the scripts and the player's saved settings set in console variables
// before the game starts, read once when the game starts.
#ifndef TARN_MARBLES_GAME_CGAMEOPTIONS_H
#define TARN_MARBLES_GAME_CGAMEOPTIONS_H

#include <cstdint>
#include <string>

#include "marbles/game/cgamesettings.h"

namespace marbles {

// "sound" 0 silences everything, "music" 0 the music, "level" N starts at level N and
// "fullscreen" 1 opens the window fullscreen; "music_volume" and "effects_volume" (0 to 100)
// stay bound to the game while it runs (see CGameSound).
class CGameOptions {
public:
    bool mySound = true;
    bool myMusic = true;
    bool myFullscreen = false;
    std::int32_t myStartLevel = 0;
    // Where the options window saves the player's settings ("" for nowhere), and what that
    // file held at the start: the window writes these with the player's changes laid over.
    std::string mySettingsFile;
    CGameSettings mySavedSettings;

    // Reads the console variables; unset or unreadable ones keep the defaults.
    static CGameOptions FromConsole();
    // The options of a run: the settings saved in settingsFile are laid over the start-up
    // script's console variables, and the command line's (GetCommandLineSettings) over those;
    // then the console variables are read.
    static CGameOptions ForRun(const std::string& settingsFile);
    // The console variable name as an integer; fallback when unset or not a number.
    static int ConsoleInt(const std::string& name, int fallback);
};

}  // namespace marbles

#endif
