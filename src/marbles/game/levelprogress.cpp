// Where play continues and which levels the level-select screen lets the player pick.
#include "marbles/game/levelprogress.h"

#include "marbles/level/clevellist.h"

namespace marbles {

std::int32_t LevelCount(const CLevelList& list) {
    const auto count = static_cast<std::int32_t>(list.GetEntryCount());
    return count > 0 ? count - 1 : 0;
}

std::int32_t FirstOpenLevel(const CLevelList& list) {
    const std::int32_t count = LevelCount(list);
    for (std::int32_t position = 1; position <= count; ++position) {
        if (!list.GetEntry(static_cast<unsigned>(position)).myCompleted) return position;
    }
    return count > 0 ? 1 : 0;
}

bool IsLevelPlayable(const CLevelList& list, std::int32_t position) {
    if (position < 1 || position > LevelCount(list)) return false;
    return list.GetEntry(static_cast<unsigned>(position)).myCompleted || position == FirstOpenLevel(list);
}

std::int32_t ChapterOf(std::int32_t position) {
    return position < 1 ? 0 : (position - 1) / LEVELS_PER_CHAPTER + 1;
}

}  // namespace marbles
