// The program's entry: chooses where the game reads and writes (working directory or installed
// layout), turns the command-line options into console lines, runs "autoexec.txt", then the
// main loop until it ends or a hang-up or terminate signal.
#include <cstdio>
#include <string>
#include <vector>

#include "marbles/editor/sharedlevel.h"
#include "marbles/game/ccommandline.h"
#include "marbles/game/cgamesettings.h"
#include "marbles/game/cstopsignalwatch.h"
#include "marbles/game/gamepaths.h"
#include "marbles/game/levelprogress.h"
#include "marbles/level/clevellist.h"
#include "tarn/io/installlayout.h"
#include "tarn/io/pathutils.h"
#include "tarn/platform/platform.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/task_sdl/sdlentry.h"

// Where the installed data lies seen from the installed program, set by the build.
#ifndef MARBLES_RELATIVE_DATA_DIR
#define MARBLES_RELATIVE_DATA_DIR ""
#endif

namespace {

// Whether the level --level asks for exists in a level list that reads; false after saying so.
bool AskedLevelExists(marbles::CCommandLine& options, const std::string& levelListFile) {
    marbles::CLevelList list;
    if (options.GetLevel() == 0 || !list.Load(levelListFile)) return true;
    if (options.CheckLevelCount(marbles::LevelCount(list))) return true;
    std::fputs(options.GetOutput().c_str(), stderr);
    return false;
}

// Takes each level --import named (paths absolute) into the player's levels, saying on standard
// output what was imported and on standard error what was refused and why.
void ImportLevels(const std::vector<std::string>& files, const std::string& folder) {
    if (!files.empty() && !tarn::MakeDirectories(folder)) std::fprintf(stderr, "marbles: cannot create %s\n", folder.c_str());
    for (const std::string& file : files) {
        std::string message;
        const bool imported = marbles::ImportLevel(file, folder, message);
        std::fprintf(imported ? stdout : stderr, "marbles: %s\n", message.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    marbles::CCommandLine options(std::vector<std::string>(argv + 1, argv + argc));
    if (options.GetExitCode() >= 0) {
        std::fputs(options.GetOutput().c_str(), options.GetExitCode() == 0 ? stdout : stderr);
        return options.GetExitCode();
    }
    const marbles::CGamePaths paths =
        marbles::CGamePaths::Detect(tarn::platform::GetExecutablePath(), MARBLES_RELATIVE_DATA_DIR);
    // The installed game leaves the starting folder when it applies its paths.
    std::vector<std::string> imports;
    for (const std::string& file : options.GetImports())
        imports.push_back(tarn::MakeAbsolutePath(file, tarn::platform::GetWorkingDirectory()));
    if (!paths.Apply()) return 1;
    ImportLevels(imports, paths.GetMyLevelsDir());
    if (!AskedLevelExists(options, paths.GetLevelListFile())) return 2;
    marbles::SetGamePaths(paths);
    // They win over the saved settings for this run, and are not saved.
    marbles::SetCommandLineSettings(marbles::CGameSettings::FromLines(options.GetLines()));
    // Installed before the window task starts SDL, which then leaves the handlers in place.
    const marbles::CStopSignalWatch stopSignals;
    tarn::CApplication application;
    for (const std::string& line : options.GetLines()) tarn::CKernel::GetSingleton()->GetConsole()->Execute(line, false);
    application.Init(argc, argv);
    return application.Run();
}
