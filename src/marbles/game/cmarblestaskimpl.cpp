// The running game: screen changes between updates, the level's start and end, the player's
// commands, the texts, and the level list with the player's progress.
#include "marbles/game/cmarblestaskimpl.h"

#include "marbles/game/cgamecommands.h"
#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/levelprogress.h"
#include "marbles/physics/cphysicsworld.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

tarn::CLogger* Log() { return tarn::CLogger::GetSingleton(); }

}  // namespace

using CImpl = CMarblesTask::CMarblesTaskImpl;
using EChange = CScreenFlow::EChange;

CImpl::CMarblesTaskImpl(const std::string& levelListFile, const COptions& options)
    : myOptions(options),
      myLevels(levelListFile),
      myLevelList(myLevels.GetList()),
      mySound(options.mySound, options.myMusic) {
    // The player's own levels that pass their checks (a level being played would stop the
    // replays: none is yet).
    myOwnLevels.Join(myLevelList);
    myOptionsPanel.ApplyStartMode();
    // The title starts the music.
    ShowTitle();
    if (myOptions.myStartLevel > 0) RequestLevel(myOptions.myStartLevel);
}

CImpl::CMarblesTaskImpl(const std::string& levelListFile) : CMarblesTaskImpl(levelListFile, COptions()) {}

CImpl::~CMarblesTaskImpl() {
    myOwnLevels.CloseEditor();
    // Saves what changed even when the desktop deleted the window already (the ui task
    // stopping first).
    myOptionsPanel.Close();
    myLevels.Save();
    myScreen.reset();
}

void CImpl::Update() {
    // Closed by its own buttons: deleted here, outside their handlers.
    myOptionsPanel.CloseIfDone();
    ApplyChange();
    mySound.ApplyVolumes();
    // Chains completed by clicks since the last update leave now, outside the mouse dispatch.
    GetLogic().ApplyPendingRemovals();
    myPlay.NoticeClicks();
    myHud.Update();
    // The editor's level is not played: no step, no judgement.
    if (IsEditing()) myOwnLevels.GetEditor()->Update();
    if (!IsPaused() && !IsEditing()) RunPhysics();
    mySession.KeepPile();
    // Play time runs while a level runs unpaused: never on a picture, a pause or a loading.
    myAttempt.SetRunning(IsLevelRunning() && !IsPaused());
    UpdateHud();
}

void CImpl::RunPhysics() {
    if (mySession.StepIfDue()) {
        myReplay.AfterStep(mySession.GetStepCount(), mySession.GetWorld());
        return;
    }
    if (!myReplay.IsIdle()) myReplay.OnPicture(CLevelOutcome::PictureOf(myScreen.get(), myLevelFile));
    // The marbles never lie quite still, so the checks wait for a pile the player sees at rest.
    if (IsLevelRunning()) mySession.Judge();
}

bool CImpl::IsOnTitle() const { return myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_TITLE; }

bool CImpl::IsInLevel() const {
    // Not on the level-complete picture: the won level is already behind the list's position.
    if (!myScreen || IsEditing() || (myLevelList.GetPosition() < 1 && !IsTesting())) return false;
    const std::int32_t state = myScreen->GetState();
    return state == CMarblesInGameUi::STATE_NONE || state == CMarblesInGameUi::STATE_LOST;
}

void CImpl::UpdateHud() {
    const bool shown = myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_NONE &&
                       myLevelList.GetPosition() >= 1 && !GetEditor();
    myPlay.UpdateStatus(shown ? &myLevelList : nullptr);
}

void CImpl::Request(EChange change, std::int32_t position) {
    change = myOwnLevels.Redirect(change);
    if (change == EChange::QUIT) return tarn::CTaskManager::GetSingleton()->Quit();
    // The same level again, or the one after it, is chosen by its place in the list.
    const std::int32_t current = myLevelList.GetPosition();
    if (change == EChange::SAME_LEVEL) return myFlow.Request(EChange::CHOSEN_LEVEL, current);
    if (change == EChange::SKIP_LEVEL) return myFlow.Request(EChange::CHOSEN_LEVEL, current + 1);
    myFlow.Request(change, position);
}

void CImpl::ApplyChange() {
    std::int32_t position = 0;
    switch (myFlow.Take(position)) {
        case EChange::CONTINUE:
            // Without levels there is nothing to play: back to the title, which says why.
            if (LevelCount(myLevelList) == 0) return ShowTitle();
            // Leaving the help screen completes the place before the first level.
            myLevelList.SetPosition(0);
            myLevelList.GetNextLevel();
            return StartLevelAt(FirstOpenLevel(myLevelList));
        case EChange::CHOSEN_LEVEL:
            if (position > LevelCount(myLevelList)) return ShowLevelSelect();
            return StartLevelAt(position);
        case EChange::TITLE:
            return ShowTitle();
        case EChange::LEVEL_SELECT:
            return ShowLevelSelect();
        case EChange::OPTIONS:
            // Over the title only, once.
            if (IsOnTitle()) myOptionsPanel.Open();
            return;
        case EChange::EDITOR:
            return ShowEditor(position);
        case EChange::EDITOR_TEST:
            if (myOwnLevels.BeginTest(myReplay)) StartLevel();
            return;
        case EChange::EDITOR_RETURN:
            NewScreen();
            return myOwnLevels.EndTest();
        default:
            return;
    }
}

void CImpl::NewScreen() {
    myOwnLevels.ClearBoxes();
    myOptionsPanel.Close();
    myScreen.reset();
    myPlay.Leave();
    myScreen = std::make_unique<CMarblesInGameUi>(this);
}

void CImpl::ShowTitle() {
    myOwnLevels.CloseEditor();
    NewScreen();
    mySound.PlayMusic(CGameSound::MUSIC);
    myScreen->ShowTitle();
    if (!myLevels.GetNotice().empty()) myScreen->ShowNotice(myLevels.GetNotice());
    else if (!myOwnLevels.GetNotice().empty()) myScreen->ShowNotice(myOwnLevels.GetNotice());
    Log()->Debug() << "Showing the title\n";
}

void CImpl::ShowLevelSelect() {
    myOwnLevels.CloseEditor();
    NewScreen();
    myScreen->ShowLevelSelect(myLevelList);
    Log()->Debug() << "Showing the level select\n";
}

void CImpl::ShowEditor(std::int32_t position) {
    myOwnLevels.CloseEditor();
    NewScreen();
    myOwnLevels.OpenEditor(this, myLevelList, position);
}

void CImpl::TestLevel(const std::string& levelFile, const std::string& solutionFile) {
    myLevelFile = levelFile;
    myOwnLevels.SetTestSolution(solutionFile);
    myFlow.Request(EChange::EDITOR_TEST);
}

void CImpl::AddOwnLevel(const std::string& levelFile) { COwnLevels::Add(myLevels, levelFile); }

void CImpl::StartLevelAt(std::int32_t position) {
    myOwnLevels.CloseEditor();
    myLevelList.SetPosition(position);
    const std::int32_t at = myLevelList.GetPosition();
    mySound.PlayMusic(CGameSound::MusicForLevel(at, LevelCount(myLevelList)));
    myLevelFile = at < static_cast<std::int32_t>(myLevelList.GetEntryCount())
                      ? myLevelList.GetEntry(static_cast<unsigned>(at)).myFileName
                      : std::string();
    StartLevel();
}

void CImpl::StartLevel() {
    NewScreen();
    GetRules().Reset();
    myScreen->ListenTo(GetRules());
    myAttempt.Start();
    Log()->Debug() << "Loading level: " << myLevelFile << "\n";
    // Outside the list (before the first level, past the last) there is nothing to load.
    const bool listed = myLevelList.GetPosition() >= 1 && myLevelList.IsInside();
    if ((listed || IsTesting()) && !LoadLevel()) return;
    myReplay.OnLevelStart();
}

bool CImpl::LoadLevel() {
    CLevelFile::CGraphics graphics;
    bool hasGraphics = false;
    const std::string problem = mySession.Load(myLevelFile, graphics, hasGraphics);
    if (!problem.empty()) {
        myScreen->ShowLoadFailure(myLevelFile, problem);
        return false;
    }
    if (hasGraphics) myScreen->SetGraphics(graphics);
    myOwnLevels.ShowBoxes(myLevelList, mySession.GetWorld());
    return true;
}

bool CImpl::IsLevelRunning() const {
    return !IsEditing() && mySession.HasStepped() && myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_NONE;
}

void CImpl::OnLevelComplete() {
    myHud.HideAll();
    mySound.PlayEffect(CGameSound::COMPLETE_SOUND);
    // A test of the editor's level wins nothing in the list.
    if (!IsTesting()) myOutcome.Won(myLevels, myAttempt, myScreen.get());
}

void CImpl::OnLevelLost() {
    myHud.HideAll();
    mySound.PlayEffect(CGameSound::LOST_SOUND);
    myOutcome.Lost(myLevelFile);
}

bool CImpl::CanWatchSolution() const {
    return myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_LOST && myOutcome.LostTwice(myLevelFile);
}

bool CImpl::WatchSolution() {
    if (!CanWatchSolution()) return false;
    if (!myReplay.Watch(CLevelOutcome::SolutionFile(myLevelFile))) {
        myHud.ShowMessage("No solution to watch");
        return false;
    }
    StartLevel();
    myHud.ShowMessage("The solution: click to take over");
    return true;
}

void CImpl::ExecuteCommand(const std::string& line) { CGameCommands::Execute(*this, line); }

void CImpl::Reset() {
    if (IsInLevel()) StartLevel();
}

bool CImpl::Undo() {
    // A loss is taken back like any removal: the pile before it comes back and play goes on.
    const bool lost = myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_LOST;
    if (!myPlay.Undo(IsLevelRunning(), lost, IsInLevel())) return false;
    if (lost) myScreen->ResumeLevel();
    return true;
}

bool CImpl::Hint() { return myPlay.Hint(IsLevelRunning()); }

void CImpl::TogglePause() { myPlay.TogglePause(IsLevelRunning()); }

void CImpl::ToggleMute() { myPlay.ToggleMute(); }

void CImpl::Back() {
    if (myOptionsPanel.IsOpen()) return myOptionsPanel.Close();
    if (IsEditing()) {
        if (!GetEditor()->StopProof())
            Request(CScreenFlow::Next(CScreenFlow::EScreen::EDITOR, CScreenFlow::EInput::BACK_KEY));
        return;
    }
    Request(CScreenFlow::Next(myScreen ? myScreen->GetScreen() : CScreenFlow::EScreen::LEVEL,
                              CScreenFlow::EInput::BACK_KEY));
}

void CImpl::OpenLevelSelect() {
    if (IsOnTitle()) Request(EChange::LEVEL_SELECT);
}

void CImpl::OpenOptions() {
    if (!myScreen) return;
    const EChange change = CScreenFlow::Next(myScreen->GetScreen(), CScreenFlow::EInput::OPTIONS);
    if (change != EChange::NONE) Request(change);
}

void CImpl::OpenEditor() {
    if (IsOnTitle()) return Request(CScreenFlow::Next(CScreenFlow::EScreen::TITLE, CScreenFlow::EInput::EDITOR_KEY));
    if (!myScreen || myScreen->GetState() != CMarblesInGameUi::STATE_LEVEL_SELECT || IsPickingForEditor()) return;
    myOwnLevels.StartPick();
    myScreen->ShowNotice("Click a level to edit a copy of it");
}

}  // namespace marbles
