// Keeps the player's own copy of the level list in step with the list a game version ships:
// new levels join it, and the levels the player completed stay completed with their records.
#ifndef TARN_MARBLES_LEVEL_LEVELLISTSYNC_H
#define TARN_MARBLES_LEVEL_LEVELLISTSYNC_H

#include <string>
#include <vector>

#include "marbles/level/clevellist.h"

namespace marbles {

// The shipped entries in the shipped order, each completed when the shipped list or the
// player's list marks the same file name completed, with the better of both lists' records,
// then the player's own levels (entries of the player's list whose file lies in none of the
// shipped levels' folders) in the player's order, as they were. Entry 0 (the place before the
// first level, no file name) is never read from a file and stays as shipped.
std::vector<CLevelList::CEntry> MergeLevelEntries(const CLevelList& shipped, const CLevelList& player);

// Brings playerFile up to date with shippedFile: a missing or unreadable player list becomes a
// copy of the shipped one (an unreadable one is kept beside it as playerFile + ".broken");
// otherwise the merged list replaces it when it differs, written through a temporary file that
// takes its place. A damaged player list is replaced only when every level of it was read,
// after a copy is kept as playerFile + ".bad"; otherwise it stays as it was. Returns false,
// after logging, when the shipped list cannot be read or playerFile is not written; playerFile
// is then untouched.
bool SyncLevelList(const std::string& shippedFile, const std::string& playerFile);

}  // namespace marbles

#endif
