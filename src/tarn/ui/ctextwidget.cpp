// The text widget: a system-font text sprite on a box that follows the widget.
#include "tarn/ui/ctextwidget.h"

#include <algorithm>

#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace tarn {
namespace ui {

namespace {

// The system font's glyph cell and the margin around the text.
const int GLYPH_WIDTH = 8;
const int GLYPH_HEIGHT = 15;
const int MARGIN = 4;

const int FRAME = 2;

// A w by h black box in a frame of the colour (the glyphs are drawn on black); its owner takes it.
CSprite* MakeBox(int w, int h, const CColor& frame) {
    IPixel* image = CreateOpaqueImage(std::max(1, w), std::max(1, h));
    const CColor black(0, 0, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool inside = x >= FRAME && y >= FRAME && x < w - FRAME && y < h - FRAME;
            image->PutPixel(x, y, inside ? black : frame);
        }
    }
    return new CSprite(image);
}

}  // namespace

CTextWidget::CTextWidget(CWidget* parent, const CRect& rect, const std::string& text, const CColor& frame, bool centred)
    : CWidget(parent, rect, true, "text", ""), myCentred(centred) {
    for (int type : {WIDGET_EVENT_MOTION, WIDGET_EVENT_MOUSE_OUT, WIDGET_EVENT_MOUSE_OVER, WIDGET_EVENT_BUTTON_DOWN,
                     WIDGET_EVENT_BUTTON_UP})
        IgnoreEvent(type, true);
    CFont* font = new CFont();
    CSystemFontLoader(font, "");
    const CRect& own = GetRect();
    myText.reset(new CTextSprite(font, std::max(1, own.w), std::max(1, own.h), MakeBox(own.w, own.h, frame)));
    myText->SetParent(CScreenLayer::GetSingleton());
    SetText(text);
    UpdateSprite();
    UpdateSpriteDepth();
}

CTextSprite* CTextWidget::TextSprite() const { return static_cast<CTextSprite*>(myText.get()); }

const std::string& CTextWidget::GetText() const { return TextSprite()->GetText(); }

void CTextWidget::SetText(const std::string& text) {
    if (text == GetText()) return;
    // Placed first: the sprite draws the text once, at the new place.
    int lines = 1;
    int widest = 0;
    int run = 0;
    for (char c : text) {
        run = c == '\n' ? 0 : run + 1;
        if (c == '\n') ++lines;
        widest = std::max(widest, run);
    }
    const CRect& rect = GetRect();
    const int x = myCentred ? (rect.w - widest * GLYPH_WIDTH) / 2 : MARGIN;
    const int y = myCentred ? (rect.h - lines * GLYPH_HEIGHT) / 2 : MARGIN / 2;
    TextSprite()->SetStartPosition(CTextPos(std::max(0, x), std::max(0, y)));
    TextSprite()->SetText(text);
}

void CTextWidget::UpdateSprite() {
    CWidget::UpdateSprite();
    if (!myText) return;
    const CRect& rect = GetRect();
    myText->SetPosition(rect.x, rect.y);
}

void CTextWidget::UpdateSpriteDepth() {
    CWidget::UpdateSpriteDepth();
    if (myText) myText->SetZ(GetDepth());
}

}  // namespace ui
}  // namespace tarn
