// The running game: fixed-step physics, end-of-level checks, level starts and the level list.
#include "marbles/game/cmarblestaskimpl.h"

#include "marbles/game/cmarblesingameui.h"
#include "marbles/level/clevelfile.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/signalslot/cgenericevent.h"
#include "tarn/utils/signalslot/cslot.h"

namespace marbles {

using CImpl = CMarblesTask::CMarblesTaskImpl;

CImpl::CMarblesTaskImpl(const std::string& levelListFile) : myLevelListFile(levelListFile) {
    myRules.Reset();
    SetListenerFactory(&myMarbleFactory);
    myMarbleFactory.SetGameLogic(&myLogic);
    myLogic.SetPhysics(this);
    myLevelList.Load(myLevelListFile);
    myScreen = std::make_unique<CMarblesInGameUi>(this);
    myScreen->ShowTitle();
}

CImpl::~CMarblesTaskImpl() {
    myLevelList.Save(myLevelListFile);
    myScreen.reset();
}

void CImpl::Update() {
    // Chains completed by clicks since the last update leave now, outside the mouse dispatch.
    myLogic.ApplyPendingRemovals();
    if (static_cast<double>(myStepTimer.GetTime()) > STEP_LENGTH / STEP_SPEEDUP) {
        myStepTimer.Reset();
        Step(STEP_LENGTH);
        myRules.ObservePile();
        myLevelStepped = true;
        myReplay.AfterStep(++myLevelSteps, *GetWorld());
        return;
    }
    if (!myReplay.IsIdle()) myReplay.OnPicture(GetPicture());
    // The marbles never lie quite still, so the checks wait for a pile the player sees at rest.
    if (IsLevelRunning()) myRules.Update(myRules.IsPileSettled());
}

void CImpl::StartLevel() {
    myScreen.reset();
    myScreen = std::make_unique<CMarblesInGameUi>(this);
    myRules.Reset();
    myRules.GetLevelCompleteSignal().Connect(
        new tarn::CSlot(new tarn::CGenericEvent0<CMarblesInGameUi, void>(myScreen.get(), &CMarblesInGameUi::LevelComplete)));
    myRules.GetLevelLostSignal().Connect(
        new tarn::CSlot(new tarn::CGenericEvent0<CMarblesInGameUi, void>(myScreen.get(), &CMarblesInGameUi::LevelLost)));
    myLogic.ClearSelection();
    myLevelStepped = false;
    myLevelSteps = 0;
    tarn::CLogger::GetSingleton()->Debug() << "Loading level: " << myLevelFile << "\n";
    CLevelFile level(this);
    if (level.Load(myLevelFile) && level.HasGraphics()) myScreen->SetGraphics(level.GetGraphics());
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

void CImpl::ExecuteCommand(const std::string& line) {
    if (line == "Reset") {
        StartLevel();
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
