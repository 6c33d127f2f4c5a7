// marbles-sim: loads a level file or a bare physics model, steps it without a window and
// prints when the world came to rest and where every body ended up; or replays a solution's
// clicks through the game's rules and physics.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "marbles/level/csolutionfile.h"
#include "marbles/level/solutionreplay.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/csettlewatch.h"
#include "marbles/rules/cmarble.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/cxmlnode.h"

namespace {

const char* const theUsage =
    "Usage: marbles-sim [options] FILE\n"
    "       marbles-sim --play SOLUTION LEVEL\n"
    "\n"
    "Steps the physics of FILE without a window and prints the result.\n"
    "FILE is a level file (root element \"MarblesLevel\" with a \"PhysicsModel\" child) or a\n"
    "bare physics model (any root element whose \"RigidBody\" children are the bodies).\n"
    "\n"
    "Options:\n"
    "  --steps N       number of steps to run (default 200)\n"
    "  --step-ms MS    length of one step in milliseconds (default 50, the game's; longer\n"
    "                  steps count as 50)\n"
    "  --csv           print comma-separated values instead of aligned columns\n"
    "  --all-pairs     test every pair of bodies instead of using the broad phase (slower,\n"
    "                  same result)\n"
    "  --creep         also print \"watch_settled_step\" (the first step after which the game's\n"
    "                  settle watch finds the marbles settled; -1 if never) and \"creep_px\" (the\n"
    "                  farthest any marble moved after it, in screen pixels)\n"
    "  --sleep         the world sleeps once the settle watch finds its marbles settled, as the\n"
    "                  game's does (--play always does)\n"
    "  --play SOLUTION replays the clicks of SOLUTION (a file written by marbles-solve) on the\n"
    "                  level file FILE through the game's selection, removal and end-of-level\n"
    "                  rules: prints \"Level complite\" and exits 0 when the level is won,\n"
    "                  otherwise prints why and exits 3\n"
    "  --delay N       with --play: each move comes N steps later than the solution says after\n"
    "                  the pile it meets has settled, as a player reacting late would click\n"
    "  --comfort       with --play: also print \"largest_overlap_radii\" (the deepest two bodies\n"
    "                  sank into each other in any settled pile, in radii of the smaller marble;\n"
    "                  a circle in a box counts in its own radius), \"largest_flight_overlap_radii\"\n"
    "                  (the same over every step, landings included) and \"visit_cap_steps\"\n"
    "                  (steps whose impulse passes stopped at the contact-visit limit), and exit 4\n"
    "                  instead of 0 when a settled pile overlaps more than 0.1 radius or any step\n"
    "                  reached the limit\n"
    "  --help          print this text\n"
    "\n"
    "Output: \"steps\" (steps run), \"rest_step\" (the first step after which the world was at\n"
    "rest, that is the mean squared speed of its bodies below 1; -1 if never), \"settled_step\"\n"
    "(the step after which it stayed at rest to the end; -1 if it was moving at the end), then\n"
    "one row per body in index order: index, initId, shape (circle or box, otherwise the\n"
    "number), type (the body's colour, the game's marble type), x, y, vx, vy.\n"
    "\n"
    "Exit status: 0 on success, 1 for bad options, 2 when FILE holds no physics model, 3 when a\n"
    "replayed level is not won, 4 when it is won beyond the physics' comfort (--comfort).\n";

struct SimOptions {
    std::string file;
    long steps = 200;
    long stepMilliseconds = 50;
    bool csv = false;
    bool allPairs = false;
    bool creep = false;
    bool sleep = false;
    bool help = false;
    bool comfort = false;
    long delay = 0;
    std::string solution;
};

bool ParseCount(const char* text, long& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0) return false;
    value = parsed;
    return true;
}

// False, after a message, for options it does not understand.
bool ParseOptions(int argc, char** argv, SimOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--all-pairs") {
            options.allPairs = true;
        } else if (arg == "--creep") {
            options.creep = true;
        } else if (arg == "--sleep") {
            options.sleep = true;
        } else if (arg == "--comfort") {
            options.comfort = true;
        } else if (arg == "--delay" && hasValue && ParseCount(argv[i + 1], options.delay)) {
            ++i;
        } else if (arg == "--play" && hasValue && options.solution.empty()) {
            options.solution = argv[++i];
        } else if (arg == "--steps" && hasValue && ParseCount(argv[i + 1], options.steps)) {
            ++i;
        } else if (arg == "--step-ms" && hasValue && ParseCount(argv[i + 1], options.stepMilliseconds)) {
            ++i;
        } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
            options.file = arg;
        } else {
            std::fprintf(stderr, "marbles-sim: bad option or value: %s\n", arg.c_str());
            return false;
        }
    }
    if (options.help) return true;
    if (options.file.empty()) {
        std::fprintf(stderr, "marbles-sim: no file given (try --help)\n");
        return false;
    }
    return true;
}

// The node holding the bodies: the level's "PhysicsModel", or the root of a bare model.
const tarn::CXmlNode* FindModel(const tarn::CXmlNode& root) {
    if (root.GetName() != "MarblesLevel") return &root;
    for (int k = 0; k < root.GetChildCount(); ++k)
        if (root.GetChild(k)->GetName() == "PhysicsModel") return root.GetChild(k);
    return nullptr;
}

bool LoadModel(const std::string& file, marbles::CPhysicsWorld& world) {
    const std::unique_ptr<tarn::CXmlNode> root = tarn::LoadXmlRoot(file);
    if (!root) {
        std::fprintf(stderr, "marbles-sim: cannot read an XML element from %s\n", file.c_str());
        return false;
    }
    const tarn::CXmlNode* model = FindModel(*root);
    if (!model) {
        std::fprintf(stderr, "marbles-sim: %s is a level without a PhysicsModel\n", file.c_str());
        return false;
    }
    tarn::CXmlFileSys reader(const_cast<tarn::CXmlNode*>(model), tarn::CXmlFileSys::MODE_READ);
    reader.SetWarnings(false);
    world.Serialize(&reader);
    return true;
}

std::string ShapeName(std::int32_t shape) {
    if (shape == marbles::SHAPE_CIRCLE) return "circle";
    if (shape == marbles::SHAPE_BOX) return "box";
    return std::to_string(shape);
}

void PrintResult(const marbles::CPhysicsWorld& world, const SimOptions& options, long restStep,
                 long settledStep) {
    const char* const names[] = {"index", "initId", "shape", "type", "x", "y", "vx", "vy"};
    if (options.csv) {
        std::printf("steps,%ld\nrest_step,%ld\nsettled_step,%ld\n", options.steps, restStep, settledStep);
        std::printf("%s,%s,%s,%s,%s,%s,%s,%s\n", names[0], names[1], names[2], names[3], names[4],
                    names[5], names[6], names[7]);
    } else {
        std::printf("steps %ld\nrest_step %ld\nsettled_step %ld\n", options.steps, restStep, settledStep);
        std::printf("%6s %8s %6s %6s %15s %15s %15s %15s\n", names[0], names[1], names[2], names[3],
                    names[4], names[5], names[6], names[7]);
    }
    const char* const row = options.csv ? "%u,%d,%s,%d,%.9g,%.9g,%.9g,%.9g\n"
                                        : "%6u %8d %6s %6d %15.9g %15.9g %15.9g %15.9g\n";
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
        const marbles::RigidBody& b = world.GetBody(i);
        std::printf(row, i, b.initId, ShapeName(b.shape).c_str(), b.color, b.position.x,
                    b.position.y, b.velocity.x, b.velocity.y);
    }
}

// The places of the world's marbles (circles with a type), in body order.
std::vector<marbles::Vector2> MarblePlaces(const marbles::CPhysicsWorld& world) {
    std::vector<marbles::Vector2> places;
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
        const marbles::RigidBody& body = world.GetBody(i);
        if (marbles::IsMarbleBody(body)) places.push_back(body.position);
    }
    return places;
}

// Watches a world's marbles as the game's settle watch does: when they first settle (putting
// the world to sleep when asked) and how far any marble moves after that.
class CCreepWatch {
public:
    void Observe(marbles::CPhysicsWorld& world, long step, bool sleep) {
        const std::vector<marbles::Vector2> places = MarblePlaces(world);
        myWatch.Observe(places);
        if (mySettledStep < 0 && myWatch.IsSettled()) {
            mySettledStep = step;
            mySettledPlaces = places;
            if (sleep) world.SetAsleep(true);
        }
        for (std::size_t i = 0; mySettledStep >= 0 && i < places.size() && i < mySettledPlaces.size(); ++i) {
            const marbles::Vector2 d = places[i] - mySettledPlaces[i];
            myCreep = std::max(myCreep, 16.0f * std::sqrt(d.x * d.x + d.y * d.y));
        }
    }
    void Print(bool csv) const {
        std::printf(csv ? "watch_settled_step,%ld\ncreep_px,%.3f\n" : "watch_settled_step %ld\ncreep_px %.3f\n",
                    mySettledStep, static_cast<double>(myCreep));
    }

private:
    marbles::CSettleWatch myWatch;
    long mySettledStep = -1;
    std::vector<marbles::Vector2> mySettledPlaces;
    float myCreep = 0.0f;
};

// The deepest two bodies of the world sink into each other, in radii of the smaller marble
// (a circle against a box counts in the circle's radius); 0 when nothing overlaps.
float DeepestOverlap(const marbles::CPhysicsWorld& world) {
    float deepest = 0.0f;
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
        const marbles::RigidBody& a = world.GetBody(i);
        if (a.shape != marbles::SHAPE_CIRCLE) continue;
        for (unsigned j = 0; j < world.GetBodyCount(); ++j) {
            const marbles::RigidBody& b = world.GetBody(j);
            if (b.shape == marbles::SHAPE_CIRCLE && j > i) {
                const marbles::Vector2 d = a.position - b.position;
                const float depth = a.extent.x + b.extent.x - std::sqrt(marbles::Dot(d, d));
                deepest = std::max(deepest, depth / std::min(a.extent.x, b.extent.x));
            }
            marbles::ContactPoints points;
            if (b.shape != marbles::SHAPE_BOX || !marbles::CircleBox(a, b, marbles::OrientationAxis(b.orientation), points))
                continue;
            deepest = std::max(deepest, marbles::Dot(points.pointB[0] - points.pointA[0], points.normal) / a.extent.x);
        }
    }
    return deepest;
}

// How hard a replay pressed the physics: the deepest overlap in the piles the player meets
// (each time the world falls asleep), the deepest while marbles fall and land, and the steps
// whose impulse passes ran into the visit limit.
class CComfortWatch {
public:
    // After each step: stepped tells whether the world moved at all (a sleeping one does not),
    // fellAsleep whether the pile settled and went to sleep after it.
    void Observe(const marbles::CPhysicsWorld& world, bool stepped, bool fellAsleep) {
        if (stepped && world.GetVisitCount() >= marbles::CPhysicsWorld::VISIT_LIMIT) ++myCapSteps;
        const float deepest = DeepestOverlap(world);
        myFlight = std::max(myFlight, deepest);
        if (fellAsleep) myRest = std::max(myRest, deepest);
    }
    void Print() const {
        std::printf("largest_overlap_radii %.3f\nlargest_flight_overlap_radii %.3f\nvisit_cap_steps %u\n",
                    static_cast<double>(myRest), static_cast<double>(myFlight), myCapSteps);
    }
    bool IsComfortable() const { return myCapSteps == 0 && myRest <= 0.1f; }

private:
    float myRest = 0.0f;
    float myFlight = 0.0f;
    unsigned myCapSteps = 0;
};

// The clicks as a player reacting delay steps late makes them: each move (the clicks sharing
// one step) moves by delay for itself and for every move before it.
std::vector<marbles::CSolutionFile::Click> Delayed(std::vector<marbles::CSolutionFile::Click> clicks, long delay) {
    unsigned shift = 0;
    unsigned lastStep = 0;
    for (std::size_t k = 0; k < clicks.size(); ++k) {
        if (k == 0 || clicks[k].step != lastStep) shift += static_cast<unsigned>(delay);
        lastStep = clicks[k].step;
        clicks[k].step += shift;
    }
    return clicks;
}

// Replays the solution's clicks, delayed as asked, in the level as the game steps it; with
// comfort, says how hard the replay pressed the physics.
int Play(const SimOptions& options) {
    marbles::CSolutionFile solution;
    if (!solution.Load(options.solution)) {
        std::fprintf(stderr, "marbles-sim: cannot read the solution %s\n", options.solution.c_str());
        return 2;
    }
    CComfortWatch comfort;
    const marbles::SolutionReplay replay = marbles::ReplaySolution(
        options.file, Delayed(solution.GetClicks(), options.delay),
        [&](const marbles::CPhysicsWorld& world, bool stepped, bool fellAsleep) {
            if (options.comfort) comfort.Observe(world, stepped, fellAsleep);
        });
    if (!replay.levelRead) {
        std::fprintf(stderr, "marbles-sim: cannot read the level %s\n", options.file.c_str());
        return 2;
    }
    std::printf("%s\n", replay.ending.c_str());
    if (!replay.won) return 3;
    if (!options.comfort) return 0;
    comfort.Print();
    return comfort.IsComfortable() ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    if (!ParseOptions(argc, argv, options)) return 1;
    if (options.help) {
        std::fputs(theUsage, stdout);
        return 0;
    }
    if (!options.solution.empty()) return Play(options);
    std::unique_ptr<marbles::CPhysicsWorld> world(new marbles::CPhysicsWorld());
    if (options.allPairs) world->SetDetection(marbles::CPhysicsWorld::DETECT_ALL_PAIRS);
    if (!LoadModel(options.file, *world)) return 2;

    const float dt = static_cast<float>(options.stepMilliseconds) / 1000.0f;
    long restStep = -1;
    long settledStep = -1;
    CCreepWatch creep;
    for (long step = 1; step <= options.steps; ++step) {
        world->Step(dt);
        if (options.creep || options.sleep) creep.Observe(*world, step, options.sleep);
        const bool resting = world->IsAtRest();
        if (resting && restStep < 0) restStep = step;
        if (resting && settledStep < 0) settledStep = step;
        if (!resting) settledStep = -1;
    }
    if (options.creep) creep.Print(options.csv);
    PrintResult(*world, options, restStep, settledStep);
    return 0;
}
