// The screen over the level: pictures by state, the level's background and animations, and
// the clicks that move from title to help to the levels.
#include "marbles/game/cmarblesingameui.h"

#include "marbles/game/cmarblegfx.h"
#include "marbles/game/cmarblespritetable.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/inputdevice/cmouse.h"

namespace marbles {

namespace {

const int LEFT_BUTTON = 1;
const char* const TITLE_PICTURE = "data/gfx/title_screen.jpg";
const char* const HELP_PICTURE = "data/gfx/help_screen.jpg";

}  // namespace

using CUi = CMarblesTask::CMarblesTaskImpl::CMarblesInGameUi;

CUi::CMarblesInGameUi(CMarblesTaskImpl* task) : myMarblesTask(task) {
    CMarbleGfx::SetScreenMapping(320.0f, 160.0f, 16.0f, 16.0f);
}

CUi::~CMarblesInGameUi() { tarn::CMouse::GetSingleton()->RemoveReceiver(this); }

void CUi::ShowPicture(const std::string& fileName, std::int32_t state) {
    myState = state;
    mySprites[PICTURE] = CMarbleSpriteTable::LoadSprite(fileName);
}

void CUi::ShowTitle() {
    ShowPicture(TITLE_PICTURE, STATE_TITLE);
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::ShowHelp() { ShowPicture(HELP_PICTURE, STATE_HELP_OR_COMPLETE); }

void CUi::LevelComplete() {
    ShowPicture(myLevelCompleteImage, STATE_HELP_OR_COMPLETE);
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::LevelLost() {
    ShowPicture(myLevelLostImage, STATE_LOST);
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::ShowLoadFailure(const std::string& fileName) {
    myState = STATE_LOAD_FAILED;
    auto* font = new tarn::CFont();
    tarn::CSystemFontLoader(font, "");
    auto message = std::make_shared<tarn::CTextSprite>(font, 600, 40);
    message->SetText("Could not load the level " + fileName + "\nClick to go on");
    message->SetPosition(20, 220);
    message->SetParent(tarn::CScreenLayer::GetSingleton());
    mySprites[PICTURE] = message;
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::SetGraphics(const CLevelFile::CGraphics& graphics) {
    myLevelCompleteImage = graphics.myLevelCompleteImage;
    myLevelLostImage = graphics.myLevelFailedImage;
    mySprites[BACKGROUND] = CMarbleSpriteTable::LoadSprite(graphics.myBackgroundImage);
    mySprites[ANIMATION1] = CMarbleSpriteTable::LoadSprite(graphics.myAnimation1Image);
    mySprites[ANIMATION2] = CMarbleSpriteTable::LoadSprite(graphics.myAnimation2Image);
}

void CUi::OnMouseDown(int button) {
    if (button != LEFT_BUTTON) return;
    switch (myState) {
        case STATE_TITLE:
            ShowHelp();
            return;
        case STATE_HELP_OR_COMPLETE:
            tarn::CMouse::GetSingleton()->RemoveCapture(this);
            myMarblesTask->NextLevel();  // deletes this screen
            return;
        case STATE_LOST:
            tarn::CMouse::GetSingleton()->RemoveCapture(this);
            myMarblesTask->StartLevel();  // deletes this screen
            return;
        case STATE_LOAD_FAILED:
            tarn::CMouse::GetSingleton()->RemoveCapture(this);
            myMarblesTask->SkipLevel();  // deletes this screen
            return;
        default:
            return;
    }
}

}  // namespace marbles
