// The screen over the level: the title, help, level-select, level-complete and level-lost
// pictures, the level's background and animations, and the clicks that lead between them.
#ifndef TARN_MARBLES_GAME_CMARBLESINGAMEUI_H
#define TARN_MARBLES_GAME_CMARBLESINGAMEUI_H

#include <cstdint>
#include <string>
#include <vector>

#include "marbles/game/cmarblestask.h"
#include "marbles/game/cscreenflow.h"
#include "marbles/game/ctilelayout.h"
#include "marbles/level/clevelfile.h"
#include "marbles/level/clevellist.h"
#include "tarn/gfx/crect.h"
#include "tarn/gfx/csprite.h"
#include "tarn/inputdevice/imousereceiver.h"
#include "tarn/utils/signalslot/cssobject.h"

namespace tarn {
class CFont;
}

namespace marbles {

class CAttempt;
class CLevelRules;

// Captures the mouse while a picture waits for a click. A click that leaves the picture only
// asks the game for the change, which happens at the game's next update.
class CMarblesInGameUi : public tarn::IMouseReceiver, public tarn::CSSObject {
public:
    enum {
        STATE_NONE = 0,
        STATE_HELP_OR_COMPLETE = 1,
        STATE_LOST = 2,
        STATE_TITLE = 3,
        STATE_LEVEL_SELECT = 4,
        STATE_LOAD_FAILED = 5
    };
    enum { PICTURE = 0, BACKGROUND = 1, ANIMATION1 = 2, ANIMATION2 = 3, SPRITE_COUNT = 4 };

    // How a level looks on the level-select screen.
    using ETile = CTileLayout::ETile;

    // The level-select tiles that fit on the 640x480 screen: three chapters of two rows of six.
    static constexpr std::int32_t MAX_TILES = CTileLayout::MAX_TILES;

    // The keys as the help screen lists them, made from the game's command table.
    static const std::string& KeysText();

    // task (not owned) is asked for the changes the clicks make.
    explicit CMarblesInGameUi(CMarblesTask::CMarblesTaskImpl* task);
    // Leaves the mouse device; the connections to the rules go with the signal object base.
    ~CMarblesInGameUi() override;
    CMarblesInGameUi(const CMarblesInGameUi&) = delete;
    CMarblesInGameUi& operator=(const CMarblesInGameUi&) = delete;

    // Shows the title picture with its "Levels" and "Options" buttons and captures the mouse.
    void ShowTitle();
    // Shows the help picture with the keys (the capture stays).
    void ShowHelp();
    // One tile per level of list, as many as fit on the screen (MAX_TILES): completed, open
    // (the first not completed) or locked, under the name of their chapter; captures the mouse.
    void ShowLevelSelect(const CLevelList& list);
    // Takes the rules' level-complete and level-lost signals into LevelComplete and LevelLost;
    // the connections go with the screen.
    void ListenTo(CLevelRules& rules);
    // Slot of the rules: tells the game, shows the level-complete picture, captures.
    void LevelComplete();
    // Shows the won attempt's moves and time under the level-complete picture, with the
    // level's records and "New best!" when news says one was beaten.
    void ShowResult(const CAttempt& attempt, const CLevelList::CEntry& level, const CRecordNews& news);
    // The two lines of a won attempt and the level's records.
    static std::string ResultText(const CAttempt& attempt, const CLevelList::CEntry& level, const CRecordNews& news);
    // Slot of the rules: tells the game, shows the level-lost picture, captures.
    void LevelLost();
    // Takes the level-lost picture away: the level goes on (an undo took the loss back).
    void ResumeLevel();
    // Adds a framed text at the top of the picture shown (three lines fit), until the picture
    // changes: what the player must know about the level list and the saving of progress.
    void ShowNotice(const std::string& text);
    // Says that the level fileName could not be loaded and why, captures; a click skips the
    // level.
    void ShowLoadFailure(const std::string& fileName, const std::string& problem);

    // Takes a level's pictures: loads the background and the two animations and remembers
    // the level-complete and level-lost pictures.
    void SetGraphics(const CLevelFile::CGraphics& graphics);

    void OnMouseMove(int /*x*/, int /*y*/) override {}
    void OnMouseOut(int /*x*/, int /*y*/) override {}
    // Left button: title -> help (or the level select or the options on their buttons);
    // nothing while the options window is open over the screen; help -> play goes on;
    // complete -> the next level; lost -> the level again; level select -> the level of an
    // open or completed tile; load failure -> the next level, this one not completed.
    void OnMouseDown(int button) override;
    void OnMouseUp(int /*button*/) override {}
    bool IsBlocking() const override { return false; }
    tarn::CRect GetRect() const override { return tarn::CRect(); }
    int GetZ() const override { return 0; }

    std::string GetName() const override { return "MarblesInGameUi"; }

    std::int32_t GetState() const { return myState; }
    // The state as the screen flow knows it.
    CScreenFlow::EScreen GetScreen() const;
    bool IsHelpShown() const { return myHelpShown; }
    // Precondition: index < SPRITE_COUNT. Empty until loaded.
    const tarn::CSpriteHandle& GetSprite(int index) const { return mySprites[index]; }
    const std::string& GetLevelCompleteImage() const { return myLevelCompleteImage; }
    const std::string& GetLevelLostImage() const { return myLevelLostImage; }
    // Where the title's "Levels" and "Options" buttons and the tile of a level (position from
    // 1) are.
    static tarn::CRect LevelsButtonRect();
    static tarn::CRect OptionsButtonRect();
    static tarn::CRect EditorButtonRect();
    static tarn::CRect TileRect(std::int32_t position) { return CTileLayout::TileRect(position); }
    // The strip above a chapter's (from 1) first row of tiles that names it.
    static tarn::CRect ChapterRect(std::int32_t chapter) { return CTileLayout::ChapterRect(chapter); }
    // The tile's look and text for the level at position of list (see CTileLayout).
    static ETile TileOf(const CLevelList& list, std::int32_t position) { return CTileLayout::TileOf(list, position); }
    static std::string TileLabel(const CLevelList& list, std::int32_t position) {
        return CTileLayout::TileLabel(list, position);
    }
    // The texts of the extra sprites shown with the picture (button, keys, tiles).
    std::vector<std::string> GetTexts() const;
    // The chapter names over the level select's tiles.
    std::vector<std::string> GetChapterTexts() const;

private:
    void ShowPicture(const std::string& fileName, std::int32_t state);
    // A framed text in the system font, or in font (taken) when one is given.
    void AddText(const tarn::CRect& rect, const std::string& text, int red, int green, int blue,
                 tarn::CFont* font = nullptr);
    // The level-select tile under the pointer; 0 when none.
    std::int32_t TileUnderPointer() const;

    CMarblesTask::CMarblesTaskImpl* myMarblesTask;
    std::int32_t myState = STATE_NONE;
    bool myHelpShown = false;
    tarn::CSpriteHandle mySprites[SPRITE_COUNT];
    std::vector<tarn::CSpriteHandle> myTexts;
    std::vector<tarn::CSpriteHandle> myChapterTexts;
    std::vector<tarn::CSpriteHandle> myBoxes;
    std::vector<ETile> myTiles;
    // The level select: the first level not won yet, and whether a locked tile said so.
    std::int32_t myFirstOpenLevel = 1;
    bool myLockedSaid = false;
    std::string myLevelCompleteImage = "data/level_complete.xml";
    std::string myLevelLostImage = "data/level_lost.xml";
};

}  // namespace marbles

#endif
