// What the command line and scripts set in console variables before the game starts, read
// once when the game starts.
#ifndef TARN_MARBLES_GAME_CGAMEOPTIONS_H
#define TARN_MARBLES_GAME_CGAMEOPTIONS_H

#include <cstdint>
#include <string>

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

    // Reads the console variables; unset or unreadable ones keep the defaults.
    static CGameOptions FromConsole();
    // The console variable name as an integer; fallback when unset or not a number.
    static int ConsoleInt(const std::string& name, int fallback);
};

}  // namespace marbles

#endif
