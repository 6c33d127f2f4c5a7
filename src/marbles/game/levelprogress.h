// Where play continues and which levels may be played: every completed level, and the first
// one not completed; the levels after it stay locked until it is won.
#ifndef TARN_MARBLES_GAME_LEVELPROGRESS_H
#define TARN_MARBLES_GAME_LEVELPROGRESS_H

#include <cstdint>
#include <string>
#include <vector>

#include "marbles/level/clevellist.h"

namespace marbles {

// The first position from 1 up whose level is not completed, the player's own levels aside; 1
// when every level is (play starts over), and 0 for a list without levels.
std::int32_t FirstOpenLevel(const CLevelList& list);
// True for a completed level, the first open one and the player's own levels; false outside
// the list.
bool IsLevelPlayable(const CLevelList& list, std::int32_t position);
// The number of levels (entry 0 is the place before the first).
std::int32_t LevelCount(const CLevelList& list);
// The position of the first of the player's own levels; 0 when there is none.
std::int32_t FirstOwnLevel(const CLevelList& list);
// A list entry for the player's own level in fileName, not won yet.
CLevelList::CEntry OwnLevelEntry(const std::string& fileName);
// Makes the levels found (paths, in order) the player's own levels of list: an entry of the
// same file is marked own, others are added at the end, and entries of files in folder that
// were not found (refused or gone) leave the list.
void JoinOwnLevels(CLevelList& list, const std::vector<std::string>& found, const std::string& folder);

// Levels come in chapters by place in the list: positions 1 to 12 make chapter 1, 13 to 24
// chapter 2, and so on. The list file needs nothing new for it, so older builds read it as ever.
constexpr std::int32_t LEVELS_PER_CHAPTER = 12;
// The chapter of the level at position (from 1); 0 for a position before the first level.
std::int32_t ChapterOf(std::int32_t position);

}  // namespace marbles

#endif
