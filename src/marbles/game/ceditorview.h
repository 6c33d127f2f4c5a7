// What the level editor shows: the level's background, its boxes and marbles where the game
// draws them, the marks of the chosen piece, and the HUD lines with the proof's progress bar.
#ifndef TARN_MARBLES_GAME_CEDITORVIEW_H
#define TARN_MARBLES_GAME_CEDITORVIEW_H

#include <string>
#include <vector>

#include "marbles/editor/ceditorlayout.h"
#include "tarn/gfx/csprite.h"

namespace marbles {

class CEditorView {
public:
    // Where a box's resize handle lies: its corner at the local +x, +y side.
    static Vector2 CornerOf(const CEditorLayout::Piece& box);

    // Draws layout's background (loaded again only when it changed) and pieces, with marks on
    // the chosen piece (selected; -1 for none) and on a chosen box's resize corner.
    void DrawLayout(const CEditorLayout& layout, int selected);
    // Below the palette: the first two lines at the left, the proof's bar (progress from 0 to
    // 1) and the third line at the right.
    void DrawHud(const std::vector<std::string>& lines, float progress);
    // Takes everything drawn off the screen.
    void Clear();

private:
    void DrawMarks(const CEditorLayout::Piece& chosen);

    std::vector<tarn::CSpriteHandle> myPieces;
    std::vector<tarn::CSpriteHandle> myHud;
    tarn::CSpriteHandle myBackground;
    std::string myBackgroundFile;
};

}  // namespace marbles

#endif
