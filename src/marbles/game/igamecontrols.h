// What the game's commands can ask of the running game: the player's keys and the scripts'
// replay. The game implements it; the command table calls it, and a test double records it.
#ifndef TARN_MARBLES_GAME_IGAMECONTROLS_H
#define TARN_MARBLES_GAME_IGAMECONTROLS_H

#include <string>

namespace marbles {

class IGameControls {
public:
    virtual ~IGameControls() = default;
    // Restarts the level on screen (running or lost); does nothing elsewhere.
    virtual void Reset() = 0;
    // Restores the pile before the last removal; false when there is none.
    virtual bool Undo() = 0;
    // Puts the hint rim on one chain the player can clear; false when there is none.
    virtual bool Hint() = 0;
    virtual void TogglePause() = 0;
    virtual void ToggleMute() = 0;
    // From a level or any picture back to the title; on the title, quit.
    virtual void Back() = 0;
    // On the title, opens the level select; does nothing elsewhere.
    virtual void OpenLevelSelect() = 0;
    // On the title, opens the options window; does nothing elsewhere.
    virtual void OpenOptions() = 0;
    // On the title, opens the level editor on an empty level; on the level select, lets the
    // next click on a level open the editor on a copy of it; nothing elsewhere.
    virtual void OpenEditor() = 0;
    // Plays the solution file from the next level start.
    virtual void QueueReplay(const std::string& file) = 0;
    // On the level-lost picture after the level's second loss in a row: restarts the level and
    // shows its solution at a player's pace; false elsewhere or without a solution.
    virtual bool WatchSolution() = 0;
    // Logs the body list (what any unknown command does).
    virtual void DumpBodies() const = 0;
};

}  // namespace marbles

#endif
