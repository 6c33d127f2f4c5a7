// The proof of a level, a slice at a time: the pile solver's search resumed with a small
// budget each time, its settled piles kept so the work of one slice is not done again.
#include "marbles/editor/clevelprover.h"

#include <chrono>
#include <cstdio>

#include "marbles/rules/cpilesolver.h"

namespace marbles {

namespace {

using Clock = std::chrono::steady_clock;

// Piles and physics steps one resumed search may run: small, so that a slice ends close to its
// time (a pile of a large level takes hundreds of steps).
const std::size_t PILES_PER_SEARCH = 1;
const std::size_t STEPS_PER_SEARCH = 8;

CPileSolver::Options ProofOptions(std::size_t pileLimit) {
    CPileSolver::Options options;
    options.searchBudget = PILES_PER_SEARCH;
    options.stepBudget = STEPS_PER_SEARCH;
    // Every pile settled stays cached: a resumed search walks the known piles for free.
    options.cacheLimit = pileLimit + 1;
    return options;
}

std::string Piles(std::size_t count) { return std::to_string(count) + (count == 1 ? " pile" : " piles"); }

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

}  // namespace

CLevelProver::CLevelProver(const std::vector<RigidBody>& bodies, std::size_t pileLimit)
    : mySolver(new CPileSolver(bodies, ProofOptions(pileLimit))), myPileLimit(pileLimit) {
    if (!mySolver->IsUsable()) myState = STATE_UNWINNABLE;
}

CLevelProver::~CLevelProver() = default;

std::size_t CLevelProver::GetPiles() const { return mySolver->GetSettleCount(); }

CLevelProver::EState CLevelProver::Advance(std::size_t maxPiles, double maxMilliseconds) {
    const Clock::time_point start = Clock::now();
    const std::size_t before = GetPiles();
    double elapsed = 0.0;
    while (myState == STATE_PROVING) {
        std::vector<CPileSolver::Click> clicks;
        const CPileSolver::EOutcome outcome = mySolver->Solve(clicks, -1, PILES_PER_SEARCH);
        if (outcome == CPileSolver::OUTCOME_WIN) {
            for (const CPileSolver::Click& click : clicks) mySolution.push_back({click.step, click.initId});
            myState = STATE_WINNABLE;
        } else if (outcome == CPileSolver::OUTCOME_LOSS) {
            myState = STATE_UNWINNABLE;
        } else if (GetPiles() >= myPileLimit) {
            myState = STATE_NO_WIN_FOUND;
        }
        elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (GetPiles() - before >= maxPiles || elapsed >= maxMilliseconds) break;
    }
    mySeconds += elapsed / 1000.0;
    return myState;
}

void CLevelProver::Stop() {
    if (myState == STATE_PROVING) myState = STATE_STOPPED;
}

float CLevelProver::GetProgress() const {
    if (IsDone()) return 1.0f;
    return static_cast<float>(GetPiles()) / static_cast<float>(myPileLimit);
}

std::string CLevelProver::Describe() const {
    const std::string piles = Piles(GetPiles());
    switch (myState) {
    case STATE_WINNABLE:
        return "winnable: " + std::to_string(mySolution.size() / 3) + " moves, found in " + piles;
    case STATE_UNWINNABLE:
        return "not winnable: every click order tried (" + piles + ")";
    case STATE_NO_WIN_FOUND:
        return "no win found in " + piles;
    case STATE_STOPPED:
        return "stopped after " + piles;
    default:
        return "proving: " + piles + ", " + Seconds(mySeconds);
    }
}

}  // namespace marbles
