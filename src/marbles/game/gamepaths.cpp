// Where the game reads its content and writes the player's files: the working directory, or
// the installed data directory with the player's files under the XDG directories (Linux) or
// the per-user application-data folder (Windows).
#include "marbles/game/gamepaths.h"

#include <cstdio>

#include "marbles/level/levellistsync.h"
#include "tarn/io/installlayout.h"
#include "tarn/platform/platform.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

const char* const SHIPPED_LEVEL_LIST = "data/level_list.xml";
const char* const PORTABLE_SETTINGS = "data/settings.txt";
const char* const STAGED_LEVEL_LIST = "data/level_list.shipped.xml";

namespace {

#if defined(_WIN32)
// Below %APPDATA%: "C:/Users/<player>/AppData/Roaming/Marbles".
const char* const GAME_FOLDER = "Marbles";
#else
const char* const GAME_FOLDER = "marbles";
#endif

CGamePaths& TheGamePaths() {
    static CGamePaths paths;
    return paths;
}

std::string Parent(const std::string& file) {
    const std::string::size_type cut = file.rfind('/');
    return cut == std::string::npos ? std::string() : file.substr(0, cut);
}

}  // namespace

CGamePaths::CGamePaths()
    : myLevelListFile(SHIPPED_LEVEL_LIST),
      myLogFile("log.txt"),
      mySettingsFile(PORTABLE_SETTINGS),
      myMyLevelsDir("data/mylevels") {}

CGamePaths CGamePaths::Detect(const std::string& programPath, const std::string& relativeDataDir) {
    CGamePaths paths;
    const std::string dataDir = tarn::FindInstalledDataDirectory(programPath, relativeDataDir, "autoexec.txt");
    if (dataDir.empty()) return paths;
    paths.myDataDir = dataDir;
#if defined(_WIN32)
    // One folder for the level list and the log, never beside the program.
    const std::string data = tarn::AbsoluteDirectoryVariable("APPDATA");
    const std::string& state = data;
    const std::string& config = data;
#else
    const std::string data = tarn::XdgBaseDirectory("XDG_DATA_HOME", ".local/share");
    const std::string state = tarn::XdgBaseDirectory("XDG_STATE_HOME", ".local/state");
    const std::string config = tarn::XdgBaseDirectory("XDG_CONFIG_HOME", ".config");
#endif
    paths.myLevelListFile = data.empty() ? std::string() : data + "/" + GAME_FOLDER + "/level_list.xml";
    paths.myLogFile = state.empty() ? std::string() : state + "/" + GAME_FOLDER + "/log.txt";
    // Made when the settings are first saved: a player who never changes them gets no folder.
    paths.mySettingsFile = config.empty() ? std::string() : config + "/" + GAME_FOLDER + "/settings.txt";
    paths.myMyLevelsDir = data.empty() ? std::string() : data + "/" + GAME_FOLDER + "/levels";
    return paths;
}

bool CGamePaths::Apply() const {
    if (!IsInstalled()) {
        // A staged build tree: the player's list beside the program takes in the levels
        // staged since, and keeps what was won.
        tarn::platform::FileEntry staged;
        if (tarn::platform::FindFirstEntry(STAGED_LEVEL_LIST, staged)) SyncLevelList(STAGED_LEVEL_LIST, myLevelListFile);
        return true;
    }
    if (myLevelListFile.empty() || myLogFile.empty()) {
#if defined(_WIN32)
        std::fputs("marbles: APPDATA names no folder for the player's files\n", stderr);
#else
        std::fputs("marbles: neither HOME nor XDG_DATA_HOME/XDG_STATE_HOME name a directory for the "
                   "player's files\n", stderr);
#endif
        return false;
    }
    for (const std::string& file : {myLevelListFile, myLogFile}) {
        if (tarn::MakeDirectories(Parent(file))) continue;
        std::fprintf(stderr, "marbles: cannot create %s\n", Parent(file).c_str());
        return false;
    }
    if (!tarn::platform::SetWorkingDirectory(myDataDir)) {
        std::fprintf(stderr, "marbles: cannot enter the data directory %s\n", myDataDir.c_str());
        return false;
    }
    tarn::CLogger::SetFileName(myLogFile);
    // A failed merge leaves the player's list as it was; the game then reads what is there.
    SyncLevelList(SHIPPED_LEVEL_LIST, myLevelListFile);
    return true;
}

const CGamePaths& GetGamePaths() { return TheGamePaths(); }

void SetGamePaths(const CGamePaths& paths) { TheGamePaths() = paths; }

}  // namespace marbles
