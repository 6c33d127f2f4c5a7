// The game's start options, read from the console variables after the saved settings and the
// command line's have been laid over them.
#include "marbles/game/cgameoptions.h"

#include <sstream>

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"

namespace marbles {

int CGameOptions::ConsoleInt(const std::string& name, int fallback) {
    std::istringstream in(tarn::CKernel::GetSingleton()->GetConsole()->GetVariable(name));
    int value = 0;
    return (in >> value) ? value : fallback;
}

CGameOptions CGameOptions::FromConsole() {
    CGameOptions options;
    options.mySound = ConsoleInt("sound", 1) != 0;
    options.myMusic = ConsoleInt("music", 1) != 0;
    options.myFullscreen = ConsoleInt("fullscreen", 0) != 0;
    options.myStartLevel = ConsoleInt("level", 0);
    return options;
}

CGameOptions CGameOptions::ForRun(const std::string& settingsFile) {
    const CGameSettings saved = CGameSettings::Load(settingsFile);
    saved.ApplyToConsole();
    GetCommandLineSettings().ApplyToConsole();
    CGameOptions options = FromConsole();
    options.mySettingsFile = settingsFile;
    options.mySavedSettings = saved;
    return options;
}

}  // namespace marbles
