// The headless simulator, run as a program on small models and levels.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace {

const std::string theSimulator = std::string(MARBLES_BUILD_DIR) + "/marbles-sim";
const std::string theExampleLevel =
    std::string(MARBLES_SOURCE_DIR) + "/tools/marbles-sim/examples/small_level.xml";

using RunResult = testsupport::CCommandResult;

RunResult RunSimulator(const std::string& arguments) {
    return testsupport::RunCommand("'" + theSimulator + "' " + arguments + " 2>/dev/null");
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        std::string cell;
        while (std::getline(fields, cell, ',')) cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

// A marble dropped onto a static floor, and a dormant box that nothing touches.
const char* const theBareModel =
    "<PhysicsModel>\n"
    "<RigidBody shape=\"1\" staticObject=\"1\" initId=\"10\" >\n"
    "<Radius x=\"5\" y=\"1\" />\n<Position x=\"0\" y=\"3\" />\n</RigidBody>\n"
    "<RigidBody shape=\"0\" inverseMass=\"1\" inverseMomentOfInertia=\"8\" color=\"4\" initId=\"11\" >\n"
    "<Radius x=\"0.5\" y=\"0.5\" />\n<Position x=\"0\" y=\"0\" />\n<Velocity x=\"0\" y=\"6\" />\n"
    "</RigidBody>\n"
    "<RigidBody shape=\"1\" staticObject=\"2\" initId=\"12\" >\n"
    "<Radius x=\"1\" y=\"1\" />\n<Position x=\"20\" y=\"0\" />\n<Velocity x=\"0.5\" y=\"0\" />\n"
    "</RigidBody>\n"
    "</PhysicsModel>\n";

}  // namespace

TEST(MarblesSim, HelpExplainsTheOptionsAndTheOutput) {
    const RunResult result = RunSimulator("--help");
    ASSERT_EQ(result.status, 0) << "is " << theSimulator << " built?";
    for (const char* word : {"Usage: marbles-sim", "--steps", "--step-ms", "--csv", "--all-pairs",
                             "MarblesLevel", "PhysicsModel", "rest_step"})
        EXPECT_NE(result.output.find(word), std::string::npos) << word;
}

TEST(MarblesSim, BareModelSettlesOnTheFloor) {
    testsupport::CTempDir dir;
    testsupport::WriteFile("model.xml", theBareModel);
    const RunResult result = RunSimulator("--csv --steps 300 model.xml");
    ASSERT_EQ(result.status, 0);
    const auto rows = CsvRows(result.output);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"steps", "300"}));
    EXPECT_EQ(rows[1][0], "rest_step");
    EXPECT_GT(std::stol(rows[1][1]), 1) << "thrown at 6 units per second, it is moving at first";
    EXPECT_EQ(rows[2][0], "settled_step");
    EXPECT_GE(std::stol(rows[2][1]), std::stol(rows[1][1])) << "its bounces die down";
    EXPECT_EQ(rows[3], (std::vector<std::string>{"index", "initId", "shape", "type", "x", "y", "vx", "vy"}));
    EXPECT_EQ(rows[4], (std::vector<std::string>{"0", "10", "box", "0", "0", "3", "0", "0"}));
    EXPECT_EQ(rows[5][1], "11");
    EXPECT_EQ(rows[5][2], "circle");
    EXPECT_EQ(rows[5][3], "4");
    const double y = std::stod(rows[5][5]);
    EXPECT_GT(y, 1.0) << "it fell";
    EXPECT_LT(y, 2.0) << "and lies on the floor's top face at y = 2";
    // The dormant box glides on at half a unit per second: 300 steps of 50 ms.
    EXPECT_NEAR(std::stod(rows[6][4]), 27.5, 1e-3);
    EXPECT_EQ(rows[6][6], "0.5");
}

TEST(MarblesSim, LevelFilesGiveTheSameRowsWithEitherDetection) {
    const RunResult fast = RunSimulator("'" + theExampleLevel + "'");
    const RunResult reference = RunSimulator("--all-pairs '" + theExampleLevel + "'");
    ASSERT_EQ(fast.status, 0);
    EXPECT_EQ(fast.output, reference.output);
    EXPECT_EQ(fast.output, RunSimulator("'" + theExampleLevel + "'").output) << "runs are repeatable";
    std::istringstream lines(fast.output);
    std::string line;
    int rows = 0;
    while (std::getline(lines, line)) ++rows;
    EXPECT_EQ(rows, 4 + 13) << "three summary lines, a header, thirteen bodies";
}

TEST(MarblesSim, BadOptionsAndFilesWithoutAModelFail) {
    testsupport::CTempDir dir;
    EXPECT_EQ(RunSimulator("").status, 1);
    EXPECT_EQ(RunSimulator("--steps").status, 1);
    EXPECT_EQ(RunSimulator("--steps -3 model.xml").status, 1);
    EXPECT_EQ(RunSimulator("--step-ms x model.xml").status, 1);
    EXPECT_EQ(RunSimulator("--frobnicate model.xml").status, 1);
    EXPECT_EQ(RunSimulator("a.xml b.xml").status, 1);
    EXPECT_EQ(RunSimulator("missing.xml").status, 2);
    testsupport::WriteFile("level.xml", "<MarblesLevel>\n<Graphics />\n</MarblesLevel>\n");
    EXPECT_EQ(RunSimulator("level.xml").status, 2);
    testsupport::WriteFile("empty.xml", "just text\n");
    EXPECT_EQ(RunSimulator("empty.xml").status, 2);
}

// Every level of the shipped level list, with the solution written beside it, is won when the
// solution is replayed through the game's rules; a solution cut short is not.
TEST(MarblesSim, EveryShippedLevelIsWonByItsSolution) {
    testsupport::CTempDir dir;
    const std::string game = std::string(MARBLES_SOURCE_DIR) + "/game/";
    std::ifstream list(game + "data/level_list.xml");
    ASSERT_TRUE(list) << "no level list";
    const std::string text((std::istreambuf_iterator<char>(list)), std::istreambuf_iterator<char>());
    std::vector<std::string> levels;
    const std::string key = "filename=\"";
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        const std::size_t start = at + key.size();
        levels.push_back(text.substr(start, text.find('"', start) - start));
    }
    ASSERT_GE(levels.size(), 24u);
    for (const std::string& level : levels) {
        const std::string path = game + level;
        const std::string solution = path.substr(0, path.size() - 4) + ".solution";
        const RunResult won = RunSimulator("--play '" + solution + "' '" + path + "'");
        EXPECT_EQ(won.status, 0) << level << ": " << won.output;
        EXPECT_NE(won.output.find("Level complite"), std::string::npos) << level;
    }
    // The first level without its last click: the game never ends it as won.
    const std::string first = game + levels.front();
    std::ifstream in(first.substr(0, first.size() - 4) + ".solution");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    all = all.substr(0, all.rfind("click"));
    testsupport::WriteFile("short.solution", all);
    const RunResult cut = RunSimulator("--play short.solution '" + first + "'");
    EXPECT_NE(cut.status, 0);
    EXPECT_EQ(cut.output.find("Level complite"), std::string::npos) << cut.output;
}

TEST(MarblesSim, ASleepingPileStaysWhereItSettled) {
    // Awake, piles of the shipped levels creep on after they look settled (a hopper draining,
    // marbles sliding down a shallow basin); asleep they never move again.
    for (const char* level : {"chapter1_level05.xml", "chapter2_level12.xml", "chapter3_level07.xml"}) {
        const std::string path = std::string(MARBLES_SOURCE_DIR) + "/game/data/levels/" + level;
        const RunResult asleep = RunSimulator("--csv --creep --sleep --steps 1500 '" + path + "'");
        ASSERT_EQ(asleep.status, 0) << level;
        const std::vector<std::vector<std::string>> rows = CsvRows(asleep.output);
        ASSERT_GE(rows.size(), 2u);
        EXPECT_GT(std::stol(rows[0][1]), 0) << level << " settles";
        EXPECT_EQ(rows[1][1], "0.000") << level;
    }
}
