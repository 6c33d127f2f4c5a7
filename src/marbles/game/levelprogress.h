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

}  // namespace marbles

#endif
