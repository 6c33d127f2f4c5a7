// The texts drawn over a level: the status line on the floor strip (level, marbles left,
// undo steps), a short message line, and the "Paused" overlay; all in the system font.
#ifndef TARN_MARBLES_GAME_CGAMEHUD_H
#define TARN_MARBLES_GAME_CGAMEHUD_H

#include <string>

#include "tarn/gfx/csprite.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {
class CTextSprite;
}

namespace marbles {

class CGameHud {
public:
    // How long a message stays, in milliseconds.
    static constexpr tarn::types::ticks MESSAGE_TIME = 3000;

    // Creates the sprites in the screen layer, all hidden.
    CGameHud();
    CGameHud(const CGameHud&) = delete;
    CGameHud& operator=(const CGameHud&) = delete;

    // "Level 3 / 24   Marbles left: 12   Undo: 2": the status line of a running level.
    static std::string StatusText(int level, int levelCount, unsigned marblesLeft, unsigned undoSteps);

    // Shows the status line with this text (drawn again only when it changed).
    void ShowStatus(const std::string& text);
    void HideStatus();
    // Shows text on the message line for MESSAGE_TIME.
    void ShowMessage(const std::string& text);
    void SetPaused(bool paused);
    // Hides a message whose time is up.
    void Update();
    // Hides everything.
    void HideAll();

    std::string GetStatus() const;
    // The message shown, or "" when none is.
    std::string GetMessage() const;
    bool IsPausedShown() const;

private:
    tarn::CTextSprite* Text(const tarn::CSpriteHandle& sprite) const;

    tarn::CSpriteHandle myStatus;
    tarn::CSpriteHandle myMessage;
    tarn::CSpriteHandle myPaused;
    tarn::CTimer myMessageTimer;
    bool myMessageShown = false;
    bool myPausedShown = false;
};

}  // namespace marbles

#endif
