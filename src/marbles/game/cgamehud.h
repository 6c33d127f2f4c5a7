// The texts drawn over a level: the status bar along the bottom (level, marbles left, undo
// steps, moves and time of the attempt), a short message line, and the "Paused" overlay; all
// in the game's own lettering (the font of its pictures).
#ifndef TARN_MARBLES_GAME_CGAMEHUD_H
#define TARN_MARBLES_GAME_CGAMEHUD_H

#include <cstdint>
#include <string>

#include "tarn/gfx/csprite.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {
class CFont;
class CTextSprite;
}

namespace marbles {

class CGameHud {
public:
    // How long a message stays, in milliseconds.
    static constexpr tarn::types::ticks MESSAGE_TIME = 3000;
    // The lettering of the game's pictures, drawn by the content generator; without it the
    // texts fall back to the system font.
    static const char* const FONT_FILE;
    // The status bar spans the screen's width at its bottom.
    static constexpr int BAR_Y = 460;
    static constexpr int BAR_HEIGHT = 20;

    // Creates the sprites in the screen layer, all hidden.
    CGameHud();
    CGameHud(const CGameHud&) = delete;
    CGameHud& operator=(const CGameHud&) = delete;

    // "Level 3/24  Marbles 12  Undo 2  Moves 5  Time 1:23": the status bar of a running level
    // (the marbles left, the undo steps, this attempt's moves and time of play).
    static std::string StatusText(int level, int levelCount, unsigned marblesLeft, unsigned undoSteps,
                                  std::uint32_t moves, std::uint32_t seconds);
    // The font the HUD draws with: the game's lettering, or the system font when it cannot be
    // read. The caller owns it.
    static tarn::CFont* MakeFont();

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
