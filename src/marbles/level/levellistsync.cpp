// Keeps the player's own copy of the level list in step with the list a game version ships:
// new levels join it, and the levels the player completed stay completed with their records.
#include "marbles/level/levellistsync.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace marbles {

namespace {

// The merged entries written in the level list's own format.
class CEntryWriter {
public:
    explicit CEntryWriter(const std::vector<CLevelList::CEntry>& entries) : myEntries(entries) {}

    void Serialize(tarn::CXmlFileSys* filesys) {
        for (std::size_t i = 0; i < myEntries.size(); ++i)
            CLevelList::WriteEntry(filesys, static_cast<std::int32_t>(i), myEntries[i]);
    }

private:
    const std::vector<CLevelList::CEntry>& myEntries;
};

bool SameEntries(const std::vector<CLevelList::CEntry>& entries, const CLevelList& list) {
    if (entries.size() != list.GetEntryCount()) return false;
    for (unsigned i = 0; i < list.GetEntryCount(); ++i) {
        if (entries[i].myFileName != list.GetEntry(i).myFileName) return false;
        if (entries[i].myCompleted != list.GetEntry(i).myCompleted) return false;
        if (entries[i].myBestMoves != list.GetEntry(i).myBestMoves) return false;
        if (entries[i].myBestSeconds != list.GetEntry(i).myBestSeconds) return false;
    }
    return true;
}

// Writes the entries through a temporary file that takes fileName's place once it is on the
// disk, so an interrupted write loses nothing.
bool WriteEntries(const std::vector<CLevelList::CEntry>& entries, const std::string& fileName) {
    if (tarn::XmlSaveReplacing(CEntryWriter(entries), fileName, "LevelList")) return true;
    tarn::CLogger::GetSingleton()->Warning() << "Could not write the level list: " << fileName << "\n";
    return false;
}

// A damaged player list is copied to playerFile + ".bad" before anything replaces it. True
// when the merged list may be written: every level of the file was read and the copy is made.
bool KeepDamagedList(const CLevelList& player, const std::string& playerFile) {
    if (!player.IsRecoverable()) {
        tarn::CLogger::GetSingleton()->Warning() << "The level list was damaged and levels may be lost: " << playerFile
                                                 << " is kept as it was and is not merged\n";
        return false;
    }
    return player.KeepDamagedFile(playerFile);
}

// The better of two records, 0 standing for none.
std::uint32_t Best(std::uint32_t left, std::uint32_t right) {
    if (left == 0 || right == 0) return left + right;
    return std::min(left, right);
}

// The folder part of fileName ("data/levels" of "data/levels/level01.xml"; "" for none).
std::string FolderOf(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash);
}

}  // namespace

std::vector<CLevelList::CEntry> MergeLevelEntries(const CLevelList& shipped, const CLevelList& player) {
    std::map<std::string, CLevelList::CEntry> earned;
    for (unsigned i = 1; i < player.GetEntryCount(); ++i) {
        const CLevelList::CEntry& entry = player.GetEntry(i);
        if (entry.myFileName.empty()) continue;
        CLevelList::CEntry& kept = earned[entry.myFileName];
        kept.myCompleted = kept.myCompleted || entry.myCompleted;
        kept.myBestMoves = Best(kept.myBestMoves, entry.myBestMoves);
        kept.myBestSeconds = Best(kept.myBestSeconds, entry.myBestSeconds);
    }
    std::vector<CLevelList::CEntry> merged;
    std::set<std::string> shippedFolders;
    for (unsigned i = 0; i < shipped.GetEntryCount(); ++i) {
        CLevelList::CEntry entry = shipped.GetEntry(i);
        const auto found = i == 0 ? earned.end() : earned.find(entry.myFileName);
        if (found != earned.end()) {
            entry.myCompleted = entry.myCompleted || found->second.myCompleted;
            entry.myBestMoves = Best(entry.myBestMoves, found->second.myBestMoves);
            entry.myBestSeconds = Best(entry.myBestSeconds, found->second.myBestSeconds);
        }
        merged.push_back(entry);
        shippedFolders.insert(FolderOf(entry.myFileName));
    }
    // The player's own levels lie outside the shipped levels' folders: they stay, after them.
    for (unsigned i = 1; i < player.GetEntryCount(); ++i) {
        const CLevelList::CEntry& entry = player.GetEntry(i);
        if (!entry.myFileName.empty() && shippedFolders.count(FolderOf(entry.myFileName)) == 0)
            merged.push_back(entry);
    }
    return merged;
}

bool SyncLevelList(const std::string& shippedFile, const std::string& playerFile) {
    CLevelList shipped;
    if (!shipped.Load(shippedFile) || shipped.GetEntryCount() == 0) return false;
    std::error_code error;
    CLevelList player;
    if (std::filesystem::exists(playerFile, error) && !player.Load(playerFile)) {
        tarn::CLogger::GetSingleton()->Warning() << "Kept the unreadable level list as " << playerFile << ".broken\n";
        std::filesystem::rename(playerFile, playerFile + ".broken", error);
    }
    if (player.IsDamaged() && !KeepDamagedList(player, playerFile)) return false;
    const std::vector<CLevelList::CEntry> merged = MergeLevelEntries(shipped, player);
    if (!player.IsDamaged() && SameEntries(merged, player)) return true;
    return WriteEntries(merged, playerFile);
}

}  // namespace marbles
