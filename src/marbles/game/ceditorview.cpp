// Draws the level editor's layout, the chosen piece's marks and the HUD with sprites on the
// screen layer, kept until the next drawing.
#include "marbles/game/ceditorview.h"

#include <cmath>

#include "marbles/game/ceditorpalette.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/game/cscreenmapping.h"
#include "marbles/game/screentext.h"

namespace marbles {

namespace {

// Depths: pieces in front of the background, the HUD in front of the pieces.
const int BOX_Z = 60;
const int MARBLE_Z = 50;
const int MARK_Z = 40;
const int HUD_Z = -20;

const CScreenMapping& Mapping() {
    static const CScreenMapping mapping;
    return mapping;
}

tarn::CSpriteHandle MakeMarbleSprite(const CEditorLayout::Piece& piece) {
    tarn::CSpriteHandle sprite = CMarbleSpriteTable::GetSingleton()->GetSprite(piece.type);
    const tarn::CRect rect = sprite->GetRect();
    sprite->SetZ(MARBLE_Z);
    sprite->SetPosition(Mapping().ToScreenX(piece.position.x) - rect.w / 2,
                        Mapping().ToScreenY(piece.position.y) - rect.h / 2);
    return sprite;
}

}  // namespace

Vector2 CEditorView::CornerOf(const CEditorLayout::Piece& box) {
    const float c = std::cos(box.orientation);
    const float s = std::sin(box.orientation);
    return box.position + Vector2{c * box.extent.x - s * box.extent.y, s * box.extent.x + c * box.extent.y};
}

void CEditorView::DrawLayout(const CEditorLayout& layout, int selected) {
    if (!myBackground || myBackgroundFile != layout.GetBackground()) {
        myBackgroundFile = layout.GetBackground();
        myBackground = CMarbleSpriteTable::LoadSprite(myBackgroundFile);
    }
    myPieces.clear();
    const std::vector<CEditorLayout::Piece>& pieces = layout.GetPieces();
    for (const CEditorLayout::Piece& piece : pieces)
        myPieces.push_back(piece.kind == CEditorLayout::PIECE_BOX
                               ? MakeScreenBodyBox(piece.position, piece.extent, piece.orientation, piece.fixed, BOX_Z)
                               : MakeMarbleSprite(piece));
    if (selected < 0 || static_cast<std::size_t>(selected) >= pieces.size()) return;
    DrawMarks(pieces[static_cast<unsigned>(selected)]);
}

void CEditorView::DrawMarks(const CEditorLayout::Piece& chosen) {
    const int x = Mapping().ToScreenX(chosen.position.x);
    const int y = Mapping().ToScreenY(chosen.position.y);
    myPieces.push_back(MakeScreenBox(tarn::CRect(x - 2, y - 2, 5, 5), 255, 255, 0, MARK_Z));
    if (chosen.kind != CEditorLayout::PIECE_BOX || chosen.fixed) return;
    const Vector2 corner = CornerOf(chosen);
    myPieces.push_back(MakeScreenBox(
        tarn::CRect(Mapping().ToScreenX(corner.x) - 3, Mapping().ToScreenY(corner.y) - 3, 7, 7), 255, 255, 0, MARK_Z));
}

void CEditorView::DrawHud(const std::vector<std::string>& lines, float progress) {
    // Below the palette, over the top of the playfield, where marbles are dropped rather than
    // piled: counts and warnings at the left, the proof at the right.
    myHud.clear();
    const int top = CEditorPalette::HEIGHT + 2;
    myHud.push_back(MakeScreenText(tarn::CRect(2, top, 396, 30), lines[0] + "\n" + lines[1], HUD_Z));
    const int barWidth = 230;
    myHud.push_back(MakeScreenBox(tarn::CRect(402, top, barWidth + 4, 12), 60, 60, 70, HUD_Z + 1));
    const int filled = static_cast<int>(progress * static_cast<float>(barWidth));
    if (filled > 0) myHud.push_back(MakeScreenBox(tarn::CRect(404, top + 2, filled, 8), 90, 200, 90, HUD_Z));
    myHud.push_back(MakeScreenText(tarn::CRect(402, top + 14, barWidth + 4, 14), lines[2], HUD_Z));
}

void CEditorView::Clear() {
    myPieces.clear();
    myHud.clear();
    myBackground.reset();
}

}  // namespace marbles
