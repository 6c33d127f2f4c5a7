// The level select's tile and chapter-strip geometry and the tiles' labels, from the player's
// progress and records.
#include "marbles/game/ctilelayout.h"

#include "marbles/game/cattempt.h"

namespace marbles {

tarn::CRect CTileLayout::TileRect(std::int32_t position) {
    const int inChapter = (position - 1) % LEVELS_PER_CHAPTER;
    const int left = (640 - TILE_COLUMNS * (TILE_WIDTH + TILE_GAP) + TILE_GAP) / 2;
    return tarn::CRect(left + (inChapter % TILE_COLUMNS) * (TILE_WIDTH + TILE_GAP), TileTop(position), TILE_WIDTH,
                       TILE_HEIGHT);
}

tarn::CRect CTileLayout::ChapterRect(std::int32_t chapter) {
    const tarn::CRect first = TileRect((chapter - 1) * LEVELS_PER_CHAPTER + 1);
    return tarn::CRect(first.x, first.y - CHAPTER_STRIP, 2 * TILE_WIDTH + TILE_GAP, CHAPTER_STRIP - 2);
}

CTileLayout::ETile CTileLayout::TileOf(const CLevelList& list, std::int32_t position) {
    if (!IsLevelPlayable(list, position)) return ETile::LOCKED;
    return list.GetEntry(static_cast<unsigned>(position)).myCompleted ? ETile::COMPLETED : ETile::OPEN;
}

std::string CTileLayout::TileLabel(const CLevelList& list, std::int32_t position) {
    // The player's own levels follow the shipped ones, counted on their own.
    const std::int32_t firstOwn = FirstOwnLevel(list);
    const bool own = list.GetEntry(static_cast<unsigned>(position)).myOwn;
    const std::string number = own ? "My " + std::to_string(position - firstOwn + 1) : std::to_string(position);
    const ETile tile = TileOf(list, position);
    if (tile != ETile::COMPLETED) return number + (tile == ETile::OPEN ? "\nplay" : "\nlocked");
    const CLevelList::CEntry& level = list.GetEntry(static_cast<unsigned>(position));
    if (level.myBestMoves == 0 || level.myBestSeconds == 0) return number + "\ndone";
    // The best time at the right end of the number's line: ten letters fit a tile.
    const std::string time = CAttempt::TimeText(level.myBestSeconds);
    const std::size_t gap = number.size() + time.size() < 10 ? 10 - number.size() - time.size() : 1;
    return number + std::string(gap, ' ') + time + "\n" + std::to_string(level.myBestMoves) +
           (level.myBestMoves == 1 ? " move" : " moves");
}

}  // namespace marbles
