// marbles-solve: loads a level, plays it headless with the game's physics and rules as a player
// can (chains within the player's reach, clicked once the pile has settled), and reports
// whether it can be won, a winning click sequence, the first moves that still win and how
// often random players win. The winning sequence is written next to the level.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>

#include "marbles/level/csolutionfile.h"
#include "marbles/level/levelphysics.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cpilesolver.h"

namespace {

const char* const theUsage =
    "Usage: marbles-solve [options] LEVEL\n"
    "\n"
    "Plays LEVEL (a level file) with the game's physics and rules, clicking only chains the\n"
    "player can select once the pile has settled, and reports:\n"
    "  winnable    yes or no, and whether the search was exhaustive (every click order tried,\n"
    "              piles with the same marbles left explored once) or bounded (it ran out of\n"
    "              its budget: a \"no\" is then unproven)\n"
    "  solution    the winning clicks, written to LEVEL with \".xml\" replaced by \".solution\"\n"
    "  first moves the chains selectable at the start, and how many of them still lead to a win\n"
    "  random      the share of random players (each click a uniform choice among the\n"
    "              selectable chains) that win\n"
    "  look-ahead  the share of look-ahead players that win: each settles the pile every\n"
    "              selectable chain would leave, takes a chain that empties the level, never one\n"
    "              that leaves marbles without a chain unless it must, and otherwise draws one\n"
    "              with a weight of one plus the number of chains its pile leaves\n"
    "\n"
    "Options:\n"
    "  --players N   random players, and as many look-ahead players (default 1000; 0 skips\n"
    "                them)\n"
    "  --budget N    piles the search may settle (default 4000); each first move's search\n"
    "                gets N divided by the number of first moves, at least 300\n"
    "  --seed N      seed of the random players (default 1)\n"
    "  --no-write    do not write the solution file\n"
    "  --paint TYPES colour LEVEL instead: TYPES is the number of marbles of each type, e.g.\n"
    "                6,6,3 (multiples of three, as many marbles in all as LEVEL has); threes of\n"
    "                touching marbles are taken from the settled pile at random (--seed) and\n"
    "                given the types in a shuffled order. Prints \"paint INITID TYPE\" lines, and\n"
    "                the play that painted them (a winning solution) as \"click STEP INITID\"\n"
    "  --table       print one line: level,winnable,search,moves,first_moves,winning_first_moves,\n"
    "                random_wins,players,seconds,lookahead_wins,\n"
    "                proof_seconds (the search and the first moves alone)\n"
    "  --help        print this text\n"
    "\n"
    "Exit status: 0 winnable, 3 not winnable or unproven, 1 bad options, 2 unreadable level.\n";

struct SolveOptions {
    std::string level;
    unsigned players = 1000;
    std::size_t budget = 4000;
    std::uint32_t seed = 1;
    bool write = true;
    bool table = false;
    bool help = false;
    std::string paint;
};

bool ParseNumber(const char* text, unsigned long& value) {
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || text[0] == '-') return false;
    value = parsed;
    return true;
}

bool ParseOptions(int argc, char** argv, SolveOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        unsigned long value = 0;
        const bool hasNumber = i + 1 < argc && ParseNumber(argv[i + 1], value);
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--no-write") {
            options.write = false;
        } else if (arg == "--table") {
            options.table = true;
        } else if (arg == "--paint" && i + 1 < argc) {
            options.paint = argv[++i];
        } else if (arg == "--players" && hasNumber) {
            options.players = static_cast<unsigned>(value);
            ++i;
        } else if (arg == "--budget" && hasNumber) {
            options.budget = value;
            ++i;
        } else if (arg == "--seed" && hasNumber) {
            options.seed = static_cast<std::uint32_t>(value);
            ++i;
        } else if (!arg.empty() && arg[0] != '-' && options.level.empty()) {
            options.level = arg;
        } else {
            std::fprintf(stderr, "marbles-solve: bad option or value: %s\n", arg.c_str());
            return false;
        }
    }
    if (options.help || !options.level.empty()) return true;
    std::fprintf(stderr, "marbles-solve: no level given (try --help)\n");
    return false;
}

bool LoadBodies(const std::string& file, std::vector<marbles::RigidBody>& bodies) {
    const std::unique_ptr<marbles::CPhysicsWorld> world = marbles::LoadLevelPhysics(file);
    if (!world) return false;
    for (unsigned i = 0; i < world->GetBodyCount(); ++i) bodies.push_back(world->GetBody(i));
    return true;
}

std::string SolutionFileFor(const std::string& level) {
    const std::string suffix = ".xml";
    if (level.size() > suffix.size() && level.compare(level.size() - suffix.size(), suffix.size(), suffix) == 0)
        return level.substr(0, level.size() - suffix.size()) + ".solution";
    return level + ".solution";
}

const char* OutcomeName(marbles::CPileSolver::EOutcome outcome) {
    if (outcome == marbles::CPileSolver::OUTCOME_WIN) return "yes";
    if (outcome == marbles::CPileSolver::OUTCOME_LOSS) return "no";
    return "unknown";
}

// The types of TYPES ("6,6,3") in threes, shuffled by seed; empty for a bad list.
std::vector<std::int32_t> ThreesOf(const std::string& text, std::uint32_t seed) {
    std::vector<std::int32_t> threes;
    std::size_t start = 0;
    for (std::int32_t type = 0; start <= text.size(); ++type) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        unsigned long count = 0;
        if (!ParseNumber(item.c_str(), count) || count % 3 != 0) return {};
        for (unsigned long k = 0; k < count / 3; ++k) threes.push_back(type);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::mt19937 random(seed ^ 0x9e3779b9u);
    std::shuffle(threes.begin(), threes.end(), random);
    return threes;
}

int Paint(marbles::CPileSolver& solver, const SolveOptions& options) {
    const std::vector<std::int32_t> threes = ThreesOf(options.paint, options.seed);
    if (threes.empty()) {
        std::fprintf(stderr, "marbles-solve: bad type counts: %s\n", options.paint.c_str());
        return 1;
    }
    std::vector<marbles::CPileSolver::Click> clicks;
    const std::map<std::int32_t, std::int32_t> types = solver.Paint(threes, options.seed, clicks);
    if (types.empty()) {
        std::printf("jammed\n");
        return 3;
    }
    for (const auto& entry : types) std::printf("paint %d %d\n", entry.first, entry.second);
    for (const auto& click : clicks) std::printf("click %u %d\n", click.step, click.initId);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SolveOptions options;
    if (!ParseOptions(argc, argv, options)) return 1;
    if (options.help) {
        std::fputs(theUsage, stdout);
        return 0;
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<marbles::RigidBody> bodies;
    if (!LoadBodies(options.level, bodies)) {
        std::fprintf(stderr, "marbles-solve: %s holds no level with a PhysicsModel\n", options.level.c_str());
        return 2;
    }
    marbles::CPileSolver::Options solverOptions;
    solverOptions.searchBudget = options.budget;
    marbles::CPileSolver solver(bodies, solverOptions);
    if (!solver.IsUsable()) {
        std::fprintf(stderr, "marbles-solve: two marbles of %s share an initId\n", options.level.c_str());
        return 2;
    }

    if (!options.paint.empty()) return Paint(solver, options);

    std::vector<marbles::CPileSolver::Click> clicks;
    const marbles::CPileSolver::EOutcome outcome = solver.Solve(clicks);
    bool exhaustive = outcome != marbles::CPileSolver::OUTCOME_UNKNOWN;
    const std::size_t firstMoves = solver.GetFirstMoves().size();
    unsigned winningFirst = 0;
    // Each first move gets a share of the budget (piles already settled cost nothing again).
    const std::size_t firstBudget = std::max<std::size_t>(300, options.budget / std::max<std::size_t>(1, firstMoves));
    for (std::size_t k = 0; k < firstMoves; ++k) {
        std::vector<marbles::CPileSolver::Click> unused;
        const marbles::CPileSolver::EOutcome first = solver.Solve(unused, static_cast<int>(k), firstBudget);
        if (first == marbles::CPileSolver::OUTCOME_WIN) ++winningFirst;
        if (first == marbles::CPileSolver::OUTCOME_UNKNOWN) exhaustive = false;
    }
    const double proofSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const unsigned randomWins = solver.PlayRandom(options.players, options.seed);
    const unsigned lookAheadWins = solver.PlayLookAhead(options.players, options.seed);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const bool won = outcome == marbles::CPileSolver::OUTCOME_WIN;
    const std::string solutionFile = SolutionFileFor(options.level);
    if (won && options.write) {
        marbles::CSolutionFile file;
        for (const auto& click : clicks) file.GetClicks().push_back({click.step, click.initId});
        const std::vector<std::string> comments = {
            "Marbles solution written by marbles-solve: \"click STEP INITID\" clicks the marble whose body has",
            "initId INITID after physics step STEP (50 ms steps counted from the level's load)."};
        if (!file.Save(solutionFile, comments)) std::fprintf(stderr, "marbles-solve: cannot write %s\n", solutionFile.c_str());
    }
    const char* search = exhaustive ? "exhaustive" : "bounded";
    if (options.table) {
        std::printf("%s,%s,%s,%zu,%zu,%u,%u,%u,%.2f,%u,%.2f\n", options.level.c_str(), OutcomeName(outcome), search,
                    clicks.size() / 3, firstMoves, winningFirst, randomWins, options.players, seconds, lookAheadWins,
                    proofSeconds);
    } else {
        std::printf("level %s\n", options.level.c_str());
        std::printf("winnable %s (%s search)\n", OutcomeName(outcome), search);
        if (won) {
            std::printf("solution %zu moves%s%s\n", clicks.size() / 3, options.write ? ", written to " : "",
                        options.write ? solutionFile.c_str() : "");
            for (const auto& click : clicks) std::printf("  click %u %d\n", click.step, click.initId);
        }
        std::printf("first moves %zu, of which %u still win\n", firstMoves, winningFirst);
        if (options.players > 0) {
            std::printf("random players %u of %u won (%.1f%%)\n", randomWins, options.players,
                        100.0 * randomWins / options.players);
            std::printf("look-ahead players %u of %u won (%.1f%%)\n", lookAheadWins, options.players,
                        100.0 * lookAheadWins / options.players);
        }
        std::printf("piles settled %zu, %.2f s\n", solver.GetSettleCount(), seconds);
    }
    return won ? 0 : 3;
}
