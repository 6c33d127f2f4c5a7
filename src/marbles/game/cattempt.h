// One attempt at a level, as the records count it: the removals the player clicked and the
// time of play, which runs only while the level runs unpaused.
#ifndef TARN_MARBLES_GAME_CATTEMPT_H
#define TARN_MARBLES_GAME_CATTEMPT_H

#include <cstdint>
#include <string>

#include "tarn/utils/timer/ctimer.h"

namespace marbles {

class CAttempt {
public:
    // A new attempt: no moves, no time, the clock stopped.
    CAttempt();

    // Starts over: a restart, a level started or tried again after a loss.
    void Start();
    // A removal clicked. An undo does not take it back: the records reward a clean run.
    void AddMove() { ++myMoves; }
    // The clock runs while the level runs unpaused and stops on pictures and pauses.
    void SetRunning(bool running);

    std::uint32_t GetMoves() const { return myMoves; }
    // Whole seconds of play, rounded up: a won attempt took at least one second.
    std::uint32_t GetSeconds() const;

    // "1:05" for 65 seconds (minutes grow past 59).
    static std::string TimeText(std::uint32_t seconds);

private:
    tarn::CTimer myClock;
    std::uint32_t myMoves = 0;
};

}  // namespace marbles

#endif
