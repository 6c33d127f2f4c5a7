// The running game: the level being played, the level list with the player's progress, the
// screen shown over the level, its texts and sounds, and the player's commands.
#ifndef TARN_MARBLES_GAME_CMARBLESTASKIMPL_H
#define TARN_MARBLES_GAME_CMARBLESTASKIMPL_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "marbles/game/cattempt.h"
#include "marbles/game/cgamehud.h"
#include "marbles/game/cgameoptions.h"
#include "marbles/game/cgamesound.h"
#include "marbles/game/cleveloutcome.h"
#include "marbles/game/clevelplay.h"
#include "marbles/game/coptionspanel.h"
#include "marbles/game/cownlevels.h"
#include "marbles/game/clevelsession.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/game/cplayerlevellist.h"
#include "marbles/game/creplay.h"
#include "marbles/game/cscreenflow.h"
#include "marbles/game/ieditorhost.h"
#include "marbles/game/igamecontrols.h"
#include "marbles/level/clevellist.h"

namespace marbles {

class CMarblesInGameUi;
class COptionsWindow;

class CMarblesTask::CMarblesTaskImpl : public IGameControls, public IEditorHost {
public:
    static constexpr unsigned STEP_LENGTH = CLevelSession::STEP_LENGTH;
    static constexpr double STEP_SPEEDUP = CLevelSession::STEP_SPEEDUP;

    using COptions = CGameOptions;

    // Reads the level list from levelListFile and shows the title screen, or starts the
    // level of the options at once. A list that cannot be read (or holds no level) is said on
    // the title with where the log is; the shipped list (SHIPPED_LEVEL_LIST), when it is
    // another file, is played instead and the player's file is never written. A damaged list
    // that cannot be written back without loss is said on the title too.
    CMarblesTaskImpl(const std::string& levelListFile, const COptions& options);
    explicit CMarblesTaskImpl(const std::string& levelListFile = "data/level_list.xml");
    // Writes the level list back (unless it is the stand-in for an unreadable one), closes the
    // options window (saving what changed), deletes the screen, then the level's bodies and
    // marbles.
    ~CMarblesTaskImpl() override;
    CMarblesTaskImpl(const CMarblesTaskImpl&) = delete;
    CMarblesTaskImpl& operator=(const CMarblesTaskImpl&) = delete;

    // Applies a screen change asked for since the last update and removes the chains completed
    // since then; then one physics step when its time has come, otherwise, while a level runs
    // unpaused, the end-of-level check once the pile has settled. Plays the click and pop of
    // the player's selections and removals and keeps the texts up to date.
    void Update();
    // Replaces the screen by an empty one wired to the rules, resets the rules, the selection,
    // pause and undo steps and loads the current level file. A level of the list that cannot
    // be read loads nothing and puts up a message whose click skips it without marking it
    // completed. Never call it from the screen: it deletes the screen.
    void StartLevel();
    // Runs a line of the game's command table; any other text logs the body list.
    void ExecuteCommand(const std::string& line);

    // A screen change asked for from inside a screen's own mouse handler: kept until the next
    // update, so the screen is never deleted while it runs. The last request wins. position
    // is the chosen tile's for CHOSEN_LEVEL.
    void Request(CScreenFlow::EChange change, std::int32_t position = 0);
    // The level at position (the same level again after a loss).
    void RequestLevel(std::int32_t position) { Request(CScreenFlow::EChange::CHOSEN_LEVEL, position); }

    // The rules' signals, through the screen: the level's progress and records are saved at
    // once and the attempt's moves and time shown with the records; the first save of a run
    // that fails is said on the level-complete picture.
    void OnLevelComplete();
    void OnLevelLost();

    // The player's commands.
    void Reset() override;
    bool Undo() override;
    bool Hint() override;
    void TogglePause() override;
    void ToggleMute() override;
    void Back() override;
    void OpenLevelSelect() override;
    void OpenOptions() override;
    void OpenEditor() override;

    // The editor's requests: its level played at the next update, a saved level listed.
    void TestLevel(const std::string& levelFile, const std::string& solutionFile) override;
    void AddOwnLevel(const std::string& levelFile) override;
    // The level editor while it is open (shown, or hidden while its level is tested); null
    // otherwise.
    CEditorScreen* GetEditor() const { return myOwnLevels.GetEditor(); }
    bool IsTesting() const { return myOwnLevels.IsTesting(); }
    // On the level select after E: the next click on any tile opens the editor on a copy.
    bool IsPickingForEditor() const { return myOwnLevels.IsPicking(); }
    void QueueReplay(const std::string& file) override { myReplay.Queue(file); }
    bool WatchSolution() override;
    // The level on the lost picture has been lost twice or more in a row: its solution may be
    // watched.
    bool CanWatchSolution() const;
    bool IsWatchingSolution() const { return myReplay.IsWatching(); }
    void DumpBodies() const override { mySession.GetPhysics().DumpBodies(); }

    // A level is being played: its marbles are registered (a step ran since the load) and no
    // picture waits for a click. The title, help and end-of-level pictures are never judged.
    bool IsLevelRunning() const;
    bool IsPaused() const { return myPlay.IsPaused(); }
    bool IsMuted() const { return mySound.IsMuted(); }
    unsigned GetUndoCount() const { return mySession.GetUndoCount(); }

    CMarblesInGameUi* GetScreen() const { return myScreen.get(); }
    // The options window over the title; null while it is closed.
    COptionsWindow* GetOptionsWindow() const { return myOptionsPanel.GetWindow(); }
    bool IsOptionsOpen() const { return myOptionsPanel.IsOpen(); }
    CLevelSession& GetSession() { return mySession; }
    CPhysicsWorld* GetWorld() { return &mySession.GetWorld(); }
    CLevelRules& GetRules() { return mySession.GetRules(); }
    CMarblesLogic& GetLogic() { return mySession.GetLogic(); }
    const CLevelList& GetLevelList() const { return myLevelList; }
    const std::string& GetLevelFile() const { return myLevelFile; }
    const CGameHud& GetHud() const { return myHud; }
    const CAttempt& GetAttempt() const { return myAttempt; }
    const COptions& GetOptions() const { return myOptions; }

private:
    void ApplyChange();
    void ShowTitle();
    void ShowLevelSelect();
    // The editor on a copy of the level at position (an empty level for 0).
    void ShowEditor(std::int32_t position);
    // The editor is on screen (not testing its level).
    bool IsEditing() const { return myOwnLevels.IsEditing(); }
    void StartLevelAt(std::int32_t position);
    // Loads the current level file; false (with the failure on screen) when it cannot be played.
    bool LoadLevel();
    void RunPhysics();
    void UpdateHud();
    // A level is on screen, running or lost: one R restarts.
    bool IsInLevel() const;
    bool IsOnTitle() const;
    void NewScreen();

    COptions myOptions;
    CLevelSession mySession;
    std::unique_ptr<CMarblesInGameUi> myScreen;
    CPlayerLevelList myLevels;
    // The list of myLevels.
    CLevelList& myLevelList;
    std::string myLevelFile;
    CGameHud myHud;
    CGameSound mySound;
    CScreenFlow myFlow;
    CAttempt myAttempt;
    CReplay myReplay;
    // The options window over the title, changing myOptions and mySound.
    COptionsPanel myOptionsPanel{myOptions, mySound};
    // Pause, undo, hint and mute, the clicks' moves and sounds, the status line.
    CLevelPlay myPlay{mySession, myHud, mySound, myAttempt};
    CLevelOutcome myOutcome;
    // My levels, the level editor and its test runs.
    COwnLevels myOwnLevels;
};

}  // namespace marbles

#endif
