// Proves a level winnable a slice at a time, so the editor stays responsive while it works:
// each Advance runs the search for a winning click sequence (eight physics steps at a time)
// until its time or pile budget for the frame is spent, and the search takes up where it left
// off at the next, in the middle of a pile's settle if need be.
// Plain logic on a world of its own; it touches no engine state.
#ifndef TARN_MARBLES_EDITOR_CLEVELPROVER_H
#define TARN_MARBLES_EDITOR_CLEVELPROVER_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "marbles/level/csolutionfile.h"
#include "marbles/physics/rigidbody.h"

namespace marbles {

class CPileSolver;

class CLevelProver {
public:
    enum EState {
        // Still searching.
        STATE_PROVING,
        // A winning click sequence was found (GetSolution).
        STATE_WINNABLE,
        // Every click order was tried and none wins.
        STATE_UNWINNABLE,
        // The pile limit was reached without a win.
        STATE_NO_WIN_FOUND,
        // Stopped by the player.
        STATE_STOPPED
    };

    // The piles a proof may settle before it gives up, unless told otherwise.
    static constexpr std::size_t DEFAULT_PILE_LIMIT = 8000;

    // bodies: the level's bodies as the editor makes them (marble initIds unique).
    explicit CLevelProver(const std::vector<RigidBody>& bodies, std::size_t pileLimit = DEFAULT_PILE_LIMIT);
    ~CLevelProver();
    CLevelProver(const CLevelProver&) = delete;
    CLevelProver& operator=(const CLevelProver&) = delete;

    // Searches on while proving: runs at least eight physics steps, then stops as soon as
    // maxPiles piles were begun in this call or maxMilliseconds have passed. Returns the state
    // after.
    EState Advance(std::size_t maxPiles, double maxMilliseconds);
    // Ends a proof still running (STATE_STOPPED); an answer already found stays.
    void Stop();

    EState GetState() const { return myState; }
    bool IsDone() const { return myState != STATE_PROVING; }
    // Piles begun so far (the last may be settling still), and the time spent in Advance, in
    // seconds.
    std::size_t GetPiles() const;
    double GetSeconds() const { return mySeconds; }
    std::size_t GetPileLimit() const { return myPileLimit; }
    // The share of the pile limit used, 0 to 1 (1 once done).
    float GetProgress() const;
    // The winning clicks once STATE_WINNABLE; empty otherwise.
    const std::vector<CSolutionFile::Click>& GetSolution() const { return mySolution; }
    // For the player: "proving: 120 piles, 0.8 s", "winnable: 4 moves, found in 35 piles",
    // "not winnable: every click order tried (80 piles)", "no win found in 8000 piles",
    // "stopped after 120 piles".
    std::string Describe() const;

private:
    std::unique_ptr<CPileSolver> mySolver;
    std::size_t myPileLimit;
    EState myState = STATE_PROVING;
    double mySeconds = 0.0;
    std::vector<CSolutionFile::Click> mySolution;
};

}  // namespace marbles

#endif
