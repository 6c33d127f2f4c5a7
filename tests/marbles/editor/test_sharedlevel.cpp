// Shared levels: every check a level passes before it joins the player's levels, the import
// that never lets a refused file replace a good one, and the folder scan.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/editor/sharedlevel.h"
#include "marbles/level/csolutionfile.h"
#include "marbles/rules/cpilesolver.h"
#include "support/testsupport.h"

using namespace marbles;

namespace {

// Nine marbles of three types on the floor, with a box above them, and a proven solution.
void WriteProvenLevel(const std::string& file) {
    CEditorLayout layout;
    for (int i = 0; i < 9; ++i) layout.Place(CEditorLayout::Marble(i / 3, {-8.0f + 2.0f * i, 18.0f}));
    layout.Place(CEditorLayout::Box({0.0f, 8.0f}, {3.0f, 0.5f}));
    ASSERT_TRUE(layout.Save(file));
    CPileSolver solver(layout.ToBodies(), CPileSolver::Options());
    std::vector<CPileSolver::Click> clicks;
    ASSERT_EQ(solver.Solve(clicks), CPileSolver::OUTCOME_WIN);
    CSolutionFile solution;
    for (const auto& click : clicks) solution.GetClicks().push_back({click.step, click.initId});
    ASSERT_TRUE(solution.Save(SolutionFileOf(file)));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? "(not found: " + from + ")" : text.replace(at, from.size(), to);
}

// The text of the "RigidBody" element with initId.
std::string BodyText(const std::string& level, int initId) {
    const std::size_t id = level.find("initId=\"" + std::to_string(initId) + "\"");
    const std::size_t start = level.rfind("<RigidBody", id);
    return level.substr(start, level.find("</RigidBody>", id) + 12 - start);
}

// level with from replaced by to inside the body with initId.
std::string EditBody(const std::string& level, int initId, const std::string& from, const std::string& to) {
    const std::string body = BodyText(level, initId);
    return Replaced(level, body, Replaced(body, from, to));
}

std::string ManyMarbles(const std::string& level) {
    const std::string marble = BodyText(level, 4);
    std::string many;
    for (int i = 0; i < 192; ++i) many += marble;
    return Replaced(level, marble, marble + many);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SharedLevel, EachCheckRefusesWhatItGuardsAgainst) {
    testsupport::CTempDir dir;
    WriteProvenLevel("good.xml");
    EXPECT_EQ(CheckSharedLevel("good.xml", "good.solution"), "");
    const std::string level = testsupport::ReadFile("good.xml");
    const std::string solution = testsupport::ReadFile("good.solution");
    struct Case {
        const char* what;
        std::string level;
        std::string solution;
        std::string problem;
    };
    const Case cases[] = {
        {"cut off", level.substr(0, level.size() - 40), solution, "it is no level the game can play: line"},
        {"not a level", "<LevelList />", solution, "it is no level the game can play: the root element"},
        {"absurd number", EditBody(level, 4, "x=\"-8\"", "x=\"inf\""), solution, "it is no level the game can play: body 3"},
        {"201 marbles", ManyMarbles(level), solution, "it holds 201 marbles, more than 200"},
        {"unknown type", EditBody(level, 4, "color=\"0\"", "color=\"6\""), solution,
         "marble 4 has type 6, which has no picture"},
        {"huge marble", EditBody(level, 4, "x=\"1\" y=\"1\"", "x=\"3\" y=\"3\""), solution,
         "marble 4 has radius 3, not within 0.5 to 2"},
        {"huge box", EditBody(level, 13, "x=\"3\"", "x=\"30\""), solution,
         "box 13 has half sides 30 by 0.5, not within 0.1 to 21"},
        {"marble outside", EditBody(level, 4, "x=\"-8\"", "x=\"-25\""), solution,
         "marble 4 lies outside the walls"},
        {"box outside", EditBody(level, 13, "<Position x=\"0\"", "<Position x=\"-30\""), solution, "box 13 lies outside the walls"},
        {"solution damaged", level, "click 5\n", "its solution bad.solution cannot be read"},
        {"solution clicks a marble that is none", level, "click 5 99\n",
         "its solution does not win: No marble 99 at step 5"},
        {"solution that stops short", level, "", "its solution does not win: The level did not end by step 2000"},
    };
    for (const Case& c : cases) {
        testsupport::WriteFile("bad.xml", c.level);
        testsupport::WriteFile("bad.solution", c.solution);
        const std::string problem = CheckSharedLevel("bad.xml", "bad.solution");
        EXPECT_EQ(problem.substr(0, c.problem.size()), c.problem) << c.what << ": " << problem;
    }
    std::remove("bad.solution");
    EXPECT_EQ(CheckSharedLevel("bad.xml", "bad.solution"), "its solution bad.solution cannot be read");
}

TEST(SharedLevel, ImportTakesProvenLevelsAndNeverReplacesOneWithARefusedFile) {
    testsupport::CTempDir dir;
    std::filesystem::create_directory("mine");
    std::filesystem::create_directory("drop");
    WriteProvenLevel("drop/level.xml");
    std::string message;
    ASSERT_TRUE(ImportLevel("drop/level.xml", "mine", message)) << message;
    EXPECT_EQ(message, "Imported level.xml into My levels");
    EXPECT_EQ(testsupport::ReadFile("mine/level.xml"), testsupport::ReadFile("drop/level.xml"));
    EXPECT_EQ(testsupport::ReadFile("mine/level.solution"), testsupport::ReadFile("drop/level.solution"));

    // A damaged file of the same name is refused and left where it was; the good one stays.
    const std::string good = testsupport::ReadFile("mine/level.xml");
    const std::string damaged = good.substr(0, good.size() / 2);
    testsupport::WriteFile("drop/level.xml", damaged);
    EXPECT_FALSE(ImportLevel("drop/level.xml", "mine", message));
    EXPECT_EQ(message.substr(0, 46), "Not imported: level.xml: it is no level the ga");
    EXPECT_EQ(testsupport::ReadFile("mine/level.xml"), good);
    EXPECT_EQ(testsupport::ReadFile("drop/level.xml"), damaged);
    EXPECT_FALSE(ImportLevel("drop/none.xml", "mine", message));
    EXPECT_EQ(message.substr(0, 45), "Not imported: none.xml: it cannot be read: th");
    std::remove("drop/level.solution");
    testsupport::WriteFile("drop/level.xml", good);
    EXPECT_FALSE(ImportLevel("drop/level.xml", "mine", message));
    EXPECT_EQ(message.substr(0, 60), "Not imported: level.xml: its solution level.solution cannot ");

    // The scan lists what passes and names the rest; nothing else is left in the folder.
    testsupport::WriteFile("mine/broken.xml", damaged);
    testsupport::WriteFile("mine/broken.solution", "");
    std::vector<std::string> notices;
    EXPECT_EQ(FindSharedLevels("mine", notices), std::vector<std::string>{"mine/level.xml"});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].substr(0, 31), "Not in My levels: broken.xml: i");
    EXPECT_EQ(FilesIn("mine"),
              (std::vector<std::string>{"broken.solution", "broken.xml", "level.solution", "level.xml"}));
    EXPECT_TRUE(FindSharedLevels("missing", notices).empty());
}
