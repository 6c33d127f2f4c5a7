// Makes the coloured boxes and the labels in them that the title, help, level select and
// end-of-level pictures show.
#include "marbles/game/cframedtext.h"

#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace marbles {

tarn::CSpriteHandle CFramedText::MakeBox(const tarn::CRect& rect, int red, int green, int blue) {
    tarn::IPixel* image = tarn::CreateImage(rect.w, rect.h, tarn::CColor(255, 0, 255, 255));
    for (int y = 0; y < rect.h; ++y) {
        for (int x = 0; x < rect.w; ++x) image->PutPixel(x, y, tarn::CColor(red, green, blue, 255));
    }
    tarn::CSpriteHandle box(new tarn::CSprite(image));
    box->SetZ(TEXT_Z);
    box->SetPosition(rect.x, rect.y);
    box->SetParent(tarn::CScreenLayer::GetSingleton());
    return box;
}

tarn::CSpriteHandle CFramedText::MakeLabel(const tarn::CRect& rect, const std::string& text, tarn::CFont* font) {
    if (!font) {
        font = new tarn::CFont();
        tarn::CSystemFontLoader(font, "");
    }
    const int w = rect.w - 2 * FRAME;
    const int h = rect.h - 2 * FRAME;
    auto* sprite =
        new tarn::CTextSprite(font, w, h, new tarn::CSprite(tarn::CreateImage(w, h, tarn::CColor(255, 0, 255, 255))));
    sprite->SetStartPosition(tarn::CTextPos(4, 2));
    sprite->SetText(text);
    tarn::CSpriteHandle handle(sprite);
    handle->SetZ(TEXT_Z - 1);
    handle->SetPosition(rect.x + FRAME, rect.y + FRAME);
    handle->SetParent(tarn::CScreenLayer::GetSingleton());
    return handle;
}

}  // namespace marbles
