// The running game: screen changes between updates, the level's start and end, the player's
// commands, the texts, and the level list with the player's progress.
#include "marbles/game/cmarblestaskimpl.h"

#include "marbles/editor/sharedlevel.h"
#include "marbles/game/cgamecommands.h"
#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/coptionswindow.h"
#include "marbles/game/gamepaths.h"
#include "marbles/game/screentext.h"
#include "marbles/game/levelprogress.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarbleregistry.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/iwindowcontrol.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/signalslot/cgenericevent.h"
#include "tarn/utils/signalslot/cslot.h"

namespace marbles {

namespace {

tarn::CLogger* Log() { return tarn::CLogger::GetSingleton(); }

// The running window task; null when none runs.
tarn::IWindowControl* Window() {
    return dynamic_cast<tarn::IWindowControl*>(tarn::CTaskFactory::GetSingleton()->FindTask("window"));
}

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
    std::vector<std::string> notices;
    const std::string folder = GetGamePaths().GetMyLevelsDir();
    JoinOwnLevels(myLevelList, FindSharedLevels(folder, notices), folder);
    for (const std::string& notice : notices) Log()->Warning() << notice << "\n";
    if (!notices.empty())
        myOwnNotice = std::to_string(notices.size()) + " level file(s) in " + folder +
                      " did not pass the checks for My levels.\nSee the log: " + CPlayerLevelList::LogLocation();
    tarn::IWindowControl* window = Window();
    if (myOptions.myFullscreen && window && !window->IsFullscreen()) window->SetFullscreen(true);
    // The title starts the music.
    ShowTitle();
    if (myOptions.myStartLevel > 0) RequestLevel(myOptions.myStartLevel);
}

CImpl::CMarblesTaskImpl(const std::string& levelListFile) : CMarblesTaskImpl(levelListFile, COptions()) {}

CImpl::~CMarblesTaskImpl() {
    myEditor.reset();
    CloseOptions();
    // The desktop may have deleted the window already (the ui task stopping first).
    SaveSettings();
    myLevels.Save();
    myScreen.reset();
}

void CImpl::Update() {
    // Closed by its own buttons: deleted here, outside their handlers.
    if (myOptionsWindow && myOptionsWindow->IsDone()) CloseOptions();
    ApplyChange();
    mySound.ApplyVolumes();
    // Chains completed by clicks since the last update leave now, outside the mouse dispatch.
    GetLogic().ApplyPendingRemovals();
    NoticeClicks();
    myHud.Update();
    // The editor's level is not played: no step, no judgement.
    if (IsEditing()) myEditor->Update();
    if (!myPaused && !IsEditing()) RunPhysics();
    mySession.KeepPile();
    // Play time runs while a level runs unpaused: never on a picture, a pause or a loading.
    myAttempt.SetRunning(IsLevelRunning() && !myPaused);
    UpdateHud();
}

void CImpl::RunPhysics() {
    if (mySession.StepIfDue()) {
        myReplay.AfterStep(mySession.GetStepCount(), mySession.GetWorld());
        return;
    }
    if (!myReplay.IsIdle()) myReplay.OnPicture(GetPicture());
    // The marbles never lie quite still, so the checks wait for a pile the player sees at rest.
    if (IsLevelRunning()) mySession.Judge();
}

void CImpl::NoticeClicks() {
    const CLevelSession::EClick click = mySession.NoticeClicks();
    if (click == CLevelSession::EClick::REMOVED) {
        myAttempt.AddMove();
        mySound.PlayEffect(CGameSound::POP_SOUND);
    }
    if (click == CLevelSession::EClick::SELECTED) mySound.PlayEffect(CGameSound::CLICK_SOUND);
}

bool CImpl::IsOnTitle() const { return myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_TITLE; }

bool CImpl::IsInLevel() const {
    // Not on the level-complete picture: the won level is already behind the list's position.
    if (!myScreen || IsEditing() || (myLevelList.GetPosition() < 1 && !myTesting)) return false;
    const std::int32_t state = myScreen->GetState();
    return state == CMarblesInGameUi::STATE_NONE || state == CMarblesInGameUi::STATE_LOST;
}

void CImpl::UpdateHud() {
    if (!myScreen || myScreen->GetState() != CMarblesInGameUi::STATE_NONE || myLevelList.GetPosition() < 1 ||
        myEditor) {
        myHud.HideStatus();
        return;
    }
    myHud.ShowStatus(CGameHud::StatusText(myLevelList.GetPosition(), LevelCount(myLevelList),
                                          CMarbleRegistry::GetSingleton()->GetCount(), GetUndoCount(),
                                          myAttempt.GetMoves(), myAttempt.GetSeconds()));
}

void CImpl::Request(EChange change, std::int32_t position) {
    // A test of the editor's level ends back in the editor, whatever the picture leads to.
    if (myTesting && change != EChange::NONE && change != EChange::HELP && change != EChange::QUIT)
        change = EChange::EDITOR_RETURN;
    if (myEditPick && change == EChange::CHOSEN_LEVEL) change = EChange::EDITOR;
    switch (change) {
        case EChange::SAME_LEVEL:
            myFlow.Request(EChange::CHOSEN_LEVEL, myLevelList.GetPosition());
            return;
        case EChange::SKIP_LEVEL:
            myFlow.Request(EChange::CHOSEN_LEVEL, myLevelList.GetPosition() + 1);
            return;
        case EChange::QUIT:
            tarn::CTaskManager::GetSingleton()->Quit();
            return;
        default:
            myFlow.Request(change, position);
    }
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
            return ShowOptions();
        case EChange::EDITOR:
            return ShowEditor(position);
        case EChange::EDITOR_TEST:
            return StartTest();
        case EChange::EDITOR_RETURN:
            return ReturnToEditor();
        default:
            return;
    }
}

void CImpl::LeaveLevel() {
    myPaused = false;
    mySession.GetMarbleFactory().SetInputEnabled(true);
    myHud.HideAll();
    mySession.Clear();
}

void CImpl::NewScreen() {
    myOwnBoxes.clear();
    CloseOptions();
    myScreen.reset();
    LeaveLevel();
    myScreen = std::make_unique<CMarblesInGameUi>(this);
}

void CImpl::ShowTitle() {
    CloseEditor();
    NewScreen();
    mySound.PlayMusic(CGameSound::MUSIC);
    myScreen->ShowTitle();
    if (!myLevels.GetNotice().empty()) myScreen->ShowNotice(myLevels.GetNotice());
    else if (!myOwnNotice.empty()) myScreen->ShowNotice(myOwnNotice);
    Log()->Debug() << "Showing the title\n";
}

void CImpl::ShowLevelSelect() {
    CloseEditor();
    NewScreen();
    myScreen->ShowLevelSelect(myLevelList);
    Log()->Debug() << "Showing the level select\n";
}

void CImpl::CloseEditor() {
    myEditor.reset();
    myTesting = false;
    myEditPick = false;
}

void CImpl::ShowEditor(std::int32_t position) {
    CloseEditor();
    NewScreen();
    CEditorLayout layout;
    std::string problem;
    const bool copy = position >= 1 && position < static_cast<std::int32_t>(myLevelList.GetEntryCount());
    if (copy && !layout.Load(myLevelList.GetEntry(static_cast<unsigned>(position)).myFileName, &problem))
        Log()->Warning() << "The editor starts on an empty level: " << problem << "\n";
    // The shipped pictures show their own boxes: the copy takes a picture of the walls alone.
    layout.SetBackground(CEditorLayout::EditorBackground(1));
    myEditor = std::make_unique<CEditorScreen>(this, GetGamePaths().GetMyLevelsDir(), layout);
    Log()->Debug() << "Showing the level editor\n";
}

void CImpl::TestLevel(const std::string& levelFile, const std::string& solutionFile) {
    myLevelFile = levelFile;
    myTestSolution = solutionFile;
    myFlow.Request(EChange::EDITOR_TEST);
}

void CImpl::StartTest() {
    if (!myEditor) return;
    myEditor->Hide();
    myTesting = true;
    if (!myTestSolution.empty()) myReplay.Queue(myTestSolution);
    StartLevel();
}

void CImpl::ReturnToEditor() {
    myTesting = false;
    NewScreen();
    if (myEditor) myEditor->Show();
    Log()->Debug() << "Back in the level editor\n";
}

void CImpl::AddOwnLevel(const std::string& levelFile) {
    for (unsigned position = 1; position < myLevelList.GetEntryCount(); ++position)
        if (myLevelList.GetEntry(position).myFileName == levelFile) return;
    myLevelList.AddEntry(OwnLevelEntry(levelFile));
    myLevels.Save();
}

void CImpl::StartLevelAt(std::int32_t position) {
    CloseEditor();
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
    CLevelRules& rules = GetRules();
    rules.Reset();
    rules.GetLevelCompleteSignal().Connect(new tarn::CSlot(
        new tarn::CGenericEvent0<CMarblesInGameUi, void>(myScreen.get(), &CMarblesInGameUi::LevelComplete)));
    rules.GetLevelLostSignal().Connect(new tarn::CSlot(
        new tarn::CGenericEvent0<CMarblesInGameUi, void>(myScreen.get(), &CMarblesInGameUi::LevelLost)));
    myAttempt.Start();
    Log()->Debug() << "Loading level: " << myLevelFile << "\n";
    // Outside the list (before the first level, past the last) there is nothing to load.
    const bool listed = myLevelList.GetPosition() >= 1 && myLevelList.IsInside();
    if ((listed || myTesting) && !LoadLevel()) return;
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
    ShowOwnBoxes();
    return true;
}

void CImpl::ShowOwnBoxes() {
    const std::int32_t at = myLevelList.GetPosition();
    const bool own = at >= 1 && myLevelList.IsInside() && myLevelList.GetEntry(static_cast<unsigned>(at)).myOwn;
    if (!own && !myTesting) return;
    CEditorLayout layout;
    std::vector<RigidBody> bodies;
    const CPhysicsWorld& world = mySession.GetWorld();
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) bodies.push_back(world.GetBody(i));
    layout.FromBodies(bodies);
    for (const CEditorLayout::Piece& piece : layout.GetPieces())
        if (piece.kind == CEditorLayout::PIECE_BOX && !piece.fixed)
            myOwnBoxes.push_back(MakeScreenBodyBox(piece.position, piece.extent, piece.orientation, false, 60));
}

CReplay::EPicture CImpl::GetPicture() const {
    if (!myScreen) return CReplay::PICTURE_NONE;
    switch (myScreen->GetState()) {
        case CMarblesInGameUi::STATE_TITLE:
            return CReplay::PICTURE_TITLE_OR_HELP;
        case CMarblesInGameUi::STATE_HELP_OR_COMPLETE:
            // The help picture comes before the first level.
            return myLevelFile.empty() ? CReplay::PICTURE_TITLE_OR_HELP : CReplay::PICTURE_COMPLETE;
        case CMarblesInGameUi::STATE_LOST:
            return CReplay::PICTURE_LOST;
        default:
            return CReplay::PICTURE_NONE;
    }
}

bool CImpl::IsLevelRunning() const {
    return !IsEditing() && mySession.HasStepped() && myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_NONE;
}

void CImpl::OnLevelComplete() {
    myHud.HideAll();
    mySound.PlayEffect(CGameSound::COMPLETE_SOUND);
    // A test of the editor's level wins nothing in the list.
    if (myTesting) return;
    // The won level is marked and written at once: nothing won is lost to a crash.
    if (myLevelList.GetPosition() < 1) return;
    if (myLevelList.IsInside()) {
        const auto won = static_cast<unsigned>(myLevelList.GetPosition());
        const CRecordNews news = myLevelList.RecordWin(won, myAttempt.GetMoves(), myAttempt.GetSeconds());
        if (myScreen) myScreen->ShowResult(myAttempt, myLevelList.GetEntry(won), news);
    }
    myLevelList.GetNextLevel();
    if (myLevels.Save() || mySaveFailureTold) return;
    // Once a run: every later win goes unsaved the same way.
    mySaveFailureTold = true;
    if (myScreen)
        myScreen->ShowNotice("Your progress could not be saved.\nSee the log: " + CPlayerLevelList::LogLocation());
}

void CImpl::OnLevelLost() {
    myHud.HideAll();
    mySound.PlayEffect(CGameSound::LOST_SOUND);
    if (myLossFile != myLevelFile) myLosses = 0;
    myLossFile = myLevelFile;
    ++myLosses;
}

bool CImpl::CanWatchSolution() const {
    return myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_LOST && myLossFile == myLevelFile &&
           myLosses >= 2;
}

bool CImpl::WatchSolution() {
    if (!CanWatchSolution()) return false;
    const std::string suffix = ".xml";
    std::string solution = myLevelFile;
    if (solution.size() > suffix.size() && solution.compare(solution.size() - suffix.size(), suffix.size(), suffix) == 0)
        solution.resize(solution.size() - suffix.size());
    if (!myReplay.Watch(solution + ".solution")) {
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
    const bool refused = (!IsLevelRunning() && !lost) || myPaused;
    if (refused) Log()->Debug() << "Nothing to undo\n";
    if (refused || !mySession.Undo()) {
        if (IsInLevel()) myHud.ShowMessage(myPaused ? "Paused: P to go on" : "Nothing to undo");
        return false;
    }
    if (lost) myScreen->ResumeLevel();
    return true;
}

bool CImpl::Hint() {
    if (!IsLevelRunning() || myPaused) return false;
    const bool found = mySession.Hint();
    myHud.ShowMessage(found ? "Hint: the marbles with a dashed rim" : "No chain to clear");
    return found;
}

void CImpl::TogglePause() {
    if (!myPaused && !IsLevelRunning()) return;
    myPaused = !myPaused;
    mySession.GetMarbleFactory().SetInputEnabled(!myPaused);
    myHud.SetPaused(myPaused);
    Log()->Debug() << (myPaused ? "Paused" : "Resumed") << "\n";
    if (!myPaused) mySession.RestartStepClock();
}

void CImpl::ToggleMute() {
    mySound.ToggleMute();
    const char* said = mySound.IsMuted() ? "Sound off" : "Sound on";
    myHud.ShowMessage(said);
    Log()->Debug() << said << "\n";
}

void CImpl::Back() {
    if (myOptionsWindow) return CloseOptions();
    if (IsEditing()) {
        if (!myEditor->StopProof()) Request(CScreenFlow::Next(CScreenFlow::EScreen::EDITOR, CScreenFlow::EInput::BACK_KEY));
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

void CImpl::ShowOptions() {
    if (myOptionsWindow || !IsOnTitle()) return;
    tarn::IWindowControl* window = Window();
    CGameSettings current;
    current.Set(CGameSettings::MUSIC_VOLUME, mySound.GetMusicVolume());
    current.Set(CGameSettings::EFFECTS_VOLUME, mySound.GetEffectsVolume());
    current.Set(CGameSettings::FULLSCREEN, window ? window->IsFullscreen() : myOptions.myFullscreen);
    myOptionsWindow = new COptionsWindow(tarn::ui::CDesktopWidget::GetSingleton(), current,
                                         [this](const std::string& name, int value) { OnOptionChanged(name, value); });
    myOptionsWindow->SetOnDestroyed([this]() { myOptionsWindow = nullptr; });
    Log()->Debug() << "Showing the options\n";
}

void CImpl::CloseOptions() {
    // Its destroyed callback forgets it.
    delete myOptionsWindow;
    SaveSettings();
}

void CImpl::OnOptionChanged(const std::string& name, int value) {
    Log()->Debug() << "Option " << name << " = " << value << "\n";
    myOptions.mySavedSettings.Set(name, value);
    mySettingsChanged = true;
    if (name == CGameSettings::FULLSCREEN) {
        if (tarn::IWindowControl* window = Window()) window->SetFullscreen(value != 0);
        return;
    }
    if (name == CGameSettings::MUSIC_VOLUME) mySound.SetMusicVolume(value);
    if (name == CGameSettings::EFFECTS_VOLUME) mySound.SetEffectsVolume(value);
    mySound.ApplyVolumes();
    // The new effects volume is heard at once.
    if (name == CGameSettings::EFFECTS_VOLUME) mySound.PlayEffect(CGameSound::CLICK_SOUND);
}

void CImpl::SaveSettings() {
    if (!mySettingsChanged || myOptions.mySettingsFile.empty()) return;
    mySettingsChanged = false;
    if (myOptions.mySavedSettings.Save(myOptions.mySettingsFile))
        *Log() << "Settings saved to " << myOptions.mySettingsFile << "\n";
}

void CImpl::OpenEditor() {
    if (IsOnTitle()) return Request(CScreenFlow::Next(CScreenFlow::EScreen::TITLE, CScreenFlow::EInput::EDITOR_KEY));
    if (!myScreen || myScreen->GetState() != CMarblesInGameUi::STATE_LEVEL_SELECT || myEditPick) return;
    myEditPick = true;
    myScreen->ShowNotice("Click a level to edit a copy of it");
}

}  // namespace marbles
