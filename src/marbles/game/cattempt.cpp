// The moves and the play time of one attempt at a level.
#include "marbles/game/cattempt.h"

namespace marbles {

CAttempt::CAttempt() { Start(); }

void CAttempt::Start() {
    myMoves = 0;
    myClock.Reset();
    myClock.Pause();
}

void CAttempt::SetRunning(bool running) {
    if (running == !myClock.IsPaused()) return;
    if (running) {
        myClock.Resume();
    } else {
        myClock.Pause();
    }
}

std::uint32_t CAttempt::GetSeconds() const {
    const std::uint32_t ms = myClock.GetTime();
    return ms / 1000 + (ms % 1000 != 0 ? 1 : 0);
}

std::string CAttempt::TimeText(std::uint32_t seconds) {
    const std::uint32_t rest = seconds % 60;
    return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

}  // namespace marbles
