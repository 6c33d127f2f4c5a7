// The shipped solutions replayed within the physics' comfort, and by a player who reacts late.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace {

const std::string theSimulator = std::string(MARBLES_BUILD_DIR) + "/marbles-sim";
const std::string theGame = std::string(MARBLES_SOURCE_DIR) + "/game/";

testsupport::CCommandResult Play(const std::string& options, const std::string& level) {
    const std::string path = theGame + level;
    const std::string solution = path.substr(0, path.size() - 4) + ".solution";
    return testsupport::RunCommand("'" + theSimulator + "' " + options + " --play '" + solution + "' '" + path +
                                   "' 2>/dev/null");
}

std::vector<std::string> ListedLevels() {
    std::ifstream list(theGame + "data/level_list.xml");
    const std::string text((std::istreambuf_iterator<char>(list)), std::istreambuf_iterator<char>());
    std::vector<std::string> levels;
    const std::string key = "filename=\"";
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        const std::size_t start = at + key.size();
        levels.push_back(text.substr(start, text.find('"', start) - start));
    }
    return levels;
}

}  // namespace

// No step of a shipped solution's replay stops at the contact-visit limit, no settled pile
// sinks more than a tenth of a radius, and the solution wins however late each move comes.
TEST(MarblesSimComfort, EveryShippedSolutionStaysComfortableAndWinsWhenLate) {
    testsupport::CTempDir dir;
    const std::vector<std::string> levels = ListedLevels();
    ASSERT_EQ(levels.size(), 36u);
    for (const std::string& level : levels) {
        const testsupport::CCommandResult comfort = Play("--comfort", level);
        EXPECT_EQ(comfort.status, 0) << level << ": " << comfort.output;
        EXPECT_NE(comfort.output.find("visit_cap_steps 0\n"), std::string::npos) << level;
        for (const char* delay : {"10", "40"})
            EXPECT_EQ(Play(std::string("--delay ") + delay, level).status, 0) << level << " late by " << delay;
    }
    // A pile squeezed into itself is no comfort: two marbles sunk half a radius into each other
    // on a floor, played by an empty solution.
    testsupport::WriteFile("squeezed.xml",
                           "<MarblesLevel><PhysicsModel>\n"
                           "<RigidBody shape='1' staticObject='1' initId='1'><Radius x='9' y='1'/>"
                           "<Position x='0' y='3'/></RigidBody>\n"
                           "<RigidBody shape='0' staticObject='1' inverseMass='0' color='0' initId='2'><Radius x='1' y='1'/>"
                           "<Position x='0' y='1'/></RigidBody>\n"
                           "<RigidBody shape='0' staticObject='1' inverseMass='0' color='0' initId='3'><Radius x='1' y='1'/>"
                           "<Position x='1.5' y='1'/></RigidBody>\n"
                           "<RigidBody shape='0' staticObject='1' inverseMass='0' color='0' initId='4'><Radius x='1' y='1'/>"
                           "<Position x='-2' y='1'/></RigidBody>\n"
                           "</PhysicsModel></MarblesLevel>\n");
    testsupport::WriteFile("squeezed.solution", "click 30 2\nclick 30 3\nclick 30 4\n");
    const testsupport::CCommandResult squeezed = testsupport::RunCommand(
        "'" + theSimulator + "' --comfort --play squeezed.solution squeezed.xml 2>/dev/null");
    EXPECT_EQ(squeezed.status, 4) << squeezed.output;
    EXPECT_NE(squeezed.output.find("largest_overlap_radii 0.500"), std::string::npos) << squeezed.output;
}
