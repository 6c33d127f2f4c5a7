// The level in play as the player drives it: pause, undo, hint and mute with what the HUD
// says about them, the moves and sounds of the clicks, and the status line.
#ifndef TARN_MARBLES_GAME_CLEVELPLAY_H
#define TARN_MARBLES_GAME_CLEVELPLAY_H

#include "marbles/game/cattempt.h"
#include "marbles/game/cgamehud.h"
#include "marbles/game/cgamesound.h"
#include "marbles/game/clevelsession.h"
#include "marbles/level/clevellist.h"

namespace marbles {

class CLevelPlay {
public:
    // The parts (not owned) must outlive the play.
    CLevelPlay(CLevelSession& session, CGameHud& hud, CGameSound& sound, CAttempt& attempt)
        : mySession(session), myHud(hud), mySound(sound), myAttempt(attempt) {}

    bool IsPaused() const { return myPaused; }
    // Pauses a running level (the marbles take no clicks) or resumes a paused one; nothing
    // otherwise.
    void TogglePause(bool running);
    // Shows a chain to clear, saying whether one was found, while a level runs unpaused; false
    // when none was shown.
    bool Hint(bool running);
    // Takes the last removal back while a level runs, or on its lost picture (lost), unpaused;
    // otherwise, or with nothing to take back, says why when inLevel and returns false.
    bool Undo(bool running, bool lost, bool inLevel);
    // Turns the sound off or on and says so.
    void ToggleMute();
    // Counts the player's removal as a move; plays the click of a selection, the pop of a
    // removal.
    void NoticeClicks();
    // The status line of the list's current level; hidden when list is null.
    void UpdateStatus(const CLevelList* list);
    // Leaving the level: unpaused, the marbles take clicks again, the HUD's texts go and the
    // session is cleared.
    void Leave();

private:
    CLevelSession& mySession;
    CGameHud& myHud;
    CGameSound& mySound;
    CAttempt& myAttempt;
    bool myPaused = false;
};

}  // namespace marbles

#endif
