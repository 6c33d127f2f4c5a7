// The end of a level: complete when no marble is left, lost when five checks in a row of the
// settled pile find no chain of three same-type marbles the player can select. Each signal
// fires once per level.
#ifndef TARN_MARBLES_RULES_CLEVELRULES_H
#define TARN_MARBLES_RULES_CLEVELRULES_H

#include <cstdint>

#include "marbles/rules/csettlewatch.h"
#include "tarn/utils/signalslot/csignal.h"
#include "tarn/utils/timer/ctimer.h"

namespace marbles {

class CPhysicsWorld;

class CLevelRules {
public:
    // Milliseconds that must pass between two checks.
    static constexpr tarn::types::ticks CHECK_INTERVAL = 1000;
    // Consecutive failed checks after which the level is lost.
    static constexpr std::int32_t LOST_AFTER_CHECKS = 5;
    // Marbles of types outside MIN_TYPE..MAX_TYPE never form a group.
    static constexpr std::int32_t MIN_TYPE = 0;
    static constexpr std::int32_t MAX_TYPE = 10;

    // The check timer starts now, on the global clock.
    CLevelRules() = default;
    CLevelRules(const CLevelRules&) = delete;
    CLevelRules& operator=(const CLevelRules&) = delete;

    // Emitted (once per level) when the registry holds no marble at a check; logs "Level complite".
    tarn::CSignal0& GetLevelCompleteSignal() { return myLevelComplete; }
    // Emitted (once per level) at the fifth consecutive check without a group; logs "Level lost".
    tarn::CSignal0& GetLevelLostSignal() { return myLevelLost; }

    // A level starts: the counters, the fired flags and the settle watch are cleared (the
    // check timer runs on).
    void Reset();
    // Called after every physics step: the settle watch takes the registered marbles' places.
    // Given the level's world, puts it to sleep once the pile has settled, so the pile stays
    // where the player sees it (and the verdict of the checks stays true) until a removal, a
    // restart or an undo wakes it. Without a world the pile is only watched.
    void ObservePile(CPhysicsWorld* world = nullptr);
    // Whether the registered marbles have settled as the player sees it (see CSettleWatch).
    bool IsPileSettled() const { return mySettleWatch.IsSettled(); }
    // Called once per game update: when more than CHECK_INTERVAL ms have passed since the last
    // check and the pile has settled, restarts the check timer and runs CheckLevelState. While
    // the pile moves the timer is not restarted, so the check follows as soon as it settles.
    // Returns true when a check ran.
    bool Update(bool pileSettled);
    // One check of the level's state against the marble registry.
    void CheckLevelState();

    // True when the player can select three registered marbles of one type from lowType to
    // highType in a chain (the player's reach, every order of clicks; see CChainFinder).
    static bool HasRemovableGroup(std::int32_t lowType, std::int32_t highType);

    std::int32_t GetFailedChecks() const { return myFailedChecks; }
    bool IsCompleteFired() const { return myCompleteFired; }
    bool IsLostFired() const { return myLostFired; }

private:
    tarn::CSignal0 myLevelComplete;
    tarn::CSignal0 myLevelLost;
    bool myCompleteFired = false;
    std::int32_t myFailedChecks = 0;
    bool myLostFired = false;
    tarn::CTimer myCheckTimer;
    CSettleWatch mySettleWatch;
};

}  // namespace marbles

#endif
