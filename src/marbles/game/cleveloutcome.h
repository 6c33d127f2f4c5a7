// How levels end: a win marked in the player's list with its records and saved at once, and
// the losses in a row that let the player watch the level's solution.
#ifndef TARN_MARBLES_GAME_CLEVELOUTCOME_H
#define TARN_MARBLES_GAME_CLEVELOUTCOME_H

#include <string>

#include "marbles/game/creplay.h"

namespace marbles {

class CAttempt;
class CMarblesInGameUi;
class CPlayerLevelList;

class CLevelOutcome {
public:
    // The list's current level (from 1) was won: it is marked with attempt's moves and time,
    // which screen (may be null) shows with the records, the list moves on and is written.
    // The first failing write of a run is said on screen.
    void Won(CPlayerLevelList& levels, const CAttempt& attempt, CMarblesInGameUi* screen);
    // levelFile was lost: one more loss in a row when it was the last one lost too.
    void Lost(const std::string& levelFile);
    // levelFile was lost twice or more in a row.
    bool LostTwice(const std::string& levelFile) const { return myLossFile == levelFile && myLosses >= 2; }
    // The solution file beside levelFile: its ".xml" replaced by ".solution".
    static std::string SolutionFile(const std::string& levelFile);
    // The picture screen (may be null) shows as the replays know it; levelFile is "" before
    // the first level.
    static CReplay::EPicture PictureOf(const CMarblesInGameUi* screen, const std::string& levelFile);

private:
    bool mySaveFailureTold = false;
    // Losses in a row of the level file myLossFile.
    std::string myLossFile;
    unsigned myLosses = 0;
};

}  // namespace marbles

#endif
