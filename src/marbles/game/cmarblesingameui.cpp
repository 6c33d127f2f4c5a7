// The screen over the level: pictures by state, the title's button, the help's keys, the
// level-select tiles, the level's background and animations, and the clicks between them.
#include "marbles/game/cmarblesingameui.h"

#include <algorithm>

#include "marbles/game/cattempt.h"
#include "marbles/game/cframedtext.h"
#include "marbles/game/cgamecommands.h"
#include "marbles/game/cgamehud.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/game/levelprogress.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/rules/clevelrules.h"
#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/utils/signalslot/cgenericevent.h"
#include "tarn/utils/signalslot/cslot.h"

namespace marbles {

namespace {

const int LEFT_BUTTON = 1;
const char* const TITLE_PICTURE = "data/gfx/title_screen.jpg";
const char* const HELP_PICTURE = "data/gfx/help_screen.jpg";

}  // namespace

using CUi = CMarblesInGameUi;

const std::string& CUi::KeysText() {
    static const std::string text = CGameCommands::KeysText();
    return text;
}

CUi::CMarblesInGameUi(CMarblesTask::CMarblesTaskImpl* task) : myMarblesTask(task) {}

CUi::~CMarblesInGameUi() { tarn::CMouse::GetSingleton()->RemoveReceiver(this); }

tarn::CRect CUi::LevelsButtonRect() { return tarn::CRect(148, 440, 104, 26); }

tarn::CRect CUi::OptionsButtonRect() { return tarn::CRect(268, 440, 104, 26); }

tarn::CRect CUi::EditorButtonRect() { return tarn::CRect(388, 440, 104, 26); }

namespace {

std::string MovesAndTime(std::uint32_t moves, std::uint32_t seconds) {
    return std::to_string(moves) + (moves == 1 ? " move, " : " moves, ") + CAttempt::TimeText(seconds);
}

}  // namespace

std::string CUi::ResultText(const CAttempt& attempt, const CLevelList::CEntry& level, const CRecordNews& news) {
    return "This time: " + MovesAndTime(attempt.GetMoves(), attempt.GetSeconds()) + "\n" +
           (news.IsNewBest() ? "New best! " : "Best: ") + MovesAndTime(level.myBestMoves, level.myBestSeconds);
}

void CUi::ShowResult(const CAttempt& attempt, const CLevelList::CEntry& level, const CRecordNews& news) {
    const bool best = news.IsNewBest();
    // Two centred lines in the game's lettering, a little apart.
    tarn::CFont* font = CGameHud::MakeFont();
    font->SetLayout(1);
    font->SetLineHeight(font->GetLineHeight() + 5);
    AddText(tarn::CRect(100, 304, 440, 46), ResultText(attempt, level, news), best ? 250 : 90, best ? 210 : 90,
            best ? 60 : 100, font);
}

void CUi::AddText(const tarn::CRect& rect, const std::string& text, int red, int green, int blue, tarn::CFont* font) {
    // A frame of the colour around a black label: text sprites draw their glyphs on black.
    myBoxes.push_back(CFramedText::MakeBox(rect, red, green, blue));
    myTexts.push_back(CFramedText::MakeLabel(rect, text, font));
}

namespace {

std::vector<std::string> TextsOf(const std::vector<tarn::CSpriteHandle>& sprites) {
    std::vector<std::string> texts;
    for (const tarn::CSpriteHandle& text : sprites)
        texts.push_back(static_cast<tarn::CTextSprite*>(text.get())->GetText());
    return texts;
}

}  // namespace

std::vector<std::string> CUi::GetTexts() const { return TextsOf(myTexts); }

std::vector<std::string> CUi::GetChapterTexts() const { return TextsOf(myChapterTexts); }

void CUi::ShowPicture(const std::string& fileName, std::int32_t state) {
    myState = state;
    myHelpShown = false;
    myTexts.clear();
    myChapterTexts.clear();
    myBoxes.clear();
    myTiles.clear();
    mySprites[PICTURE] = CMarbleSpriteTable::LoadSprite(fileName);
}

void CUi::ShowTitle() {
    ShowPicture(TITLE_PICTURE, STATE_TITLE);
    AddText(LevelsButtonRect(), "Levels (L)", 250, 210, 60);
    AddText(OptionsButtonRect(), "Options (O)", 250, 210, 60);
    AddText(EditorButtonRect(), "Editor (E)", 250, 210, 60);
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::ShowHelp() {
    ShowPicture(HELP_PICTURE, STATE_HELP_OR_COMPLETE);
    myHelpShown = true;
    AddText(tarn::CRect(36, 318, 568, 140), KeysText(), 250, 210, 60);
}

void CUi::ShowLevelSelect(const CLevelList& list) {
    ShowPicture(std::string(), STATE_LEVEL_SELECT);
    // A background of its own: a night-blue gradient, nothing of the title showing through.
    tarn::IPixel* sky = tarn::CreateOpaqueImage(640, 480);
    for (int y = 0; y < 480; ++y) {
        const tarn::CColor color(static_cast<std::uint8_t>(16 + y / 24), static_cast<std::uint8_t>(20 + y / 40),
                                 static_cast<std::uint8_t>(44 + y / 16));
        for (int x = 0; x < 640; ++x) sky->PutPixel(x, y, color);
    }
    tarn::CSpriteHandle background(new tarn::CSprite(sky));
    background->SetZ(CFramedText::TEXT_Z + 1);
    background->SetParent(tarn::CScreenLayer::GetSingleton());
    myBoxes.push_back(background);
    myFirstOpenLevel = FirstOpenLevel(list);
    myLockedSaid = false;
    AddText(tarn::CRect(170, 6, 300, 24), "Choose a level (Escape: back)", 90, 90, 100);
    // Tiles below the screen could be neither seen nor clicked: they are not made.
    const std::int32_t count = std::min(LevelCount(list), MAX_TILES);
    myChapterTexts.clear();
    for (std::int32_t chapter = 1; chapter <= ChapterOf(count); ++chapter) {
        const tarn::CRect strip = ChapterRect(chapter);
        myBoxes.push_back(CFramedText::MakeBox(strip, 70, 80, 120));
        const bool own = list.GetEntry(static_cast<unsigned>((chapter - 1) * LEVELS_PER_CHAPTER + 1)).myOwn;
        const std::string name = own ? "My levels" : "Chapter " + std::to_string(chapter);
        myChapterTexts.push_back(CFramedText::MakeLabel(strip, name));
    }
    for (std::int32_t position = 1; position <= count; ++position) {
        const ETile tile = TileOf(list, position);
        myTiles.push_back(tile);
        const std::string label = TileLabel(list, position);
        if (tile == ETile::COMPLETED) AddText(TileRect(position), label, 60, 200, 80);
        if (tile == ETile::OPEN) AddText(TileRect(position), label, 250, 210, 60);
        if (tile == ETile::LOCKED) AddText(TileRect(position), label, 90, 90, 100);
    }
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::ListenTo(CLevelRules& rules) {
    rules.GetLevelCompleteSignal().Connect(
        new tarn::CSlot(new tarn::CGenericEvent0<CUi, void>(this, &CUi::LevelComplete)));
    rules.GetLevelLostSignal().Connect(new tarn::CSlot(new tarn::CGenericEvent0<CUi, void>(this, &CUi::LevelLost)));
}

void CUi::LevelComplete() {
    ShowPicture(myLevelCompleteImage, STATE_HELP_OR_COMPLETE);
    myMarblesTask->OnLevelComplete();
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::LevelLost() {
    ShowPicture(myLevelLostImage, STATE_LOST);
    AddText(tarn::CRect(160, 304, 320, 24), "or press U to undo your last removal", 250, 210, 60);
    myMarblesTask->OnLevelLost();
    if (myMarblesTask->CanWatchSolution())
        AddText(tarn::CRect(160, 332, 320, 24), "or press W to watch the solution", 250, 210, 60);
    tarn::CMouse::GetSingleton()->AddCapture(this);
}

void CUi::ResumeLevel() {
    myState = STATE_NONE;
    myTexts.clear();
    myBoxes.clear();
    mySprites[PICTURE].reset();
    tarn::CMouse::GetSingleton()->RemoveCapture(this);
}

void CUi::ShowNotice(const std::string& text) { AddText(tarn::CRect(20, 12, 600, 56), text, 230, 60, 50); }

void CUi::ShowLoadFailure(const std::string& fileName, const std::string& problem) {
    myState = STATE_LOAD_FAILED;
    auto* font = new tarn::CFont();
    tarn::CSystemFontLoader(font, "");
    auto message = std::make_shared<tarn::CTextSprite>(font, 600, 60);
    message->SetText("Could not load the level " + fileName + "\n" + problem + "\nClick to go on");
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

std::int32_t CUi::TileUnderPointer() const {
    const tarn::CMouse* mouse = tarn::CMouse::GetSingleton();
    for (std::size_t i = 0; i < myTiles.size(); ++i) {
        const auto position = static_cast<std::int32_t>(i + 1);
        if (TileRect(position).Contains(mouse->GetX(), mouse->GetY())) return position;
    }
    return 0;
}

CScreenFlow::EScreen CUi::GetScreen() const {
    using S = CScreenFlow::EScreen;
    switch (myState) {
        case STATE_HELP_OR_COMPLETE:
            return myHelpShown ? S::HELP : S::COMPLETE;
        case STATE_LOST:
            return S::LOST;
        case STATE_TITLE:
            return S::TITLE;
        case STATE_LEVEL_SELECT:
            return S::LEVEL_SELECT;
        case STATE_LOAD_FAILED:
            return S::LOAD_FAILED;
        default:
            return S::LEVEL;
    }
}

void CUi::OnMouseDown(int button) {
    // The options window's own widgets take the clicks over it.
    if (button != LEFT_BUTTON || myMarblesTask->IsOptionsOpen()) return;
    const tarn::CMouse* mouse = tarn::CMouse::GetSingleton();
    const std::int32_t tile = myState == STATE_LEVEL_SELECT ? TileUnderPointer() : 0;
    if (tile > 0 && myMarblesTask->IsPickingForEditor()) return myMarblesTask->Request(CScreenFlow::EChange::EDITOR, tile);
    const bool onTile = tile > 0 && myTiles[static_cast<std::size_t>(tile - 1)] != ETile::LOCKED;
    if (tile > 0 && !onTile && !myLockedSaid) {
        // A locked tile answers: which level opens it.
        myLockedSaid = true;
        AddText(tarn::CRect(170, 440, 300, 24), "Win level " + std::to_string(myFirstOpenLevel) + " first", 250, 210, 60);
        return;
    }
    const bool onTitle = myState == STATE_TITLE;
    const bool onButton = onTitle && LevelsButtonRect().Contains(mouse->GetX(), mouse->GetY());
    const bool onOptions = onTitle && OptionsButtonRect().Contains(mouse->GetX(), mouse->GetY());
    const bool onEditor = onTitle && EditorButtonRect().Contains(mouse->GetX(), mouse->GetY());
    auto input = onTile || onButton ? CScreenFlow::EInput::CLICK_BUTTON : CScreenFlow::EInput::CLICK;
    if (onOptions) input = CScreenFlow::EInput::OPTIONS;
    if (onEditor) input = CScreenFlow::EInput::EDITOR_KEY;
    const CScreenFlow::EChange change = CScreenFlow::Next(GetScreen(), input);
    if (change == CScreenFlow::EChange::HELP) {
        ShowHelp();
        return;
    }
    myMarblesTask->Request(change, tile);
}

}  // namespace marbles
