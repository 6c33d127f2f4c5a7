// The running game: fixed-step physics, end-of-level checks, screen changes between updates,
// the player's keys (undo, hint, pause, mute, back), sounds, texts and the level list.
#include "marbles/game/cmarblestaskimpl.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "marbles/game/cmarblegfx.h"
#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/game/gamepaths.h"
#include "marbles/game/levelprogress.h"
#include "marbles/level/clevelfile.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cchainfinder.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "tarn/io/pathutils.h"
#include "tarn/platform/platform.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/signalslot/cgenericevent.h"
#include "tarn/utils/signalslot/cslot.h"

namespace marbles {

namespace {

const std::size_t CHAIN = 3;

tarn::CInterpreter* Console() { return tarn::CKernel::GetSingleton()->GetConsole(); }

tarn::CLogger* Log() { return tarn::CLogger::GetSingleton(); }

// The console variable as an integer; fallback when unset or not a number.
int ConsoleInt(const std::string& name, int fallback) {
    std::istringstream in(Console()->GetVariable(name));
    int value = 0;
    return (in >> value) ? value : fallback;
}

// The sound volume (0 to 100) as the audio task takes it (0 to 1).
std::string VolumeText(int volume) {
    const int clamped = volume < 0 ? 0 : (volume > 100 ? 100 : volume);
    return std::to_string(clamped / 100.0);
}

}  // namespace

using CImpl = CMarblesTask::CMarblesTaskImpl;

CImpl::COptions CImpl::COptions::FromConsole() {
    COptions options;
    options.mySound = ConsoleInt("sound", 1) != 0;
    options.myMusic = ConsoleInt("music", 1) != 0;
    options.myFullscreen = ConsoleInt("fullscreen", 0) != 0;
    options.myStartLevel = ConsoleInt("level", 0);
    return options;
}

CImpl::CMarblesTaskImpl(const std::string& levelListFile, const COptions& options)
    : myLevelListFile(levelListFile), myOptions(options) {
    myRules.Reset();
    SetListenerFactory(&myMarbleFactory);
    myMarbleFactory.SetGameLogic(&myLogic);
    myLogic.SetPhysics(this);
    LoadLevelList();
    BindVariables();
    if (myOptions.myFullscreen) Console()->Execute("window::ToggleFullscreen", false);
    if (myOptions.mySound && myOptions.myMusic) Console()->Execute(std::string("audio::PlayMusic( \"") + MUSIC + "\" )", false);
    ShowTitle();
    if (myOptions.myStartLevel > 0) RequestLevel(myOptions.myStartLevel);
}

CImpl::CMarblesTaskImpl(const std::string& levelListFile) : CMarblesTaskImpl(levelListFile, COptions()) {}

CImpl::~CMarblesTaskImpl() {
    UnbindVariables();
    CMarbleGfx::SetInputEnabled(true);
    SaveLevelList();
    myScreen.reset();
}

namespace {

// Whole milliseconds on the step timer after which the next step runs.
constexpr tarn::types::ticks STEP_DUE = static_cast<tarn::types::ticks>(CImpl::STEP_LENGTH / CImpl::STEP_SPEEDUP) + 1;

// Lets the main loop sleep until the next step is due.
void WakeForStep(tarn::types::ticks elapsed) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetExisting();
    if (manager) manager->WakeAt(tarn::GetGlobalTime() + (elapsed < STEP_DUE ? STEP_DUE - elapsed : 0));
}

}  // namespace

namespace {

// Where the log is, as a player can look it up.
std::string LogLocation() {
    const std::string& file = tarn::CLogger::GetFileName();
    if (tarn::IsAbsolutePath(file)) return file;
    const std::string folder = tarn::platform::GetWorkingDirectory();
    return folder.empty() ? file : folder + "/" + file;
}

bool SameFile(const std::string& left, const std::string& right) {
    std::error_code error;
    return left == right || std::filesystem::equivalent(left, right, error);
}

}  // namespace

void CImpl::LoadLevelList() {
    const std::string seeLog = "See the log: " + LogLocation();
    if (myLevelList.Load(myLevelListFile) && LevelCount(myLevelList) > 0) {
        if (myLevelList.IsDamaged() && !myLevelList.IsRecoverable())
            myListNotice = "The level list is damaged: progress is not saved\n" + myLevelListFile + "\n" + seeLog;
        return;
    }
    myListNotice = "The level list cannot be read:\n" + myLevelListFile + "\n" + seeLog;
    myListSaved = false;
    // The player's file stays as it is; the shipped list, when it is another file, is played.
    if (!SameFile(myLevelListFile, SHIPPED_LEVEL_LIST) && myLevelList.Load(SHIPPED_LEVEL_LIST)) {
        Log()->Warning() << "Playing the shipped level list " << SHIPPED_LEVEL_LIST << "; " << myLevelListFile
                         << " is not written\n";
        return;
    }
    myLevelList.Clear();
}

bool CImpl::SaveLevelList() { return myListSaved && myLevelList.Save(myLevelListFile); }

void CImpl::BindVariables() {
    myMusicVolume = ConsoleInt("music_volume", 100);
    myEffectsVolume = ConsoleInt("effects_volume", 100);
    Console()->BindInt("music_volume", &myMusicVolume);
    Console()->BindInt("effects_volume", &myEffectsVolume);
}

void CImpl::UnbindVariables() {
    // The values stay behind as plain variables for a game started later.
    const std::string music = std::to_string(myMusicVolume);
    const std::string effects = std::to_string(myEffectsVolume);
    Console()->RemoveVariable("music_volume");
    Console()->RemoveVariable("effects_volume");
    Console()->SetVariable("music_volume", music);
    Console()->SetVariable("effects_volume", effects);
}

void CImpl::ApplyVolumes() {
    const int music = myMuted ? 0 : myMusicVolume;
    const int effects = myMuted ? 0 : myEffectsVolume;
    if (music == myAppliedMusicVolume && effects == myAppliedEffectsVolume) return;
    myAppliedMusicVolume = music;
    myAppliedEffectsVolume = effects;
    Console()->Execute("audio::SetMusicVolume( " + VolumeText(music) + " )", false);
    Console()->Execute("audio::SetEffectsVolume( " + VolumeText(effects) + " )", false);
}

void CImpl::PlayEffect(const char* file) {
    if (!myOptions.mySound || myMuted) return;
    Log()->Debug() << "Sound effect: " << file << "\n";
    Console()->Execute(std::string("audio::PlayEffect( \"") + file + "\" )", false);
}

void CImpl::Update() {
    ApplyChange();
    ApplyVolumes();
    // Chains completed by clicks since the last update leave now, outside the mouse dispatch.
    myLogic.ApplyPendingRemovals();
    NoticeClicks();
    myHud.Update();
    if (!myPaused) RunPhysics();
    KeepPile();
    UpdateHud();
}

void CImpl::RunPhysics() {
    const tarn::types::ticks elapsed = myStepTimer.GetTime();
    if (static_cast<double>(elapsed) > STEP_LENGTH / STEP_SPEEDUP) {
        myStepTimer.Reset();
        Step(STEP_LENGTH);
        tarn::GetLoopStats().Add(tarn::CLoopStats::STEPS);
        myRules.ObservePile(GetWorld());
        myLevelStepped = true;
        myReplay.AfterStep(++myLevelSteps, *GetWorld());
        WakeForStep(0);
        return;
    }
    WakeForStep(elapsed);
    if (!myReplay.IsIdle()) myReplay.OnPicture(GetPicture());
    // The marbles never lie quite still, so the checks wait for a pile the player sees at rest.
    if (IsLevelRunning()) myRules.Update(myRules.IsPileSettled());
}

void CImpl::NoticeClicks() {
    const CPhysicsWorld* world = GetWorld();
    const unsigned bodies = world ? world->GetBodyCount() : 0;
    const std::size_t selected = myLogic.GetSelection().size();
    if (bodies < myLastBodyCount && myPileKept) {
        myUndoSteps.push_back(myPileBeforeClick);
        PlayEffect(POP_SOUND);
    } else if (selected > myLastSelectionSize) {
        PlayEffect(CLICK_SOUND);
    }
    if (myLogic.GetSelection() != myLastSelection) RefreshMarbles();
    myLastSelection = myLogic.GetSelection();
    myLastSelectionSize = selected;
}

void CImpl::KeepPile() {
    // Nothing changes the bodies between the end of one update and the next but a click: the
    // pile kept here is the pile just before a click that removes a chain.
    const CPhysicsWorld* world = GetWorld();
    myLastBodyCount = world ? world->GetBodyCount() : 0;
    myPileKept = world && myLogic.GetSelection().size() + 1 >= CHAIN;
    if (!myPileKept) return;
    myPileBeforeClick.clear();
    for (unsigned i = 0; i < myLastBodyCount; ++i) myPileBeforeClick.push_back(world->GetBody(i));
}

void CImpl::RefreshMarbles() {
    for (CMarble* marble : *CMarbleRegistry::GetSingleton()) {
        auto* drawn = dynamic_cast<CMarbleGfx*>(marble);
        if (!drawn) continue;
        // A hint's glow goes with the next click; the pointer's own glow stays.
        if (!drawn->IsSelected() && !drawn->IsPointerOver()) drawn->SetHighlight(false);
        drawn->RefreshLook();
    }
}

bool CImpl::IsInLevel() const {
    // Not on the level-complete picture: the won level is already behind the list's position.
    if (!myScreen || myLevelList.GetPosition() < 1) return false;
    const std::int32_t state = myScreen->GetState();
    return state == CMarblesInGameUi::STATE_NONE || state == CMarblesInGameUi::STATE_LOST;
}

void CImpl::UpdateHud() {
    if (!myScreen || myScreen->GetState() != CMarblesInGameUi::STATE_NONE || myLevelList.GetPosition() < 1) {
        myHud.HideStatus();
        return;
    }
    myHud.ShowStatus(CGameHud::StatusText(myLevelList.GetPosition(), LevelCount(myLevelList),
                                          CMarbleRegistry::GetSingleton()->GetCount(), GetUndoCount()));
}

void CImpl::RequestContinue() { myChange = EChange::CONTINUE; }

void CImpl::RequestLevel(std::int32_t position) {
    myChange = EChange::LEVEL;
    myChangePosition = position;
}

void CImpl::RequestTitle() { myChange = EChange::TITLE; }

void CImpl::RequestLevelSelect() { myChange = EChange::LEVEL_SELECT; }

void CImpl::RequestSkipLevel() { RequestLevel(myLevelList.GetPosition() + 1); }

void CImpl::ApplyChange() {
    const EChange change = myChange;
    myChange = EChange::NONE;
    switch (change) {
        case EChange::CONTINUE:
            // Without levels there is nothing to play: back to the title, which says why.
            if (LevelCount(myLevelList) == 0) {
                ShowTitle();
                return;
            }
            // Leaving the help screen completes the place before the first level.
            myLevelList.SetPosition(0);
            myLevelList.GetNextLevel();
            StartLevelAt(FirstOpenLevel(myLevelList));
            return;
        case EChange::LEVEL:
            if (myChangePosition > LevelCount(myLevelList)) {
                ShowLevelSelect();
                return;
            }
            StartLevelAt(myChangePosition);
            return;
        case EChange::TITLE:
            ShowTitle();
            return;
        case EChange::LEVEL_SELECT:
            ShowLevelSelect();
            return;
        case EChange::NONE:
            return;
    }
}

void CImpl::LeaveLevel() {
    myPaused = false;
    CMarbleGfx::SetInputEnabled(true);
    myHud.HideAll();
    myLogic.ClearSelection();
    myUndoSteps.clear();
    myPileKept = false;
    myLevelStepped = false;
    myLevelSteps = 0;
    if (CPhysicsWorld* world = GetWorld()) world->RemoveAllBodies();
    myLastBodyCount = 0;
    myLastSelectionSize = 0;
    myLastSelection.clear();
}

void CImpl::ShowTitle() {
    LeaveLevel();
    myScreen.reset();
    myScreen = std::make_unique<CMarblesInGameUi>(this);
    myScreen->ShowTitle();
    if (!myListNotice.empty()) myScreen->ShowNotice(myListNotice);
    Log()->Debug() << "Showing the title\n";
}

void CImpl::ShowLevelSelect() {
    LeaveLevel();
    myScreen.reset();
    myScreen = std::make_unique<CMarblesInGameUi>(this);
    myScreen->ShowLevelSelect(myLevelList);
    Log()->Debug() << "Showing the level select\n";
}

void CImpl::StartLevelAt(std::int32_t position) {
    myLevelList.SetPosition(position);
    const std::int32_t at = myLevelList.GetPosition();
    myLevelFile = at < static_cast<std::int32_t>(myLevelList.GetEntryCount())
                      ? myLevelList.GetEntry(static_cast<unsigned>(at)).myFileName
                      : std::string();
    StartLevel();
}

void CImpl::StartLevel() {
    myScreen.reset();
    LeaveLevel();
    myScreen = std::make_unique<CMarblesInGameUi>(this);
    myRules.Reset();
    myRules.GetLevelCompleteSignal().Connect(
        new tarn::CSlot(new tarn::CGenericEvent0<CMarblesInGameUi, void>(myScreen.get(), &CMarblesInGameUi::LevelComplete)));
    myRules.GetLevelLostSignal().Connect(
        new tarn::CSlot(new tarn::CGenericEvent0<CMarblesInGameUi, void>(myScreen.get(), &CMarblesInGameUi::LevelLost)));
    Log()->Debug() << "Loading level: " << myLevelFile << "\n";
    // Outside the list (before the first level, past the last) there is nothing to load.
    if (myLevelList.GetPosition() >= 1 && myLevelList.IsInside()) {
        CLevelFile level(this);
        if (!level.Load(myLevelFile)) {
            myScreen->ShowLoadFailure(myLevelFile, level.GetProblem());
            return;
        }
        // A marble nobody could see would keep the level from ever being won.
        const std::string invisible = CMarbleSpriteTable::GetSingleton()->FindMarbleWithoutSprite(*GetWorld());
        if (!invisible.empty()) {
            Log()->Warning() << "Could not read the level: " << myLevelFile << ", " << invisible << "\n";
            GetWorld()->RemoveAllBodies();
            myScreen->ShowLoadFailure(myLevelFile, invisible);
            return;
        }
        if (level.HasGraphics()) myScreen->SetGraphics(level.GetGraphics());
    }
    myLastBodyCount = GetWorld() ? GetWorld()->GetBodyCount() : 0;
    myReplay.OnLevelStart();
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
    return myLevelStepped && myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_NONE;
}

void CImpl::NextLevel() {
    myLevelFile = myLevelList.GetNextLevel();
    StartLevel();
}

void CImpl::OnLevelComplete() {
    myHud.HideAll();
    PlayEffect(COMPLETE_SOUND);
    // The won level is marked and written at once: nothing won is lost to a crash.
    if (myLevelList.GetPosition() < 1) return;
    myLevelList.GetNextLevel();
    if (SaveLevelList() || mySaveFailureTold) return;
    // Once a run: every later win goes unsaved the same way.
    mySaveFailureTold = true;
    if (myScreen) myScreen->ShowNotice("Your progress could not be saved.\nSee the log: " + LogLocation());
}

void CImpl::OnLevelLost() {
    myHud.HideAll();
    PlayEffect(LOST_SOUND);
}

bool CImpl::Undo() {
    CPhysicsWorld* world = GetWorld();
    if (!IsLevelRunning() || myPaused || myUndoSteps.empty() || !world) {
        Log()->Debug() << "Nothing to undo\n";
        return false;
    }
    const CPile pile = std::move(myUndoSteps.back());
    myUndoSteps.pop_back();
    myLogic.ClearSelection();
    world->RemoveAllBodies();
    for (const RigidBody& body : pile) world->AddBody(body);
    myRules.Reset();
    myLastBodyCount = world->GetBodyCount();
    myLastSelectionSize = 0;
    myPileKept = false;
    Log()->Debug() << "Undo: " << pile.size() << " bodies back\n";
    return true;
}

bool CImpl::Hint() {
    if (!IsLevelRunning() || myPaused) return false;
    const std::vector<CChainFinder::Chain> chains =
        CChainFinder::FindAll(CChainFinder::FromRegistry(), CLevelRules::MIN_TYPE, CLevelRules::MAX_TYPE);
    if (chains.empty()) {
        myHud.ShowMessage("No chain to clear");
        Log()->Debug() << "No chain to clear\n";
        return false;
    }
    // The places come in registry order, so their indices are the registry's.
    const CMarbleRegistry& registry = *CMarbleRegistry::GetSingleton();
    for (unsigned index : chains.front()) registry.Get(index)->SetHighlight(true);
    myHud.ShowMessage("Hint: the glowing marbles");
    Log()->Debug() << "Hint shown\n";
    return true;
}

void CImpl::TogglePause() {
    if (!myPaused && !IsLevelRunning()) return;
    myPaused = !myPaused;
    CMarbleGfx::SetInputEnabled(!myPaused);
    myHud.SetPaused(myPaused);
    Log()->Debug() << (myPaused ? "Paused" : "Resumed") << "\n";
    if (!myPaused) myStepTimer.Reset();
}

void CImpl::ToggleMute() {
    myMuted = !myMuted;
    ApplyVolumes();
    myHud.ShowMessage(myMuted ? "Sound off" : "Sound on");
    Log()->Debug() << (myMuted ? "Sound off" : "Sound on") << "\n";
}

void CImpl::Back() {
    if (myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_TITLE) {
        tarn::CTaskManager::GetSingleton()->Quit();
        return;
    }
    RequestTitle();
}

void CImpl::ExecuteCommand(const std::string& line) {
    if (line == "Reset") {
        if (IsInLevel()) StartLevel();
        return;
    }
    if (line == "Undo") {
        Undo();
        return;
    }
    if (line == "Hint") {
        Hint();
        return;
    }
    if (line == "Pause") {
        TogglePause();
        return;
    }
    if (line == "Mute") {
        ToggleMute();
        return;
    }
    if (line == "Back") {
        Back();
        return;
    }
    if (line == "LevelSelect") {
        if (myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_TITLE) RequestLevelSelect();
        return;
    }
    if (line.compare(0, 6, "Replay") == 0) {
        // The file name between the quotes (or the parentheses) of "Replay( "FILE" )".
        const std::size_t open = line.find_first_of("\"(", 6);
        const std::size_t close = line.find_last_of("\")");
        if (open != std::string::npos && close != std::string::npos && close > open) {
            std::string name = line.substr(open + 1, close - open - 1);
            const std::size_t first = name.find_first_not_of(" \"");
            const std::size_t last = name.find_last_not_of(" \"");
            name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
            myReplay.Queue(name);
        }
        return;
    }
    DumpBodies();
}

}  // namespace marbles
