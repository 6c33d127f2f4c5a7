// The screen over the level: the title, help, level-complete and level-lost pictures, the
// level's background and animations, and the clicks that lead from one picture to the next.
#ifndef TARN_MARBLES_GAME_CMARBLESINGAMEUI_H
#define TARN_MARBLES_GAME_CMARBLESINGAMEUI_H

#include <cstdint>
#include <string>

#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/level/clevelfile.h"
#include "tarn/gfx/csprite.h"
#include "tarn/inputdevice/imousereceiver.h"
#include "tarn/utils/signalslot/cssobject.h"

namespace marbles {

// Captures the mouse while a picture waits for a click; a click that starts a level deletes
// this screen from inside its own handler.
class CMarblesTask::CMarblesTaskImpl::CMarblesInGameUi : public tarn::IMouseReceiver, public tarn::CSSObject {
public:
    enum { STATE_NONE = 0, STATE_HELP_OR_COMPLETE = 1, STATE_LOST = 2, STATE_TITLE = 3, STATE_LOAD_FAILED = 4 };
    enum { PICTURE = 0, BACKGROUND = 1, ANIMATION1 = 2, ANIMATION2 = 3, SPRITE_COUNT = 4 };

    // task (not owned) is told when a click starts a level. Sets the marbles' world-to-screen
    // mapping: offset (320, 160), 16 pixels per world unit.
    explicit CMarblesInGameUi(CMarblesTaskImpl* task);
    // Leaves the mouse device; the connections to the rules go with the signal object base.
    ~CMarblesInGameUi() override;
    CMarblesInGameUi(const CMarblesInGameUi&) = delete;
    CMarblesInGameUi& operator=(const CMarblesInGameUi&) = delete;

    // Shows the title picture and captures the mouse.
    void ShowTitle();
    // Shows the help picture (the capture stays).
    void ShowHelp();
    // Slot of the rules: logs nothing itself, shows the level-complete picture, captures.
    void LevelComplete();
    // Slot of the rules: shows the level-lost picture, captures.
    void LevelLost();
    // Says that the level fileName could not be loaded, captures; a click skips the level.
    void ShowLoadFailure(const std::string& fileName);
    // Takes a level's pictures: loads the background and the two animations and remembers
    // the level-complete and level-lost pictures.
    void SetGraphics(const CLevelFile::CGraphics& graphics);

    void OnMouseMove(int /*x*/, int /*y*/) override {}
    void OnMouseOut(int /*x*/, int /*y*/) override {}
    // Left button: title -> help; help or complete -> next level; lost -> the level again;
    // load failure -> the next level, this one not completed.
    void OnMouseDown(int button) override;
    void OnMouseUp(int /*button*/) override {}
    bool IsBlocking() const override { return false; }
    tarn::CRect GetRect() const override { return tarn::CRect(); }
    int GetZ() const override { return 0; }

    std::string GetName() const override { return "MarblesInGameUi"; }

    std::int32_t GetState() const { return myState; }
    // Precondition: index < SPRITE_COUNT. Empty until loaded.
    const tarn::CSpriteHandle& GetSprite(int index) const { return mySprites[index]; }
    const std::string& GetLevelCompleteImage() const { return myLevelCompleteImage; }
    const std::string& GetLevelLostImage() const { return myLevelLostImage; }

private:
    void ShowPicture(const std::string& fileName, std::int32_t state);

    CMarblesTaskImpl* myMarblesTask;
    std::int32_t myState = STATE_NONE;
    tarn::CSpriteHandle mySprites[SPRITE_COUNT];
    std::string myLevelCompleteImage = "data/level_complete.xml";
    std::string myLevelLostImage = "data/level_lost.xml";
};

}  // namespace marbles

#endif
