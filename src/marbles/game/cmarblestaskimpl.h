// The running game: the physics world of the level, the rules, the marble factory and logic,
// the level list and the screen shown over the level.
#ifndef TARN_MARBLES_GAME_CMARBLESTASKIMPL_H
#define TARN_MARBLES_GAME_CMARBLESTASKIMPL_H

#include <memory>
#include <string>

#include "marbles/game/cmarblegfxfactory.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/level/clevellist.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/rules/clevelrules.h"
#include "marbles/rules/cmarbleslogic.h"
#include "tarn/utils/timer/ctimer.h"

namespace marbles {

class CMarblesTask::CMarblesTaskImpl : public CPhysicsTask {
public:
    class CMarblesInGameUi;

    // Physics steps of this many milliseconds...
    static constexpr unsigned STEP_LENGTH = 50;
    // ...run whenever this much wall-clock time has passed: game time runs up to 1.7 times
    // faster than the clock.
    static constexpr double STEP_SPEEDUP = 1.7;

    // Reads the level list from levelListFile and shows the title screen.
    explicit CMarblesTaskImpl(const std::string& levelListFile = "data/level_list.xml");
    // Writes the level list back, deletes the screen, then the level's bodies and marbles.
    ~CMarblesTaskImpl() override;
    CMarblesTaskImpl(const CMarblesTaskImpl&) = delete;
    CMarblesTaskImpl& operator=(const CMarblesTaskImpl&) = delete;

    // One physics step when its time has come; otherwise, while a level is running, the
    // end-of-level check once the world has settled and a second has passed since the last.
    void Update();
    // Replaces the screen by an empty one wired to the rules, resets the rules and the
    // selection and loads the current level file. A level of the list that cannot be read
    // loads nothing and puts up a message whose click skips it without marking it completed;
    // past the end of the list nothing is loaded and the world keeps its bodies. The calling
    // screen is deleted: it must return at once.
    void StartLevel();
    // Marks the current level completed, moves to the next one and starts it.
    void NextLevel();
    // Moves to the next level without marking the current one (which could not be loaded).
    void SkipLevel();
    // "Reset" restarts the level; any other text logs the body list.
    void ExecuteCommand(const std::string& line);

    // A level is being played: its marbles are registered (a step ran since the load) and no
    // picture waits for a click. The title, help and end-of-level pictures are never judged.
    bool IsLevelRunning() const;

    CMarblesInGameUi* GetScreen() const { return myScreen.get(); }
    CLevelRules& GetRules() { return myRules; }
    CMarblesLogic& GetLogic() { return myLogic; }
    const CLevelList& GetLevelList() const { return myLevelList; }
    const std::string& GetLevelFile() const { return myLevelFile; }

private:
    tarn::CTimer myStepTimer;
    CLevelRules myRules;
    std::unique_ptr<CMarblesInGameUi> myScreen;
    CMarbleGfxFactory myMarbleFactory;
    CMarblesLogic myLogic;
    CLevelList myLevelList;
    std::string myLevelListFile;
    std::string myLevelFile;
    // A physics step has run since the last level load, so its marbles are registered.
    bool myLevelStepped = false;
};

}  // namespace marbles

#endif
