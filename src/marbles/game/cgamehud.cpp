// The status bar, message line and pause overlay drawn over a level.
#include "marbles/game/cgamehud.h"

#include "marbles/game/cattempt.h"
#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cogffontloader.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace marbles {

namespace {

// In front of the level's pictures and marbles.
const int TEXT_Z = -20;
const int SCREEN_WIDTH = 640;
const int LINE_HEIGHT = 16;
const int MESSAGE_WIDTH = 480;
// The bar: a dark band under a lighter top edge, the text inset from its left end.
const tarn::CColor BAR_COLOR(18, 20, 38);
const tarn::CColor BAR_EDGE(96, 100, 140);
const int TEXT_INSET = 6;

// A box of color with a one-pixel top edge of edge, opaque, as a text's background.
tarn::CSprite* MakeBox(int w, int h, const tarn::CColor& color, const tarn::CColor& edge) {
    tarn::IPixel* image = tarn::CreateImage(w, h, tarn::CColor(255, 0, 255, 255));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) image->PutPixel(x, y, y == 0 ? edge : color);
    }
    return new tarn::CSprite(image);
}

// A text sprite in the HUD's font over a dark box, placed and hidden.
tarn::CSpriteHandle MakeText(int x, int y, int w, int h) {
    tarn::CTextSprite* text = new tarn::CTextSprite(CGameHud::MakeFont(), w, h, MakeBox(w, h, BAR_COLOR, BAR_EDGE));
    text->SetStartPosition(tarn::CTextPos(TEXT_INSET, (h - text->GetFont()->GetLineHeight()) / 2));
    tarn::CSpriteHandle handle(text);
    handle->SetZ(TEXT_Z);
    handle->SetPosition(x, y);
    handle->SetParent(tarn::CScreenLayer::GetSingleton());
    handle->SetVisible(false);
    return handle;
}

}  // namespace

const char* const CGameHud::FONT_FILE = "data/gfx/hud_font.ogf";

tarn::CFont* CGameHud::MakeFont() {
    tarn::CFont* font = new tarn::CFont();
    tarn::COgfFontLoader(font, FONT_FILE);
    if (font->GetTextWidth("A") > 0) return font;
    delete font;
    font = new tarn::CFont();
    tarn::CSystemFontLoader(font, "");
    return font;
}

CGameHud::CGameHud()
    : myStatus(MakeText(0, BAR_Y, SCREEN_WIDTH, BAR_HEIGHT)),
      myMessage(MakeText((SCREEN_WIDTH - MESSAGE_WIDTH) / 2, 24, MESSAGE_WIDTH, LINE_HEIGHT + 6)),
      myPaused(MakeText(200, 205, 240, 4 * LINE_HEIGHT)) {
    Text(myPaused)->SetStartPosition(tarn::CTextPos(0, 0));
    Text(myPaused)->GetFont()->SetLayout(1);
    Text(myPaused)->GetFont()->SetLineHeight(LINE_HEIGHT + 2);
    Text(myPaused)->SetText("\nPaused\nP resumes");
}

std::string CGameHud::StatusText(int level, int levelCount, unsigned marblesLeft, unsigned undoSteps,
                                 std::uint32_t moves, std::uint32_t seconds) {
    return "Level " + std::to_string(level) + "/" + std::to_string(levelCount) + "  Marbles " +
           std::to_string(marblesLeft) + "  Undo " + std::to_string(undoSteps) + "  Moves " + std::to_string(moves) +
           "  Time " + CAttempt::TimeText(seconds);
}

tarn::CTextSprite* CGameHud::Text(const tarn::CSpriteHandle& sprite) const {
    return static_cast<tarn::CTextSprite*>(sprite.get());
}

void CGameHud::ShowStatus(const std::string& text) {
    // Called every frame: the line is drawn again only when its text changes or it appears.
    Text(myStatus)->SetText(text);
    if (myStatus->IsHidden()) myStatus->SetVisible(true);
}

void CGameHud::HideStatus() { myStatus->SetVisible(false); }

void CGameHud::ShowMessage(const std::string& text) {
    const int width = Text(myMessage)->GetFont()->GetTextWidth(text);
    const int top = (myMessage->GetRect().h - Text(myMessage)->GetFont()->GetLineHeight()) / 2;
    Text(myMessage)->SetStartPosition(tarn::CTextPos((MESSAGE_WIDTH - width) / 2, top));
    Text(myMessage)->SetText(text);
    Text(myMessage)->Render();
    myMessage->SetVisible(true);
    myMessageShown = true;
    myMessageTimer.Reset();
}

void CGameHud::SetPaused(bool paused) { myPaused->SetVisible(paused); myPausedShown = paused; }

void CGameHud::Update() {
    if (myMessageShown && myMessageTimer.GetTime() > MESSAGE_TIME) {
        myMessage->SetVisible(false);
        myMessageShown = false;
    }
}

void CGameHud::HideAll() {
    HideStatus();
    SetPaused(false);
    myMessage->SetVisible(false);
    myMessageShown = false;
}

std::string CGameHud::GetStatus() const { return Text(myStatus)->GetText(); }

std::string CGameHud::GetMessage() const { return myMessageShown ? Text(myMessage)->GetText() : std::string(); }

bool CGameHud::IsPausedShown() const { return myPausedShown; }

}  // namespace marbles
