// Framed labels and plain boxes for the game's screens.
#include "marbles/game/screentext.h"

#include <cmath>

#include "marbles/game/cscreenmapping.h"
#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace marbles {

tarn::CSpriteHandle MakeScreenBox(const tarn::CRect& rect, int red, int green, int blue, int z) {
    tarn::IPixel* image = tarn::CreateImage(rect.w, rect.h, tarn::CColor(255, 0, 255, 255));
    const tarn::CColor color(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                             static_cast<std::uint8_t>(blue), 255);
    for (int y = 0; y < rect.h; ++y)
        for (int x = 0; x < rect.w; ++x) image->PutPixel(x, y, color);
    tarn::CSpriteHandle box(new tarn::CSprite(image));
    box->SetZ(z);
    box->SetPosition(rect.x, rect.y);
    box->SetParent(tarn::CScreenLayer::GetSingleton());
    return box;
}

tarn::CSpriteHandle MakeScreenText(const tarn::CRect& rect, const std::string& text, int z) {
    auto* font = new tarn::CFont();
    tarn::CSystemFontLoader(font, "");
    auto* sprite = new tarn::CTextSprite(
        font, rect.w, rect.h, new tarn::CSprite(tarn::CreateImage(rect.w, rect.h, tarn::CColor(255, 0, 255, 255))));
    sprite->SetStartPosition(tarn::CTextPos(3, 2));
    sprite->SetText(text);
    tarn::CSpriteHandle handle(sprite);
    handle->SetZ(z);
    handle->SetPosition(rect.x, rect.y);
    handle->SetParent(tarn::CScreenLayer::GetSingleton());
    return handle;
}

tarn::CSpriteHandle MakeScreenBodyBox(Vector2 position, Vector2 extent, float orientation, bool wall, int z) {
    const CScreenMapping mapping;
    const float c = std::cos(orientation);
    const float s = std::sin(orientation);
    const float scale = mapping.myScaleX;
    const int hw = static_cast<int>((std::fabs(c) * extent.x + std::fabs(s) * extent.y) * scale) + 1;
    const int hh = static_cast<int>((std::fabs(s) * extent.x + std::fabs(c) * extent.y) * scale) + 1;
    const tarn::CColor key(255, 0, 255, 255);
    const tarn::CColor colour = wall ? tarn::CColor(110, 110, 120) : tarn::CColor(160, 110, 60);
    tarn::IPixel* image = tarn::CreateImage(2 * hw, 2 * hh, key);
    for (int y = 0; y < 2 * hh; ++y)
        for (int x = 0; x < 2 * hw; ++x) {
            const float dx = (static_cast<float>(x - hw) + 0.5f) / scale;
            const float dy = (static_cast<float>(y - hh) + 0.5f) / scale;
            const bool inside = std::fabs(c * dx + s * dy) <= extent.x && std::fabs(-s * dx + c * dy) <= extent.y;
            image->PutPixel(x, y, inside ? colour : key);
        }
    tarn::CSpriteHandle sprite(new tarn::CSprite(image));
    sprite->SetZ(z);
    sprite->SetPosition(mapping.ToScreenX(position.x) - hw, mapping.ToScreenY(position.y) - hh);
    sprite->SetParent(tarn::CScreenLayer::GetSingleton());
    return sprite;
}

std::string ScreenTextOf(const tarn::CSpriteHandle& text) {
    return static_cast<const tarn::CTextSprite*>(text.get())->GetText();
}

}  // namespace marbles
