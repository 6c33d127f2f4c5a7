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
    if (static_cast<double>(myStepTimer.GetTime()) > STEP_LENGTH / STEP_SPEEDUP) {
        myStepTimer.Reset();
        Step(STEP_LENGTH);
        myLevelStepped = true;
        return;
    }
    if (IsLevelRunning()) myRules.Update(IsAtRest());
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
    tarn::CLogger::GetSingleton()->Debug() << "Loading level: " << myLevelFile << "\n";
    if (!myLevelList.IsInside()) return;  // past the last level: nothing to load
    CLevelFile level(this);
    if (!level.Load(myLevelFile)) {
        myScreen->ShowLoadFailure(myLevelFile);
        return;
    }
    if (level.HasGraphics()) myScreen->SetGraphics(level.GetGraphics());
}

bool CImpl::IsLevelRunning() const {
    return myLevelStepped && myScreen && myScreen->GetState() == CMarblesInGameUi::STATE_NONE;
}

void CImpl::NextLevel() {
    myLevelFile = myLevelList.GetNextLevel();
    StartLevel();
}

void CImpl::SkipLevel() {
    myLevelFile = myLevelList.SkipLevel();
    StartLevel();
}

void CImpl::ExecuteCommand(const std::string& line) {
    if (line == "Reset") {
        StartLevel();
        return;
    }
    DumpBodies();
}

}  // namespace marbles
