// The running game: the physics world of the level, the rules, the marble factory and logic,
// the level list with the player's progress, the screen shown over the level and its texts.
#ifndef TARN_MARBLES_GAME_CMARBLESTASKIMPL_H
#define TARN_MARBLES_GAME_CMARBLESTASKIMPL_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "marbles/game/cgamehud.h"
#include "marbles/game/cmarblegfxfactory.h"
#include "marbles/game/creplay.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/level/clevellist.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/rigidbody.h"
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

    // The sounds of the game, played through the audio task's "PlayEffect".
    static constexpr const char* CLICK_SOUND = "data/sound/click.wav";
    static constexpr const char* POP_SOUND = "data/sound/pop.wav";
    static constexpr const char* COMPLETE_SOUND = "data/sound/level_complete.wav";
    static constexpr const char* LOST_SOUND = "data/sound/level_lost.wav";
    static constexpr const char* MUSIC = "data/sound/music.wav";

    // What the command line and scripts set in console variables before the game starts:
    // "sound" 0 silences everything, "music" 0 the music, "level" N starts at level N and
    // "fullscreen" 1 opens the window fullscreen; "music_volume" and "effects_volume"
    // (0 to 100) stay bound to the game while it runs.
    class COptions {
    public:
        bool mySound = true;
        bool myMusic = true;
        bool myFullscreen = false;
        std::int32_t myStartLevel = 0;
        // Reads the console variables; unset or unreadable ones keep the defaults.
        static COptions FromConsole();
    };

    // Reads the level list from levelListFile and shows the title screen, or starts the
    // level of the options at once. A list that cannot be read (or holds no level) is said on
    // the title with where the log is; the shipped list (SHIPPED_LEVEL_LIST), when it is
    // another file, is played instead and the player's file is never written. A damaged list
    // that cannot be written back without loss is said on the title too.
    CMarblesTaskImpl(const std::string& levelListFile, const COptions& options);
    explicit CMarblesTaskImpl(const std::string& levelListFile = "data/level_list.xml");
    // Writes the level list back (unless it is the stand-in for an unreadable one), deletes
    // the screen, then the level's bodies and marbles.
    ~CMarblesTaskImpl() override;
    CMarblesTaskImpl(const CMarblesTaskImpl&) = delete;
    CMarblesTaskImpl& operator=(const CMarblesTaskImpl&) = delete;

    // Applies a screen change asked for since the last update and removes the chains completed
    // since then; then one physics step when its time has come, otherwise, while a level runs
    // unpaused, the end-of-level check once the pile has settled and a second has passed since
    // the last. Plays the click and pop of the player's selections and removals and keeps the
    // texts up to date.
    void Update();
    // Replaces the screen by an empty one wired to the rules, resets the rules, the selection,
    // pause and undo steps and loads the current level file. A level of the list that cannot
    // be read loads nothing and puts up a message whose click skips it without marking it
    // completed; outside the list nothing is loaded and the world keeps its bodies. Never
    // call it from the screen: it deletes the screen.
    void StartLevel();
    // Marks the current level completed, moves to the next one and starts it.
    void NextLevel();
    // "Reset" restarts the level; "Undo", "Hint", "Pause", "Mute", "Back" (Escape) and
    // "LevelSelect" do what the keys say; "Replay( FILE )" queues the solution FILE, played from
    // the next level start (the title and help are clicked through); any other text logs the
    // body list.
    void ExecuteCommand(const std::string& line);

    // Screen changes asked for from inside a screen's own mouse handler: kept until the next
    // update, so the screen is never deleted while it runs. The last request wins.
    // Leaving the help screen: entry 0 is marked and play continues at the first open level.
    void RequestContinue();
    // The level at position (the same level again after a loss).
    void RequestLevel(std::int32_t position);
    void RequestTitle();
    void RequestLevelSelect();
    // The level after the current one, which could not be loaded and stays not completed
    // (the level select after the last level).
    void RequestSkipLevel();

    // The rules' signals, through the screen: the level's progress is saved at once; the
    // first save of a run that fails is said on the level-complete picture.
    void OnLevelComplete();
    void OnLevelLost();

    // Restores the pile as it was just before the last removal; false when there is none.
    bool Undo();
    // Highlights one chain of three the player can clear now; false (and says so on screen)
    // when there is none.
    bool Hint();
    void TogglePause();
    void ToggleMute();
    // Escape: from a level or any other picture back to the title, from the title quit.
    void Back();

    // A level is being played: its marbles are registered (a step ran since the load) and no
    // picture waits for a click. The title, help and end-of-level pictures are never judged.
    bool IsLevelRunning() const;
    bool IsPaused() const { return myPaused; }
    bool IsMuted() const { return myMuted; }
    unsigned GetUndoCount() const { return static_cast<unsigned>(myUndoSteps.size()); }

    CMarblesInGameUi* GetScreen() const { return myScreen.get(); }
    CLevelRules& GetRules() { return myRules; }
    CMarblesLogic& GetLogic() { return myLogic; }
    const CLevelList& GetLevelList() const { return myLevelList; }
    const std::string& GetLevelFile() const { return myLevelFile; }
    const CGameHud& GetHud() const { return myHud; }
    const COptions& GetOptions() const { return myOptions; }

private:
    enum class EChange { NONE, CONTINUE, LEVEL, TITLE, LEVEL_SELECT };
    using CPile = std::vector<RigidBody>;

    void LoadLevelList();
    // Writes the level list; false when it is not written (failed, or not to be written).
    bool SaveLevelList();
    void ApplyChange();
    void ShowTitle();
    void ShowLevelSelect();
    void StartLevelAt(std::int32_t position);
    void LeaveLevel();
    void RunPhysics();
    // Notices the clicks since the last update: a removal (an undo step and a pop) or a
    // marble added to the selection (a click).
    void NoticeClicks();
    // Keeps the pile while a click may remove a chain.
    void KeepPile();
    void UpdateHud();
    // Selected marbles show their ring, the others lose a hint's glow.
    void RefreshMarbles();
    // A level is on screen, running or lost: one R restarts.
    bool IsInLevel() const;
    void PlayEffect(const char* file);
    void ApplyVolumes();
    void BindVariables();
    void UnbindVariables();
    CReplay::EPicture GetPicture() const;

    tarn::CTimer myStepTimer;
    CLevelRules myRules;
    std::unique_ptr<CMarblesInGameUi> myScreen;
    CMarbleGfxFactory myMarbleFactory;
    CMarblesLogic myLogic;
    CLevelList myLevelList;
    std::string myLevelListFile;
    std::string myLevelFile;
    // What the title says about the level list; "" when all is well.
    std::string myListNotice;
    // False while the shipped list stands in for an unreadable player's list.
    bool myListSaved = true;
    bool mySaveFailureTold = false;
    // A physics step has run since the last level load, so its marbles are registered.
    bool myLevelStepped = false;

    COptions myOptions;
    CGameHud myHud;
    EChange myChange = EChange::NONE;
    std::int32_t myChangePosition = 0;
    bool myPaused = false;
    bool myMuted = false;
    int myMusicVolume = 100;
    int myEffectsVolume = 100;
    int myAppliedMusicVolume = -1;
    int myAppliedEffectsVolume = -1;
    // The pile while two marbles are selected: a third click may remove a chain.
    CPile myPileBeforeClick;
    bool myPileKept = false;
    std::vector<CPile> myUndoSteps;
    unsigned myLastBodyCount = 0;
    std::size_t myLastSelectionSize = 0;
    std::vector<CMarble*> myLastSelection;
    // Physics steps since the last level load.
    unsigned myLevelSteps = 0;
    CReplay myReplay;
};

}  // namespace marbles

#endif
