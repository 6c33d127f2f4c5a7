// The headless player: settles piles, clicks selectable chains, searches for a win.
#include "marbles/rules/cpilesolver.h"

#include <algorithm>

#include "marbles/rules/clevelrules.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/csettlewatch.h"

namespace marbles {

namespace {

// The game's step: 50 milliseconds, converted as the game converts it.
const float STEP_SECONDS = static_cast<float>(50u) / 1000.0f;


}  // namespace

CPileSolver::CPileSolver(const std::vector<RigidBody>& bodies, const Options& options)
    : myOptions(options), myStart(bodies), myWorld(new CPhysicsWorld()) {
    std::set<std::int32_t> ids;
    for (RigidBody& body : myStart) {
        body.listener = nullptr;
        if (IsMarbleBody(body) && !ids.insert(body.initId).second) myUsable = false;
    }
}

void CPileSolver::LoadWorld(const std::vector<RigidBody>& bodies) {
    myWorld->RemoveAllBodies();
    for (const RigidBody& body : bodies) myWorld->AddBody(body);
}

void CPileSolver::RemoveByInitId(std::int32_t initId) {
    for (unsigned i = 0; i < myWorld->GetBodyCount(); ++i) {
        const RigidBody& body = myWorld->GetBody(i);
        if (IsMarbleBody(body) && body.initId == initId) {
            myWorld->RemoveBody(i);
            return;
        }
    }
}

// Steps the world as it stands until its marbles settle (or the limit passes), then takes the
// pile into node. The game's world sleeps from that step until the next removal, so this pile
// is the one every later click meets, whenever it comes. A settle cut short by the step
// budget leaves the world as it is, to be stepped on by the next call.
bool CPileSolver::SettleInto(Node& node, CSettleWatch& watch, unsigned& steps) {
    std::vector<Vector2> positions;
    for (; steps < myOptions.settleLimit; ++steps) {
        if (myStepsLeft == 0) return false;
        --myStepsLeft;
        myWorld->Step(STEP_SECONDS);
        ++node.step;
        positions.clear();
        for (unsigned i = 0; i < myWorld->GetBodyCount(); ++i) {
            const RigidBody& body = myWorld->GetBody(i);
            if (IsMarbleBody(body)) positions.push_back(body.position);
        }
        watch.Observe(positions);
        if (watch.IsSettled()) break;
    }
    TakePile(node);
    return true;
}

void CPileSolver::SettleWhole(Node& node) {
    ++mySettles;
    CSettleWatch watch;
    unsigned steps = 0;
    const std::size_t left = myStepsLeft;
    myStepsLeft = SIZE_MAX;
    SettleInto(node, watch, steps);
    myStepsLeft = left;
}

void CPileSolver::TakePile(Node& node) {
    std::vector<MarblePlace> places;
    std::vector<std::int32_t> ids;
    node.bodies.clear();
    for (unsigned i = 0; i < myWorld->GetBodyCount(); ++i) {
        const RigidBody& body = myWorld->GetBody(i);
        node.bodies.push_back(body);
        if (!IsMarbleBody(body)) continue;
        places.push_back(MarblePlace{body.color, body.position, body.extent.x});
        ids.push_back(body.initId);
    }
    node.marbles = static_cast<unsigned>(places.size());
    for (const CChainFinder::Chain& chain : CChainFinder::FindAll(places, CLevelRules::MIN_TYPE, CLevelRules::MAX_TYPE))
        node.chains.push_back({ids[chain[0]], ids[chain[1]], ids[chain[2]]});
    node.children.resize(node.chains.size());
}

bool CPileSolver::IsPending(const Node* node, std::size_t k) const {
    if (!myPending.active) return false;
    if (!node) return myPending.from.empty();
    return myPending.fromStep == node->step && myPending.chain == node->chains[k] && myPending.from == Remaining(*node);
}

void CPileSolver::BeginSettle(const Node* node, std::size_t k, unsigned step) {
    ++mySettles;
    myPending = Pending();
    myPending.active = true;
    myPending.node = std::make_unique<Node>();
    myPending.node->step = step;
    if (!node) return;
    myPending.from = Remaining(*node);
    myPending.fromStep = node->step;
    myPending.chain = node->chains[k];
}

bool CPileSolver::ContinueSettle() {
    if (!SettleInto(*myPending.node, myPending.watch, myPending.steps)) return false;
    myPending.active = false;
    return true;
}

CPileSolver::Node* CPileSolver::Root() {
    if (myRoot) return myRoot.get();
    if (!IsPending(nullptr, 0)) {
        LoadWorld(myStart);
        BeginSettle(nullptr, 0, 0);
    }
    if (!ContinueSettle()) return nullptr;
    myRoot = std::move(myPending.node);
    return myRoot.get();
}

CPileSolver::Node* CPileSolver::Child(Node& node, std::size_t k, std::unique_ptr<Node>& scratch) {
    if (node.children[k]) return node.children[k].get();
    if (!IsPending(&node, k)) {
        LoadWorld(node.bodies);
        for (std::int32_t initId : node.chains[k]) RemoveByInitId(initId);
        BeginSettle(&node, k, node.step);
    }
    if (!ContinueSettle()) return nullptr;
    if (myCached < myOptions.cacheLimit) {
        ++myCached;
        node.children[k] = std::move(myPending.node);
        return node.children[k].get();
    }
    scratch = std::move(myPending.node);
    return scratch.get();
}

std::vector<std::int32_t> CPileSolver::Remaining(const Node& node) const {
    std::vector<std::int32_t> ids;
    for (const RigidBody& body : node.bodies)
        if (IsMarbleBody(body)) ids.push_back(body.initId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<std::array<std::int32_t, 3>> CPileSolver::GetFirstMoves() {
    myStepsLeft = SIZE_MAX;
    return Root()->chains;
}

CPileSolver::EOutcome CPileSolver::Search(Node& node, std::vector<Click>& clicks, std::size_t& budget) {
    if (node.marbles == 0) return OUTCOME_WIN;
    if (node.chains.empty()) return OUTCOME_LOSS;
    const std::vector<std::int32_t> remaining = Remaining(node);
    if (myLost.count(remaining)) return OUTCOME_LOSS;
    bool unknown = false;
    for (std::size_t k = 0; k < node.chains.size(); ++k) {
        // Out of piles, or out of steps (a settle may be pending: nothing else may step).
        if (budget == 0 || myStepsLeft == 0) return OUTCOME_UNKNOWN;
        const std::size_t before = mySettles;
        std::unique_ptr<Node> scratch;
        Node* child = Child(node, k, scratch);
        budget -= std::min(budget, mySettles - before);
        if (!child) return OUTCOME_UNKNOWN;
        for (std::int32_t initId : node.chains[k]) clicks.push_back(Click{node.step, initId});
        const EOutcome outcome = Search(*child, clicks, budget);
        if (outcome == OUTCOME_WIN) return OUTCOME_WIN;
        clicks.resize(clicks.size() - 3);
        if (outcome == OUTCOME_UNKNOWN) unknown = true;
    }
    if (unknown) return OUTCOME_UNKNOWN;
    myLost.insert(remaining);
    return OUTCOME_LOSS;
}

CPileSolver::EOutcome CPileSolver::Solve(std::vector<Click>& clicks, int firstMove, std::size_t budget) {
    clicks.clear();
    if (budget == 0) budget = myOptions.searchBudget;
    myStepsLeft = myOptions.stepBudget > 0 ? myOptions.stepBudget : SIZE_MAX;
    Node* root = Root();
    if (!root) return OUTCOME_UNKNOWN;
    if (firstMove < 0) return Search(*root, clicks, budget);
    if (static_cast<std::size_t>(firstMove) >= root->chains.size()) return OUTCOME_LOSS;
    std::unique_ptr<Node> scratch;
    Node* child = Child(*root, static_cast<std::size_t>(firstMove), scratch);
    if (!child) return OUTCOME_UNKNOWN;
    for (std::int32_t initId : root->chains[firstMove]) clicks.push_back(Click{root->step, initId});
    const EOutcome outcome = Search(*child, clicks, budget);
    if (outcome != OUTCOME_WIN) clicks.clear();
    return outcome;
}

std::map<std::int32_t, std::int32_t> CPileSolver::Paint(const std::vector<std::int32_t>& typesByThree,
                                                        std::uint32_t seed, std::vector<Click>& clicks) {
    std::mt19937 random(seed);
    std::map<std::int32_t, std::int32_t> types;
    clicks.clear();
    // Every marble counts as one type while the pile is played: any three touching ones go.
    std::vector<RigidBody> start = myStart;
    for (RigidBody& body : start)
        if (IsMarbleBody(body)) body.color = 0;
    Node node;
    LoadWorld(start);
    SettleWhole(node);
    for (std::int32_t type : typesByThree) {
        if (node.chains.empty()) break;
        std::uniform_int_distribution<std::size_t> pick(0, node.chains.size() - 1);
        const std::array<std::int32_t, 3> chain = node.chains[pick(random)];
        Node next;
        next.step = node.step;
        LoadWorld(node.bodies);
        for (std::int32_t initId : chain) {
            types[initId] = type;
            clicks.push_back(Click{node.step, initId});
            RemoveByInitId(initId);
        }
        SettleWhole(next);
        node = std::move(next);
    }
    if (node.marbles > 0 || types.size() != 3 * typesByThree.size()) {
        clicks.clear();
        return {};
    }
    return types;
}

unsigned CPileSolver::PlayRandom(unsigned games, std::uint32_t seed) {
    std::mt19937 random(seed);
    unsigned wins = 0;
    myStepsLeft = SIZE_MAX;
    for (unsigned g = 0; g < games; ++g) {
        std::unique_ptr<Node> held;
        Node* node = Root();
        while (node->marbles > 0 && !node->chains.empty()) {
            std::uniform_int_distribution<std::size_t> pick(0, node->chains.size() - 1);
            std::unique_ptr<Node> next;
            node = Child(*node, pick(random), next);
            if (next) held = std::move(next);
        }
        if (node->marbles == 0) ++wins;
    }
    return wins;
}

std::size_t CPileSolver::ForeseenChoice(Node& node, std::mt19937& random) {
    // Weight of each chain: the chains its pile leaves, plus one so that every chain that does
    // not end the game in a loss stays possible.
    std::vector<double> weights(node.chains.size(), 0.0);
    bool anyAlive = false;
    for (std::size_t k = 0; k < node.chains.size(); ++k) {
        std::unique_ptr<Node> scratch;
        const Node* child = Child(node, k, scratch);
        if (!child) continue;
        if (child->marbles == 0) return k;
        if (child->chains.empty()) continue;
        weights[k] = 1.0 + static_cast<double>(child->chains.size());
        anyAlive = true;
    }
    if (!anyAlive) std::fill(weights.begin(), weights.end(), 1.0);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    return pick(random);
}

unsigned CPileSolver::PlayLookAhead(unsigned games, std::uint32_t seed) {
    std::mt19937 random(seed);
    unsigned wins = 0;
    for (unsigned g = 0; g < games; ++g) {
        std::unique_ptr<Node> held;
        Node* node = Root();
        while (node && node->marbles > 0 && !node->chains.empty()) {
            const std::size_t choice = ForeseenChoice(*node, random);
            std::unique_ptr<Node> next;
            node = Child(*node, choice, next);
            if (next) held = std::move(next);
        }
        if (node && node->marbles == 0) ++wins;
    }
    return wins;
}

}  // namespace marbles
