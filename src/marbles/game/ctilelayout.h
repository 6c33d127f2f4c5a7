// Where the level select puts its tiles and chapter strips on the 640x480 screen, and what
// each tile says about its level.
#ifndef TARN_MARBLES_GAME_CTILELAYOUT_H
#define TARN_MARBLES_GAME_CTILELAYOUT_H

#include <cstdint>
#include <string>

#include "marbles/game/levelprogress.h"
#include "marbles/level/clevellist.h"
#include "tarn/gfx/crect.h"

namespace marbles {

// Chapters of two rows of six tiles, each under a strip that names it.
class CTileLayout {
public:
    // How a level looks on the level-select screen.
    enum class ETile { COMPLETED, OPEN, LOCKED };

    static constexpr int TILE_COLUMNS = 6;
    static constexpr int TILE_WIDTH = 90;
    static constexpr int TILE_HEIGHT = 38;
    static constexpr int TILE_GAP = 10;
    static constexpr int ROW_GAP = 4;
    static constexpr int TILES_TOP = 54;
    // Each chapter's name stands in a strip above its tiles; three chapters and the player's
    // own levels fit on the screen.
    static constexpr int CHAPTER_STRIP = 24;
    static constexpr int SCREEN_HEIGHT = 480;
    static constexpr int TILE_ROWS_PER_CHAPTER = (LEVELS_PER_CHAPTER + TILE_COLUMNS - 1) / TILE_COLUMNS;

    // The top of the tile of the level at position (from 1).
    static constexpr int TileTop(std::int32_t position) {
        const int index = position - 1;
        const int chapter = index / LEVELS_PER_CHAPTER;
        const int row = chapter * TILE_ROWS_PER_CHAPTER + (index % LEVELS_PER_CHAPTER) / TILE_COLUMNS;
        return TILES_TOP + chapter * CHAPTER_STRIP + row * (TILE_HEIGHT + ROW_GAP);
    }
    // Whole chapters while they fit, then the rows of the last one that still do.
    static constexpr std::int32_t CountFittingTiles() {
        std::int32_t tiles = 0;
        while (TileTop(tiles + 1) + TILE_HEIGHT <= SCREEN_HEIGHT) ++tiles;
        return tiles;
    }
    // The tiles that fit on the screen: three chapters of two rows of six.
    static const std::int32_t MAX_TILES;

    // The tile of a level (position from 1).
    static tarn::CRect TileRect(std::int32_t position);
    // The strip above a chapter's (from 1) first row of tiles that names it.
    static tarn::CRect ChapterRect(std::int32_t chapter);
    // The tile's look for the level at position of list.
    static ETile TileOf(const CLevelList& list, std::int32_t position);
    // The tile's text: the position over "play", "locked" or "done"; a won level with records
    // shows its best time beside the position and its fewest moves below.
    static std::string TileLabel(const CLevelList& list, std::int32_t position);
};

inline constexpr std::int32_t CTileLayout::MAX_TILES = CTileLayout::CountFittingTiles();

}  // namespace marbles

#endif
