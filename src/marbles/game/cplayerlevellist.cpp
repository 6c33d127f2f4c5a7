// Reading and writing the player's level list, and what the title says when that goes wrong.
#include "marbles/game/cplayerlevellist.h"

#include <filesystem>
#include <system_error>

#include "marbles/game/gamepaths.h"
#include "marbles/game/levelprogress.h"
#include "tarn/io/pathutils.h"
#include "tarn/platform/platform.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

bool SameFile(const std::string& left, const std::string& right) {
    std::error_code error;
    return left == right || std::filesystem::equivalent(left, right, error);
}

}  // namespace

std::string CPlayerLevelList::LogLocation() {
    const std::string& file = tarn::CLogger::GetFileName();
    if (tarn::IsAbsolutePath(file)) return file;
    const std::string folder = tarn::platform::GetWorkingDirectory();
    return folder.empty() ? file : folder + "/" + file;
}

CPlayerLevelList::CPlayerLevelList(const std::string& fileName) : myFileName(fileName) {
    const std::string seeLog = "See the log: " + LogLocation();
    if (myList.Load(myFileName) && LevelCount(myList) > 0) {
        if (myList.IsDamaged() && !myList.IsRecoverable())
            myNotice = "The level list is damaged: progress is not saved\n" + myFileName + "\n" + seeLog;
        return;
    }
    myNotice = "The level list cannot be read:\n" + myFileName + "\n" + seeLog;
    mySaved = false;
    // The player's file stays as it is; the shipped list, when it is another file, is played.
    if (!SameFile(myFileName, SHIPPED_LEVEL_LIST) && myList.Load(SHIPPED_LEVEL_LIST)) {
        tarn::CLogger::GetSingleton()->Warning()
            << "Playing the shipped level list " << SHIPPED_LEVEL_LIST << "; " << myFileName << " is not written\n";
        return;
    }
    myList.Clear();
}

bool CPlayerLevelList::Save() { return mySaved && myList.Save(myFileName); }

}  // namespace marbles
