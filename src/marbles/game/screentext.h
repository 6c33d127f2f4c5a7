// Framed labels and plain boxes drawn in front of the game's pictures: what the editor's
// palette, buttons and lines of text are made of.
#ifndef TARN_MARBLES_GAME_SCREENTEXT_H
#define TARN_MARBLES_GAME_SCREENTEXT_H

#include <string>

#include "marbles/physics/vector2.h"
#include "tarn/gfx/crect.h"
#include "tarn/gfx/csprite.h"

namespace marbles {

// A box of one colour covering rect at depth z, shown in the screen layer.
tarn::CSpriteHandle MakeScreenBox(const tarn::CRect& rect, int red, int green, int blue, int z);
// Text in the system font on black, inside rect (lines split at '\n'), at depth z.
tarn::CSpriteHandle MakeScreenText(const tarn::CRect& rect, const std::string& text, int z);
// A static box of the level (half sides extent, turned by orientation, centred on position in
// world units) drawn where the game maps it, in stone grey for a wall, in wood otherwise.
tarn::CSpriteHandle MakeScreenBodyBox(Vector2 position, Vector2 extent, float orientation, bool wall, int z);
// The text a sprite made by MakeScreenText shows.
std::string ScreenTextOf(const tarn::CSpriteHandle& text);

}  // namespace marbles

#endif
