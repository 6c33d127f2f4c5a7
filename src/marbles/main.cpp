// The program's entry: chooses where the game reads and writes (working directory or installed
// layout), turns the command-line options into console lines, runs "autoexec.txt", then the
// main loop until it ends or a hang-up or terminate signal.
#include <cstdio>
#include <string>
#include <vector>

#if defined(__EMSCRIPTEN__)
#include <emscripten.h>
#endif

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
#include "tarn/utils/logger/clogger.h"

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

// Runs "autoexec.txt" after the command line's console lines, then the main loop; its exit code.
int RunGame(const marbles::CCommandLine& options, int argc, char** argv) {
    // Installed before the window task starts SDL, which then leaves the handlers in place.
    const marbles::CStopSignalWatch stopSignals;
    tarn::CApplication application;
    for (const std::string& line : options.GetLines()) tarn::CKernel::GetSingleton()->GetConsole()->Execute(line, false);
    application.Init(argc, argv);
    return application.Run();
}

#if defined(MARBLES_WEB_PROGRAM_PATH)
// In the browser's page the program has no file of its own: its file system is laid out as an
// installed tree, with the content unpacked into the data directory.
std::string ProgramPath() { return MARBLES_WEB_PROGRAM_PATH; }

// Applies the layout with the player's folder on the page's persistent storage, and the log
// on the page's console (standard output). False, after saying why, when it cannot.
bool ApplyPaths(const marbles::CGamePaths& paths) {
    const std::string& levelList = paths.GetLevelListFile();
    const std::string::size_type cut = levelList.rfind('/');
    if (!paths.IsInstalled() || cut == std::string::npos) {
        std::fputs("marbles: the page's content is missing\n", stderr);
        return false;
    }
    if (!tarn::platform::OpenPersistentFolder(levelList.substr(0, cut))) {
        std::fputs("marbles: no persistent storage; progress lasts until the page is left\n", stderr);
    }
    if (!paths.Apply()) return false;
    tarn::CLogger::SetFileName("/dev/stdout");
    return true;
}

// Ends the page's program, which its runtime would otherwise keep waiting after a main that
// slept; the page learns of it through Module.onExit. Does not return.
int Finish(int code) {
    emscripten_force_exit(code);
    return code;
}
#else
std::string ProgramPath() { return tarn::platform::GetExecutablePath(); }

bool ApplyPaths(const marbles::CGamePaths& paths) { return paths.Apply(); }

int Finish(int code) { return code; }
#endif

}  // namespace

int main(int argc, char** argv) {
    marbles::CCommandLine options(std::vector<std::string>(argv + 1, argv + argc));
    if (options.GetExitCode() >= 0) {
        std::fputs(options.GetOutput().c_str(), options.GetExitCode() == 0 ? stdout : stderr);
        return options.GetExitCode();
    }
    const marbles::CGamePaths paths = marbles::CGamePaths::Detect(ProgramPath(), MARBLES_RELATIVE_DATA_DIR);
    // The installed game leaves the starting folder when it applies its paths.
    std::vector<std::string> imports;
    for (const std::string& file : options.GetImports())
        imports.push_back(tarn::MakeAbsolutePath(file, tarn::platform::GetWorkingDirectory()));
    if (!ApplyPaths(paths)) return 1;
    ImportLevels(imports, paths.GetMyLevelsDir());
    if (!AskedLevelExists(options, paths.GetLevelListFile())) return 2;
    marbles::SetGamePaths(paths);
    // They win over the saved settings for this run, and are not saved.
    marbles::SetCommandLineSettings(marbles::CGameSettings::FromLines(options.GetLines()));
    return Finish(RunGame(options, argc, argv));
}
