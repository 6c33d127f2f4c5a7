// Plays a level headless as a player can: waits for the pile to settle, clicks one of the
// chains the player can select, and so on. Searches those click sequences for a win, counts
// the first moves that still win, and lets random players try their luck.
#ifndef TARN_MARBLES_RULES_CPILESOLVER_H
#define TARN_MARBLES_RULES_CPILESOLVER_H

#include <array>
#include <cstdint>
#include <cstddef>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/rigidbody.h"
#include "marbles/rules/cchainfinder.h"
#include "marbles/rules/csettlewatch.h"

namespace marbles {

class CPileSolver {
public:
    struct Options {
        // Steps a pile may take to settle after a removal before the player clicks anyway.
        unsigned settleLimit = 600;
        // Piles one search may settle before it gives up (the answer is then bounded).
        std::size_t searchBudget = 4000;
        // Piles kept for reuse by later searches and players.
        std::size_t cacheLimit = 6000;
        // Physics steps one call of Solve may run; 0 for no limit. A settle the limit cuts
        // short stays pending in the solver's world and the next call resumes it where it
        // stopped (the call before returns OUTCOME_UNKNOWN), so the piles are the same as
        // without a limit. Other calls run their settles whole.
        std::size_t stepBudget = 0;
    };

    // One click: after physics step `step` (counted from the load) on the marble whose body
    // has initId `initId`.
    struct Click {
        unsigned step = 0;
        std::int32_t initId = 0;
    };

    enum EOutcome { OUTCOME_WIN, OUTCOME_LOSS, OUTCOME_UNKNOWN };

    // bodies: a level's bodies as loaded (listeners are ignored). initIds of marbles must be
    // unique (see IsUsable).
    CPileSolver(const std::vector<RigidBody>& bodies, const Options& options);
    CPileSolver(const CPileSolver&) = delete;
    CPileSolver& operator=(const CPileSolver&) = delete;

    // False when two marbles share an initId (the clicks could not name them).
    bool IsUsable() const { return myUsable; }

    // The chains the player can select in the first settled pile, in click order by initId.
    std::vector<std::array<std::int32_t, 3>> GetFirstMoves();
    // Searches depth-first for a winning click sequence from the first settled pile, or from
    // the pile after first move `firstMove` when given. Piles with the same marbles left are
    // explored once. OUTCOME_UNKNOWN when the budget (piles to settle; 0 takes the options')
    // ran out first. A win fills clicks.
    EOutcome Solve(std::vector<Click>& clicks, int firstMove = -1, std::size_t budget = 0);
    // Plays `games` games choosing uniformly among the selectable chains; the number won.
    unsigned PlayRandom(unsigned games, std::uint32_t seed);
    // Plays `games` games as a player who foresees each chain's fall: every selectable chain's
    // pile is settled ahead; a chain that empties the level is taken at once, one that leaves
    // marbles without a chain only when nothing else is left, and otherwise a chain is drawn
    // with a weight of one plus the number of chains its pile leaves. The number won.
    unsigned PlayLookAhead(unsigned games, std::uint32_t seed);

    // Colours a level by playing it: in the settled pile, three touching marbles (chosen at
    // random among all connected threes, whatever their types) take the next type of typesByThree
    // and leave, the pile settles, and so on until none is left. As types never change the
    // physics, the level then has a winning click sequence by construction: that play, returned
    // in clicks. Returns the type of each marble by initId; empty (and no clicks) when the pile
    // jams with marbles left that hold no three touching ones.
    std::map<std::int32_t, std::int32_t> Paint(const std::vector<std::int32_t>& typesByThree, std::uint32_t seed,
                                               std::vector<Click>& clicks);

    // Piles settled so far (the work done).
    std::size_t GetSettleCount() const { return mySettles; }

private:
    struct Node {
        std::vector<RigidBody> bodies;
        unsigned step = 0;
        unsigned marbles = 0;
        // Selectable chains, by initId in click order.
        std::vector<std::array<std::int32_t, 3>> chains;
        std::vector<std::unique_ptr<Node>> children;
    };

    // A settle the step budget cut short: the pile it makes, which pile it starts from (the
    // marbles left there, its step and the chain clicked; none for the level's start), and
    // how far it got.
    struct Pending {
        bool active = false;
        std::vector<std::int32_t> from;
        unsigned fromStep = 0;
        std::array<std::int32_t, 3> chain{};
        std::unique_ptr<Node> node;
        CSettleWatch watch;
        unsigned steps = 0;
    };

    // The first settled pile; null while its settle waits for the next call.
    Node* Root();
    // The pile after clicking chain k of node and letting it settle; cached while room lasts,
    // otherwise held in scratch. Null while its settle waits for the next call.
    Node* Child(Node& node, std::size_t k, std::unique_ptr<Node>& scratch);
    // Whether the pending settle is the one from node (null: the level's start) by chain k.
    bool IsPending(const Node* node, std::size_t k) const;
    // Starts a settle of the world as it now stands into a new pending node.
    void BeginSettle(const Node* node, std::size_t k, unsigned step);
    // Runs the pending settle on; true when it is done (the pile is then taken).
    bool ContinueSettle();
    // Steps the world until its marbles settle (or the limit passes), counting in watch and
    // steps, then takes the pile into node; false when the step budget ran out first.
    bool SettleInto(Node& node, CSettleWatch& watch, unsigned& steps);
    void SettleWhole(Node& node);
    void TakePile(Node& node);
    void LoadWorld(const std::vector<RigidBody>& bodies);
    void RemoveByInitId(std::int32_t initId);
    std::vector<std::int32_t> Remaining(const Node& node) const;
    EOutcome Search(Node& node, std::vector<Click>& clicks, std::size_t& budget);
    // The look-ahead player's chain at node, from the piles each chain leaves.
    std::size_t ForeseenChoice(Node& node, std::mt19937& random);

    Options myOptions;
    std::vector<RigidBody> myStart;
    std::unique_ptr<CPhysicsWorld> myWorld;
    std::unique_ptr<Node> myRoot;
    std::set<std::vector<std::int32_t>> myLost;
    std::size_t myCached = 0;
    std::size_t mySettles = 0;
    bool myUsable = true;
    Pending myPending;
    // Steps the current call may still run.
    std::size_t myStepsLeft = SIZE_MAX;
};

}  // namespace marbles

#endif
