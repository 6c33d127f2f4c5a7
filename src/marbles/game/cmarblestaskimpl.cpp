// The running game: fixed-step physics, end-of-level checks, level starts and the level list.
#include "marbles/game/cmarblestaskimpl.h"

#include "marbles/game/cmarblesingameui.h"
#include "marbles/level/clevelfile.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/tasks/ctaskmanager.h"
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

namespace {

// Whole milliseconds on the step timer after which the next step runs.
constexpr tarn::types::ticks STEP_DUE = static_cast<tarn::types::ticks>(CImpl::STEP_LENGTH / CImpl::STEP_SPEEDUP) + 1;

// Lets the main loop sleep until the next step is due.
void WakeForStep(tarn::types::ticks elapsed) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetExisting();
    if (manager) manager->WakeAt(tarn::GetGlobalTime() + (elapsed < STEP_DUE ? STEP_DUE - elapsed : 0));
}

}  // namespace

void CImpl::Update() {
    const tarn::types::ticks elapsed = myStepTimer.GetTime();
    if (static_cast<double>(elapsed) > STEP_LENGTH / STEP_SPEEDUP) {
        myStepTimer.Reset();
        Step(STEP_LENGTH);
        tarn::GetLoopStats().Add(tarn::CLoopStats::STEPS);
        myLevelStepped = true;
        WakeForStep(0);
        return;
    }
    WakeForStep(elapsed);
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
    CLevelFile level(this);
    if (level.Load(myLevelFile) && level.HasGraphics()) myScreen->SetGraphics(level.GetGraphics());
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
    DumpBodies();
}

}  // namespace marbles
