// The framed texts of the pictures over the level: a box of one colour with a black label in
// it, both on the screen layer in front of the picture.
#ifndef TARN_MARBLES_GAME_CFRAMEDTEXT_H
#define TARN_MARBLES_GAME_CFRAMEDTEXT_H

#include <string>

#include "tarn/gfx/crect.h"
#include "tarn/gfx/csprite.h"

namespace tarn {
class CFont;
}

namespace marbles {

class CFramedText {
public:
    // Texts stand in front of the picture.
    static constexpr int TEXT_Z = -10;
    // The width of the coloured frame around a label.
    static constexpr int FRAME = 3;

    // A box of one colour filling rect, as the frame of a text; the handle owns it.
    static tarn::CSpriteHandle MakeBox(const tarn::CRect& rect, int red, int green, int blue);
    // A text sprite inside rect's frame, on the screen layer, in the system font or in font
    // (taken) when one is given; the handle owns it.
    static tarn::CSpriteHandle MakeLabel(const tarn::CRect& rect, const std::string& text, tarn::CFont* font = nullptr);
};

}  // namespace marbles

#endif
