// The level being played: loading, fixed steps, the clicks between updates, undo and hints.
#include "marbles/game/clevelsession.h"

#include "marbles/game/cmarblegfx.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cchainfinder.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

const std::size_t CHAIN = 3;

// Whole milliseconds on the step timer after which the next step runs.
constexpr tarn::types::ticks STEP_DUE =
    static_cast<tarn::types::ticks>(CLevelSession::STEP_LENGTH / CLevelSession::STEP_SPEEDUP) + 1;

// Lets the main loop sleep until the next step is due.
void WakeForStep(tarn::types::ticks elapsed) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetExisting();
    if (manager) manager->WakeAt(tarn::GetGlobalTime() + (elapsed < STEP_DUE ? STEP_DUE - elapsed : 0));
}

tarn::CLogger* Log() { return tarn::CLogger::GetSingleton(); }

}  // namespace

CLevelSession::CLevelSession() {
    myRules.Reset();
    myPhysics.SetListenerFactory(&myMarbleFactory);
    myMarbleFactory.SetGameLogic(&myLogic);
    myLogic.SetPhysics(&myPhysics);
}

void CLevelSession::ForgetClicks() {
    myPileKept = false;
    myLastBodyCount = GetWorld().GetBodyCount();
    myLastSelectionSize = 0;
    myLastSelection.clear();
}

void CLevelSession::Clear() {
    myLogic.ClearSelection();
    myUndoSteps.clear();
    myStepCount = 0;
    GetWorld().RemoveAllBodies();
    ForgetClicks();
}

std::string CLevelSession::Load(const std::string& fileName, CLevelFile::CGraphics& graphics, bool& hasGraphics) {
    CLevelFile level(&myPhysics);
    hasGraphics = false;
    if (!level.Load(fileName)) return level.GetProblem();
    // A marble nobody could see would keep the level from ever being won.
    const std::string invisible = CMarbleSpriteTable::GetSingleton()->FindMarbleWithoutSprite(GetWorld());
    if (!invisible.empty()) {
        Log()->Warning() << "Could not read the level: " << fileName << ", " << invisible << "\n";
        GetWorld().RemoveAllBodies();
        return invisible;
    }
    hasGraphics = level.HasGraphics();
    if (hasGraphics) graphics = level.GetGraphics();
    ForgetClicks();
    return std::string();
}

bool CLevelSession::StepIfDue() {
    const tarn::types::ticks elapsed = myStepTimer.GetTime();
    if (static_cast<double>(elapsed) <= STEP_LENGTH / STEP_SPEEDUP) {
        WakeForStep(elapsed);
        return false;
    }
    myStepTimer.Reset();
    myPhysics.Step(STEP_LENGTH);
    tarn::GetLoopStats().Add(tarn::CLoopStats::STEPS);
    // A settled pile sleeps until the next removal, restart or undo.
    myRules.ObservePile(&GetWorld());
    ++myStepCount;
    WakeForStep(0);
    return true;
}

CLevelSession::EClick CLevelSession::NoticeClicks() {
    const unsigned bodies = GetWorld().GetBodyCount();
    const std::vector<CMarble*>& selection = myLogic.GetSelection();
    EClick click = EClick::NONE;
    if (bodies < myLastBodyCount) {
        // Three clicks within one update leave no pile kept to go back to, but still remove.
        if (myPileKept) myUndoSteps.push_back(myPileBeforeClick);
        click = EClick::REMOVED;
    } else if (selection.size() > myLastSelectionSize) {
        click = EClick::SELECTED;
    }
    if (selection != myLastSelection) RefreshMarbles();
    myLastSelection = selection;
    myLastSelectionSize = selection.size();
    return click;
}

void CLevelSession::KeepPile() {
    // Nothing changes the bodies between the end of one update and the next but a click: the
    // pile kept here is the pile just before a click that removes a chain.
    const CPhysicsWorld& world = GetWorld();
    myLastBodyCount = world.GetBodyCount();
    myPileKept = myLogic.GetSelection().size() + 1 >= CHAIN;
    if (!myPileKept) return;
    myPileBeforeClick.clear();
    for (unsigned i = 0; i < myLastBodyCount; ++i) myPileBeforeClick.push_back(world.GetBody(i));
}

void CLevelSession::RefreshMarbles() {
    for (CMarble* marble : *CMarbleRegistry::GetSingleton()) {
        auto* drawn = dynamic_cast<CMarbleGfx*>(marble);
        if (!drawn) continue;
        // A hint's rim goes with the next click; the pointer's own stays.
        if (!drawn->IsSelected() && !drawn->IsPointerOver()) drawn->SetHighlight(false);
        drawn->RefreshLook();
    }
}

bool CLevelSession::Undo() {
    if (myUndoSteps.empty()) {
        Log()->Debug() << "Nothing to undo\n";
        return false;
    }
    const CPile pile = std::move(myUndoSteps.back());
    myUndoSteps.pop_back();
    myLogic.ClearSelection();
    GetWorld().RemoveAllBodies();
    for (const RigidBody& body : pile) GetWorld().AddBody(body);
    myRules.Reset();
    myLastBodyCount = GetWorld().GetBodyCount();
    myLastSelectionSize = 0;
    myPileKept = false;
    Log()->Debug() << "Undo: " << pile.size() << " bodies back\n";
    return true;
}

bool CLevelSession::Hint() {
    const std::vector<CChainFinder::Chain> chains =
        CChainFinder::FindAll(CChainFinder::FromRegistry(), CLevelRules::MIN_TYPE, CLevelRules::MAX_TYPE);
    if (chains.empty()) {
        Log()->Debug() << "No chain to clear\n";
        return false;
    }
    // The places come in registry order, so their indices are the registry's.
    const CMarbleRegistry& registry = *CMarbleRegistry::GetSingleton();
    for (unsigned index : chains.front()) registry.Get(index)->SetHighlight(true);
    Log()->Debug() << "Hint shown\n";
    return true;
}

}  // namespace marbles
