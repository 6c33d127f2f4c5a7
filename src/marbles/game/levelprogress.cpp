// Where play continues and which levels the level-select screen lets the player pick.
#include "marbles/game/levelprogress.h"

#include <algorithm>

#include "marbles/level/clevellist.h"

namespace marbles {

std::int32_t LevelCount(const CLevelList& list) {
    const auto count = static_cast<std::int32_t>(list.GetEntryCount());
    return count > 0 ? count - 1 : 0;
}

std::int32_t FirstOpenLevel(const CLevelList& list) {
    const std::int32_t count = LevelCount(list);
    for (std::int32_t position = 1; position <= count; ++position) {
        const CLevelList::CEntry& entry = list.GetEntry(static_cast<unsigned>(position));
        if (!entry.myCompleted && !entry.myOwn) return position;
    }
    return count > 0 ? 1 : 0;
}

bool IsLevelPlayable(const CLevelList& list, std::int32_t position) {
    if (position < 1 || position > LevelCount(list)) return false;
    const CLevelList::CEntry& entry = list.GetEntry(static_cast<unsigned>(position));
    return entry.myCompleted || entry.myOwn || position == FirstOpenLevel(list);
}

std::int32_t FirstOwnLevel(const CLevelList& list) {
    for (unsigned position = 1; position < list.GetEntryCount(); ++position)
        if (list.GetEntry(position).myOwn) return static_cast<std::int32_t>(position);
    return 0;
}

CLevelList::CEntry OwnLevelEntry(const std::string& fileName) {
    CLevelList::CEntry entry;
    entry.myFileName = fileName;
    entry.myOwn = true;
    return entry;
}

void JoinOwnLevels(CLevelList& list, const std::vector<std::string>& found, const std::string& folder) {
    for (unsigned position = list.GetEntryCount(); position-- > 1;) {
        const std::string& file = list.GetEntry(position).myFileName;
        const bool inFolder = file.compare(0, folder.size() + 1, folder + "/") == 0;
        const bool wasFound = std::find(found.begin(), found.end(), file) != found.end();
        if (inFolder && !wasFound) list.RemoveEntry(position);
        if (wasFound) list.SetOwn(position, true);
    }
    for (const std::string& file : found) {
        bool listed = false;
        for (unsigned position = 1; position < list.GetEntryCount(); ++position)
            listed = listed || list.GetEntry(position).myFileName == file;
        if (!listed) list.AddEntry(OwnLevelEntry(file));
    }
}

std::int32_t ChapterOf(std::int32_t position) {
    return position < 1 ? 0 : (position - 1) / LEVELS_PER_CHAPTER + 1;
}

}  // namespace marbles
