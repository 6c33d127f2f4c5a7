// The ordered list of level files with the player's progress (which levels are completed),
// stored as a "LevelList" element of "Level" children, and the position of the level played.
#ifndef TARN_MARBLES_LEVEL_CLEVELLIST_H
#define TARN_MARBLES_LEVEL_CLEVELLIST_H

#include <cstdint>
#include <string>
#include <vector>

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

// What a won attempt did to a level's records.
class CRecordNews {
public:
    // The level had no record yet: this attempt sets both.
    bool myFirst = false;
    bool myFewerMoves = false;
    bool myFaster = false;
    // An old record was beaten.
    bool IsNewBest() const { return !myFirst && (myFewerMoves || myFaster); }
};

class CLevelList {
public:
    // Positions from 1 up to MAX_POSITION - 1 (999) are taken from a file; entry 0 is the place
    // before the first level.
    static constexpr std::int32_t MAX_POSITION = 1000;

    class CEntry {
    public:
        std::string myFileName;
        bool myCompleted = false;
        // The player's records on a won level: the fewest moves and the shortest time (whole
        // seconds) of a winning attempt, each from its own attempt; 0 while there is none.
        std::uint32_t myBestMoves = 0;
        std::uint32_t myBestSeconds = 0;
        // One of the player's own levels: always open, outside the order of the shipped ones.
        // Known while the game runs only (never read or written).
        bool myOwn = false;
    };

    // Empties the list and reads it from fileName (root "LevelList"). Returns false, leaving the
    // list empty, when the file is missing, holds no element or has another root. A file that
    // is not a whole document (cut off, damaged) gives the entries that could be read, is
    // logged with where reading stopped and marks the list damaged, as does a file with more
    // "Level" tags than the list holds "Level" elements or with a level (a file name) whose
    // position is missing or outside 1 to MAX_POSITION - 1. The current position goes back to
    // 0 either way.
    bool Load(const std::string& fileName);
    // Writes every entry from 0 up to fileName, replacing its content safely
    // (tarn::ReplaceFileContent: a temporary file beside it takes its place). An empty list
    // holds no progress and is not written, so a list that failed to load never overwrites its
    // file. A damaged list never overwrites the player's file unseen: when every level of the
    // file was read, the file is first copied to fileName + ".bad" and the list written; when
    // entries may be lost, the file stays as it was and nothing is written. Returns false when
    // nothing was written (logged). After a save the list counts as whole.
    bool Save(const std::string& fileName);
    // Copies the damaged file fileName, as it is, to fileName + ".bad" before a recovered list
    // replaces it. False when the copy could not be made (then fileName must not be written);
    // logged either way.
    bool KeepDamagedFile(const std::string& fileName) const;

    // Reading: each "Level" child with a "filename" that is not empty and a "position" from 1
    // to MAX_POSITION - 1 is a level, "completed" defaulting to false, "best_moves" and
    // "best_time" (the records) to 0; the levels follow in position order (those of one
    // position in document order) after entry 0, with no empty entries between them. Children
    // with position 0 or without a file name hold no level and are skipped; other children
    // and attributes are ignored. Writing: one "Level" per entry (WriteEntry).
    void Serialize(tarn::CXmlFileSys* filesys);
    // Writes entry as the "Level" element at index: "position", "filename", "completed" (1 or
    // 0) and, only when it has them, the records "best_moves" and "best_time", which builds
    // that know no records read past.
    static void WriteEntry(tarn::CXmlFileSys* filesys, std::int32_t index, const CEntry& entry);
    // Keeps the won attempt's moves and seconds as the records of the entry at index where
    // they beat the old ones (or there were none). Precondition: index < GetEntryCount().
    CRecordNews RecordWin(unsigned index, std::uint32_t moves, std::uint32_t seconds);

    // Marks the entry at the current position completed and advances (never past the end);
    // returns the file name at the new position, or "" outside the list.
    std::string GetNextLevel();
    // As GetNextLevel, but leaves the entry at the current position as it was: for a level
    // that could not be played.
    std::string SkipLevel();
    // Whether the current position is an entry of the list (a level, or the place before it).
    bool IsInside() const { return myPosition >= 0 && myPosition < static_cast<std::int32_t>(myEntries.size()); }

    std::int32_t GetPosition() const { return myPosition; }
    // Moves to position, kept within 0 and the entry count (the place after the last level).
    void SetPosition(std::int32_t position);
    unsigned GetEntryCount() const { return static_cast<unsigned>(myEntries.size()); }
    // Precondition: index < GetEntryCount().
    const CEntry& GetEntry(unsigned index) const { return myEntries[index]; }
    void Clear();
    // Adds entry after the last one.
    void AddEntry(const CEntry& entry) { myEntries.push_back(entry); }
    // Precondition: index < GetEntryCount(). Removes the entry; the current position stays.
    void RemoveEntry(unsigned index) { myEntries.erase(myEntries.begin() + index); }
    // Precondition: index < GetEntryCount().
    void SetOwn(unsigned index, bool own) { myEntries[index].myOwn = own; }
    // Whether the last Load met a damaged file, and whether it read every entry the file
    // seemed to hold (then writing the list loses nothing).
    bool IsDamaged() const { return myDamaged; }
    bool IsRecoverable() const { return myRecoverable; }

private:
    // Returns the number of levels that could not be placed (no usable position).
    int Read(tarn::CXmlFileSys* filesys);
    void Write(tarn::CXmlFileSys* filesys) const;

    std::vector<CEntry> myEntries;
    std::int32_t myPosition = 0;
    bool myDamaged = false;
    bool myRecoverable = false;
};

}  // namespace marbles

#endif
