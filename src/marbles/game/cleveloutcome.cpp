// Records a won level in the player's list and saves it, and counts the losses in a row of a
// level; names a level's solution file and the picture the replays see.
#include "marbles/game/cleveloutcome.h"

#include "marbles/game/cattempt.h"
#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cplayerlevellist.h"

namespace marbles {

void CLevelOutcome::Won(CPlayerLevelList& levels, const CAttempt& attempt, CMarblesInGameUi* screen) {
    CLevelList& list = levels.GetList();
    // The won level is marked and written at once: nothing won is lost to a crash.
    if (list.GetPosition() < 1) return;
    if (list.IsInside()) {
        const auto won = static_cast<unsigned>(list.GetPosition());
        const CRecordNews news = list.RecordWin(won, attempt.GetMoves(), attempt.GetSeconds());
        if (screen) screen->ShowResult(attempt, list.GetEntry(won), news);
    }
    list.GetNextLevel();
    if (levels.Save() || mySaveFailureTold) return;
    // Once a run: every later win goes unsaved the same way.
    mySaveFailureTold = true;
    if (screen)
        screen->ShowNotice("Your progress could not be saved.\nSee the log: " + CPlayerLevelList::LogLocation());
}

void CLevelOutcome::Lost(const std::string& levelFile) {
    if (myLossFile != levelFile) myLosses = 0;
    myLossFile = levelFile;
    ++myLosses;
}

std::string CLevelOutcome::SolutionFile(const std::string& levelFile) {
    const std::string suffix = ".xml";
    std::string solution = levelFile;
    if (solution.size() > suffix.size() &&
        solution.compare(solution.size() - suffix.size(), suffix.size(), suffix) == 0)
        solution.resize(solution.size() - suffix.size());
    return solution + ".solution";
}

CReplay::EPicture CLevelOutcome::PictureOf(const CMarblesInGameUi* screen, const std::string& levelFile) {
    if (!screen) return CReplay::PICTURE_NONE;
    switch (screen->GetState()) {
        case CMarblesInGameUi::STATE_TITLE:
            return CReplay::PICTURE_TITLE_OR_HELP;
        case CMarblesInGameUi::STATE_HELP_OR_COMPLETE:
            // The help picture comes before the first level.
            return levelFile.empty() ? CReplay::PICTURE_TITLE_OR_HELP : CReplay::PICTURE_COMPLETE;
        case CMarblesInGameUi::STATE_LOST:
            return CReplay::PICTURE_LOST;
        default:
            return CReplay::PICTURE_NONE;
    }
}

}  // namespace marbles
