// The game task (type "game"): runs the title and help screens, the levels of the level list
// with the player's progress, fixed-step physics and the end-of-level checks.
#ifndef TARN_MARBLES_GAME_CMARBLESTASK_H
#define TARN_MARBLES_GAME_CMARBLESTASK_H

#include <memory>
#include <string>

#include "tarn/tasks/ctask.h"

namespace marbles {

class CMarblesTask : public tarn::CTask {
public:
    class CMarblesTaskImpl;

    CMarblesTask();
    // Deletes the game if it is still running (which saves the level list).
    ~CMarblesTask() override;

    // Creates the game with the options of the console variables (a game already running is
    // ended first) and shows the title, or starts the asked-for level; true.
    bool Start(tarn::CParameterList* params) override;
    bool Start() override;
    // One main-loop update of the game.
    void Update() override;
    // Ends the game; the level list with the player's progress is written back.
    void OnStop() override;
    void OnPause() override {}
    void OnResume() override {}
    // "Reset" (exactly) restarts the current level; "Undo", "Hint", "Pause", "Mute", "Back"
    // and "LevelSelect" are the player's keys; any other text logs the body list.
    // True once started; false before.
    bool ExecuteCommand(const std::string& line) override;
    bool PauseWhenInactive() const override { return true; }

    // The running game; null while not started.
    CMarblesTaskImpl* GetImpl() const { return myImpl.get(); }

private:
    std::unique_ptr<CMarblesTaskImpl> myImpl;
};

}  // namespace marbles

#endif
