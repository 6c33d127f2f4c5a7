// Carries out the player's commands on the level in play and keeps the HUD's status line and
// messages up to date.
#include "marbles/game/clevelplay.h"

#include "marbles/game/levelprogress.h"
#include "marbles/rules/cmarbleregistry.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

tarn::CLogger* Log() { return tarn::CLogger::GetSingleton(); }

}  // namespace

void CLevelPlay::TogglePause(bool running) {
    if (!myPaused && !running) return;
    myPaused = !myPaused;
    mySession.GetMarbleFactory().SetInputEnabled(!myPaused);
    myHud.SetPaused(myPaused);
    Log()->Debug() << (myPaused ? "Paused" : "Resumed") << "\n";
    if (!myPaused) mySession.RestartStepClock();
}

bool CLevelPlay::Hint(bool running) {
    if (!running || myPaused) return false;
    const bool found = mySession.Hint();
    myHud.ShowMessage(found ? "Hint: the marbles with a dashed rim" : "No chain to clear");
    return found;
}

bool CLevelPlay::Undo(bool running, bool lost, bool inLevel) {
    const bool refused = (!running && !lost) || myPaused;
    if (refused) Log()->Debug() << "Nothing to undo\n";
    if (!refused && mySession.Undo()) return true;
    if (inLevel) myHud.ShowMessage(myPaused ? "Paused: P to go on" : "Nothing to undo");
    return false;
}

void CLevelPlay::ToggleMute() {
    mySound.ToggleMute();
    const char* said = mySound.IsMuted() ? "Sound off" : "Sound on";
    myHud.ShowMessage(said);
    Log()->Debug() << said << "\n";
}

void CLevelPlay::NoticeClicks() {
    const CLevelSession::EClick click = mySession.NoticeClicks();
    if (click == CLevelSession::EClick::REMOVED) {
        myAttempt.AddMove();
        mySound.PlayEffect(CGameSound::POP_SOUND);
    }
    if (click == CLevelSession::EClick::SELECTED) mySound.PlayEffect(CGameSound::CLICK_SOUND);
}

void CLevelPlay::UpdateStatus(const CLevelList* list) {
    if (!list) return myHud.HideStatus();
    myHud.ShowStatus(CGameHud::StatusText(list->GetPosition(), LevelCount(*list),
                                          CMarbleRegistry::GetSingleton()->GetCount(), mySession.GetUndoCount(),
                                          myAttempt.GetMoves(), myAttempt.GetSeconds()));
}

void CLevelPlay::Leave() {
    myPaused = false;
    mySession.GetMarbleFactory().SetInputEnabled(true);
    myHud.HideAll();
    mySession.Clear();
}

}  // namespace marbles
