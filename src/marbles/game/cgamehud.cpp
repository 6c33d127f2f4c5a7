// The status line, message line and pause overlay drawn over a level.
#include "marbles/game/cgamehud.h"

#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"

namespace marbles {

namespace {

// In front of the level's pictures and marbles.
const int TEXT_Z = -20;
const int SCREEN_WIDTH = 640;
// Wide enough for the longest line: "Level 24 / 24   Marbles left: 60   Undo: 20" in 8-pixel cells.
const int STATUS_WIDTH = 8 * 48;
// The status line sits on the floor strip at the bottom of the picture, below the playfield.
const int STATUS_Y = 465;
const int LINE_HEIGHT = 15;
const int MESSAGE_WIDTH = 300;

// A text sprite in the system font over a black box, placed and hidden.
tarn::CSpriteHandle MakeText(int x, int y, int w, int h) {
    tarn::CFont* font = new tarn::CFont();
    tarn::CSystemFontLoader(font, "");
    tarn::CSprite* box = new tarn::CSprite(tarn::CreateImage(w, h, tarn::CColor(255, 0, 255, 255)));
    tarn::CTextSprite* text = new tarn::CTextSprite(font, w, h, box);
    text->SetStartPosition(tarn::CTextPos(4, 0));
    tarn::CSpriteHandle handle(text);
    handle->SetZ(TEXT_Z);
    handle->SetPosition(x, y);
    handle->SetParent(tarn::CScreenLayer::GetSingleton());
    handle->SetVisible(false);
    return handle;
}

}  // namespace

CGameHud::CGameHud()
    : myStatus(MakeText(24, STATUS_Y, STATUS_WIDTH, LINE_HEIGHT)),
      myMessage(MakeText((SCREEN_WIDTH - MESSAGE_WIDTH) / 2, 24, MESSAGE_WIDTH, LINE_HEIGHT + 4)),
      myPaused(MakeText(220, 215, 200, 3 * LINE_HEIGHT)) {
    Text(myPaused)->SetStartPosition(tarn::CTextPos(0, 0));
    Text(myPaused)->GetFont()->SetLayout(1);
    Text(myPaused)->SetText("\nPaused\nP resumes");
}

std::string CGameHud::StatusText(int level, int levelCount, unsigned marblesLeft, unsigned undoSteps) {
    return "Level " + std::to_string(level) + " / " + std::to_string(levelCount) + "   Marbles left: " +
           std::to_string(marblesLeft) + "   Undo: " + std::to_string(undoSteps);
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
    Text(myMessage)->SetStartPosition(tarn::CTextPos((MESSAGE_WIDTH - width) / 2, 2));
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
