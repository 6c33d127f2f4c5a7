// End-to-end: the real program with the shipped start-up script and data under a virtual X
// server, driven by xdotool through the real key and mouse path: the level select, level 2,
// each key of the help screen, back to the title and out, with the log and the saved list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testsupport.h"
#include "support/xdotooldriver.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// Every step waits for what the game shows in its log (up to 30 s), never a fixed time.
// Screenshots land in shots/ when ImageMagick's import is there.
void Play(testsupport::CXdotoolDriver& game) {
    ASSERT_TRUE(game.Start(MARBLES_BINARY)) << game.Error();
    ASSERT_TRUE(game.WaitForLog("Showing the title")) << game.Error();
    ASSERT_TRUE(game.MoveMouse(10, 10)) << game.Error();
    ASSERT_TRUE(game.Key("l")) << game.Error();
    ASSERT_TRUE(game.WaitForLog("Showing the level select")) << game.Error();
    game.Screenshot("levelselect");
    ASSERT_TRUE(game.Click(170, 70)) << game.Error();
    ASSERT_TRUE(game.WaitForLog("Loading level: data/levels/chapter1_level02.xml")) << game.Error();
    // Each key and what the log says it did.
    const struct {
        const char* key;
        const char* logged;
        int count;
        const char* shot;
    } steps[] = {{"h", "Hint shown", 1, "hint"},   {"u", "Nothing to undo", 1, nullptr},
                 {"r", "Loading level: data/levels/chapter1_level02.xml", 2, nullptr},
                 {"p", "Paused", 1, "paused"}, {"p", "Resumed", 1, nullptr},
                 {"m", "Sound off", 1, nullptr},   {"F11", "Fullscreen", 1, "fullscreen"},
                 {"F11", "Windowed", 1, nullptr}, {"Escape", "Showing the title", 2, nullptr}};
    for (const auto& step : steps) {
        ASSERT_TRUE(game.Key(step.key)) << game.Error();
        ASSERT_TRUE(game.WaitForLog(step.logged, step.count)) << step.key << ": " << game.Error();
        if (step.shot) game.Screenshot(step.shot);
    }
    ASSERT_TRUE(game.Key("Escape")) << game.Error();
    EXPECT_EQ(game.WaitForExit(), 0) << game.Error() << ReadFile("stderr.txt");
}

}  // namespace

TEST(Playthrough, LevelSelectLevelTwoEveryKeyAndEscapeTwiceQuitsAndSaves) {
    const std::string missing = testsupport::CXdotoolDriver::Missing();
    if (!missing.empty()) GTEST_SKIP() << missing << " missing: the game cannot be driven on a virtual screen";
    testsupport::CTempDir dir;
    testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    std::filesystem::copy_file(std::string(MARBLES_SOURCE_DIR) + "/game/autoexec.txt", "autoexec.txt");
    // Level 1 is won, so level 2 is open in the level select.
    std::string list = ReadFile("data/level_list.xml");
    list.replace(list.find("completed=\"0\""), 13, "completed=\"1\"");
    WriteFile("data/level_list.xml", list);
    {
        testsupport::CXdotoolDriver game;
        Play(game);
        if (HasFailure()) ADD_FAILURE() << ReadFile("stderr.txt") << ReadFile("log.txt");
    }

    const std::string log = ReadFile("log.txt");
    EXPECT_EQ(log.find("Loading level: data/levels/chapter1_level01.xml"), std::string::npos) << log;
    EXPECT_NE(log.find("Paused"), std::string::npos) << log;
    // Quitting from the title wrote the list back with the player's progress.
    const std::string saved = ReadFile("data/level_list.xml");
    EXPECT_NE(saved.find("completed=\"1\" filename=\"data/levels/chapter1_level01.xml\" position=\"1\""), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("completed=\"0\" filename=\"data/levels/chapter1_level02.xml\" position=\"2\""), std::string::npos)
        << saved;
    if (const char* keep = std::getenv("MARBLES_KEEP_SHOTS")) {
        std::filesystem::copy("shots", keep, std::filesystem::copy_options::overwrite_existing |
                                                 std::filesystem::copy_options::recursive);
    }
}
