// The solver, run as a program on small levels: it proves them winnable or not, writes a
// solution that the simulator's replay wins with, and counts random players' wins.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>
#include <string>

#include "support/testsupport.h"

namespace {

const std::string theBuild = std::string(MARBLES_BUILD_DIR);

using RunResult = testsupport::CCommandResult;

RunResult RunTool(const std::string& program, const std::string& arguments) {
    return testsupport::RunCommand("'" + theBuild + "/" + program + "' " + arguments + " 2>&1");
}

std::string Body(int shape, int staticObject, int color, int initId, float hx, float hy, float x, float y,
                 float angle = 0) {
    return "<RigidBody shape='" + std::to_string(shape) + "' orientation='" + std::to_string(angle) +
           "' inverseMass='" + (staticObject ? "0" : "1") + "' inverseMomentOfInertia='" +
           (staticObject ? "0" : "2") + "' staticObject='" + std::to_string(staticObject) + "' color='" +
           std::to_string(color) + "' initId='" + std::to_string(initId) + "'><Radius x='" + std::to_string(hx) +
           "' y='" + std::to_string(hy) + "'/><Position x='" + std::to_string(x) + "' y='" + std::to_string(y) +
           "'/><Velocity x='0' y='0'/></RigidBody>\n";
}

// A V of two slopes and marbles of the given types laid in a row above its bottom.
std::string VLevel(const std::vector<int>& types) {
    std::string bodies = Body(1, 1, -1, 1, 10, 0.5f, -9, 3, 0.3f) + Body(1, 1, -1, 2, 10, 0.5f, 9, 3, -0.3f);
    for (std::size_t k = 0; k < types.size(); ++k)
        bodies += Body(0, 0, types[k], 10 + static_cast<int>(k), 1, 1, -1.0f * static_cast<float>(types.size()) + 1.0f + 2.05f * k, -2);
    return "<MarblesLevel><PhysicsModel>\n" + bodies + "</PhysicsModel></MarblesLevel>\n";
}

}  // namespace

TEST(MarblesSolve, ProvesWinsAndLossesAndWritesASolutionTheReplayWins) {
    testsupport::CTempDir dir;
    testsupport::WriteFile("three.xml", VLevel({2, 2, 2}));
    const RunResult won = RunTool("marbles-solve", "--players 50 three.xml");
    EXPECT_EQ(won.status, 0) << won.output;
    EXPECT_NE(won.output.find("winnable yes (exhaustive search)"), std::string::npos) << won.output;
    EXPECT_NE(won.output.find("first moves 1, of which 1 still win"), std::string::npos) << won.output;
    EXPECT_NE(won.output.find("random players 50 of 50 won"), std::string::npos) << won.output;
    const RunResult replay = RunTool("marbles-sim", "--play three.solution three.xml");
    EXPECT_EQ(replay.status, 0) << replay.output;
    EXPECT_NE(replay.output.find("Level complite"), std::string::npos) << replay.output;

    // Two marbles of each of two colours: never three of one.
    testsupport::WriteFile("stuck.xml", VLevel({0, 1, 0, 1}));
    const RunResult lost = RunTool("marbles-solve", "--table --players 10 stuck.xml");
    EXPECT_EQ(lost.status, 3) << lost.output;
    EXPECT_NE(lost.output.find("stuck.xml,no,exhaustive,0,0,0,0,10,"), std::string::npos) << lost.output;
    EXPECT_FALSE(std::filesystem::exists("stuck.solution"));

    EXPECT_EQ(RunTool("marbles-solve", "--players").status, 1);
    EXPECT_EQ(RunTool("marbles-solve", "missing.xml").status, 2);
}
