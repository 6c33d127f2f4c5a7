// End-to-end: the real program in a window on a virtual X server replays the solutions of the
// first two levels through the mouse path (game::Replay) and wins both.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/testsupport.h"
#include "support/xdotooldriver.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

std::size_t Wins(const std::string& log) {
    std::size_t wins = 0;
    for (auto at = log.find("Level complite"); at != std::string::npos; at = log.find("Level complite", at + 1)) ++wins;
    return wins;
}

}  // namespace

TEST(ReplayWindow, TheFirstTwoLevelsAreWonByTheirSolutionsInTheRealWindow) {
    const std::string missing = testsupport::CXdotoolDriver::Missing();
    if (!missing.empty()) GTEST_SKIP() << missing << " missing: the game cannot be run on a virtual screen";
    testsupport::CTempDir dir;
    testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    std::string script = ReadFile(std::string(MARBLES_SOURCE_DIR) + "/game/autoexec.txt");
    script += "\ngame::Replay( \"data/levels/chapter1_level01.solution\" )\n"
              "game::Replay( \"data/levels/chapter1_level02.solution\" )\n";
    WriteFile("autoexec.txt", script);
    {
        testsupport::CXdotoolDriver game;
        ASSERT_TRUE(game.Start(MARBLES_BINARY)) << game.Error();
        // Up to three minutes for both wins, unless the replay stops first.
        for (int i = 0; i < 360; ++i) {
            const std::string log = ReadFile("log.txt");
            if (Wins(log) >= 2 || log.find("Replay stopped") != std::string::npos) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        // Escape leads from the picture back to the title, and from the title out.
        ASSERT_TRUE(game.Key("Escape")) << game.Error();
        ASSERT_TRUE(game.WaitForLog("Showing the title", 2)) << game.Error() << ReadFile("log.txt");
        ASSERT_TRUE(game.Key("Escape")) << game.Error();
        EXPECT_EQ(game.WaitForExit(), 0) << game.Error() << ReadFile("stderr.txt");
    }
    const std::string log = ReadFile("log.txt");
    EXPECT_NE(log.find("Loading level: data/levels/chapter1_level02.xml"), std::string::npos) << log;
    EXPECT_EQ(Wins(log), 2u) << log;
    EXPECT_EQ(log.find("Replay stopped"), std::string::npos) << log;
}
