// Where play continues and which levels may be played: every completed level, and the first
// one not completed; the levels after it stay locked until it is won.
#ifndef TARN_MARBLES_GAME_LEVELPROGRESS_H
#define TARN_MARBLES_GAME_LEVELPROGRESS_H

#include <cstdint>

namespace marbles {

class CLevelList;

// The first position from 1 up whose level is not completed; 1 when every level is (play
// starts over), and 0 for a list without levels.
std::int32_t FirstOpenLevel(const CLevelList& list);
// True for a completed level and for the first open one; false outside the list.
bool IsLevelPlayable(const CLevelList& list, std::int32_t position);
// The number of levels (entry 0 is the place before the first).
std::int32_t LevelCount(const CLevelList& list);

// Levels come in chapters by place in the list: positions 1 to 12 make chapter 1, 13 to 24
// chapter 2, and so on. The list file needs nothing new for it, so older builds read it as ever.
constexpr std::int32_t LEVELS_PER_CHAPTER = 12;
// The chapter of the level at position (from 1); 0 for a position before the first level.
std::int32_t ChapterOf(std::int32_t position);

}  // namespace marbles

#endif
