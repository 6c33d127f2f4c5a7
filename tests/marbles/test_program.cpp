// End-to-end: the real marbles program started in a temporary directory with its own
// "autoexec.txt", checked by its exit code and the "log.txt" it leaves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "support/testsupport.h"

using testsupport::LogBody;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// Runs the program in the working directory, its environment changed by the env arguments
// given; returns its exit code (-1 when it did not exit).
int RunMarbles(const std::string& env = std::string()) {
    const std::string command = "env " + env + " timeout 60 " + MARBLES_BINARY + " > stdout.txt 2> stderr.txt";
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

TEST(Program, WithoutAScriptExitsAtOnceLeavingOnlyTheHeader) {
    testsupport::CTempDir dir;
    EXPECT_EQ(RunMarbles(), 0);
    EXPECT_EQ(CountLines(ReadFile("log.txt")), 5);
    EXPECT_EQ(LogBody(), "");
}

TEST(Program, ScriptStartsTasksAndQuitEndsTheLoop) {
    testsupport::CTempDir dir;
    WriteFile("autoexec.txt",
              "// start-up script\n"
              "starttask( unittest, selftest, 5 )\n"
              "starttask( nosuchtype )\n"
              "stoptask( ghost )\n");
    EXPECT_EQ(RunMarbles(), 0);
    EXPECT_EQ(LogBody(),
              "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.\n"
              "( ) CTaskFactory::StopTask() called\n"
              "( ) [ERROR] Trying to stop a task ghost that doesn't exist.\n"
              "( ) selftest: no self-tests are built into this program\n");
}

TEST(Program, MalformedLinesNeverStopTheScript) {
    testsupport::CTempDir dir;
    std::string script;
    script += "starttask( \"unbalanced\r\n";
    script += "starttask( ( (\r\n";
    {
        static const char binary[] = "\0\x01\x02\xff\xfe binary\0\n";
        script += std::string(binary, sizeof binary - 1);
    }
    script += std::string(100000, '(') + "\n";
    script += "x = " + std::string(100000, 'y') + "\n";
    script += "load( autoexec.txt )\n";
    script += "starttask( last_line_ran )\r\n";
    WriteFile("autoexec.txt", script);
    EXPECT_EQ(RunMarbles(), 0);
    const std::string body = LogBody();
    EXPECT_NE(body.find("( ) [ERROR] Trying to start a task last_line_ran that doesn't exist.\n"), std::string::npos);
}

TEST(Program, EmptyScriptAndDirectoryScriptEndCleanly) {
    testsupport::CTempDir dir;
    WriteFile("autoexec.txt", "");
    EXPECT_EQ(RunMarbles(), 0);
    EXPECT_EQ(LogBody(), "");
    std::filesystem::remove("autoexec.txt");
    std::filesystem::create_directory("autoexec.txt");
    EXPECT_EQ(RunMarbles(), 0);
    // Not a file: refused before reading, and said so.
    EXPECT_EQ(LogBody(), "(!) Refused to read the file autoexec.txt: it is a folder, not a file\n");
}

TEST(Program, QuitAfterStartingTasksStopsThemInTheFirstFrame) {
    testsupport::CTempDir dir;
    WriteFile("autoexec.txt", "starttask( gfxtest, g1 )\nquit()\n");
    EXPECT_EQ(RunMarbles(), 0);
    EXPECT_EQ(LogBody(), "( ) g1: no self-tests are built into this program\n");
}

TEST(Program, OptionsAreAnsweredAndUnknownOnesAreUsageErrors) {
    testsupport::CTempDir dir;
    const auto run = [](const std::string& arguments) {
        const int status =
            std::system((std::string(MARBLES_BINARY) + " " + arguments + " > stdout.txt 2> stderr.txt").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(ReadFile("stdout.txt").find("--no-music"), std::string::npos);
    EXPECT_EQ(run("--version"), 0);
    EXPECT_EQ(ReadFile("stdout.txt"), "Marbles 0.22\n");
    EXPECT_EQ(run("--no-sound --loud"), 2);
    EXPECT_NE(ReadFile("stderr.txt").find("unknown option: --loud\nUsage: marbles"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
    // A level the list does not hold is a usage error too.
    std::filesystem::create_directories("data");
    WriteFile("data/level_list.xml", "<LevelList>\n  <Level position=\"1\" filename=\"a.xml\" completed=\"0\" />\n</LevelList>\n");
    EXPECT_EQ(run("--level 99"), 2);
    EXPECT_NE(ReadFile("stderr.txt").find("there is no level 99: the level list holds 1 levels\nUsage:"), std::string::npos)
        << ReadFile("stderr.txt");
}

// The game started fullscreen in level 1, headless; each signal ends it as "quit" does, and
// the level list is written back (the game writes its attributes in another order).
TEST(Program, HangUpAndTerminateEndTheGameLikeQuitAndSaveTheProgress) {
    for (const std::string signal : {"HUP", "TERM"}) {
        testsupport::CTempDir dir;
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
        WriteFile("autoexec.txt",
                  "taskload( sdl )\n"
                  "starttask( window, window, 1000, 640, 480 )\n"
                  "starttask( gfx, gfx, 2000 )\n"
                  "starttask( game, game, 100 )\n");
        const std::string script = std::string(MARBLES_BINARY) +
                                   " --level 1 --no-sound --fullscreen > stdout.txt 2> stderr.txt & game=$!\n"
                                   "n=0; until grep -q 'Loading level' log.txt 2>/dev/null; do\n"
                                   "  n=$((n + 1)); [ $n -gt 600 ] && break; sleep 0.1; done\n"
                                   "kill -" +
                                   signal + " $game; wait $game\n";
        WriteFile("run.sh", script);
        const int status = std::system("timeout 120 sh run.sh");
        ASSERT_TRUE(WIFEXITED(status)) << signal;
        EXPECT_EQ(WEXITSTATUS(status), 0) << signal << ReadFile("stderr.txt");
        EXPECT_NE(ReadFile("data/level_list.xml").find("filename=\"\" position=\"0\""), std::string::npos)
            << signal << ReadFile("data/level_list.xml");
        const std::string log = ReadFile("log.txt");
        EXPECT_NE(log.find("Fullscreen"), std::string::npos) << log;
        EXPECT_EQ(log.find("Loading level: data/levels/chapter1_level01.xml"), log.rfind("Loading level")) << log;
    }
}

TEST(Program, AWindowThatCannotOpenEndsTheProgramWithAnError) {
    testsupport::CTempDir dir;
    WriteFile("autoexec.txt",
              "taskload( sdl )\nstarttask( window, window, 1000, 64, 48 )\nstarttask( gfx, gfx, 2000 )\n");
    // No display: an asked-for X11 fails to start; without a request no text-mode driver
    // (caca, aalib, fbcon) is tried, whatever the terminal, so nothing else reaches it.
    for (const char* env : {"SDL_VIDEODRIVER=x11 DISPLAY=:31999", "-u SDL_VIDEODRIVER -u TERM DISPLAY=:31999",
                            "-u SDL_VIDEODRIVER TERM=dumb DISPLAY=:31999",
                            "-u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm"}) {
        EXPECT_EQ(RunMarbles(env), 1) << env;
        // Our message opens a line of its own; SDL over SDL 2 may print its own lines before it.
        const std::string errors = "\n" + ReadFile("stderr.txt");
        EXPECT_NE(errors.find("\nCould not open the window: "), std::string::npos) << errors;
        EXPECT_EQ(errors.find("terminal"), std::string::npos) << errors;
        EXPECT_EQ(ReadFile("stdout.txt"), "") << env;
        EXPECT_NE(LogBody().find("Could not open the window: "), std::string::npos) << env;
    }
}

TEST(Program, StagingAgainKeepsThePlayersWinsAndAddsNewLevels) {
    testsupport::CTempDir dir;
    const std::string stage = std::string("cmake -DSOURCE=game -DDESTINATION=build -P ") + MARBLES_SOURCE_DIR +
                              "/cmake/stage.cmake";
    const auto shipped = [](int levels) {
        std::string list = "<LevelList>\n";
        for (int k = 1; k <= levels; ++k)
            list += "  <Level position=\"" + std::to_string(k) + "\" filename=\"data/levels/level0" + std::to_string(k) +
                    ".xml\" completed=\"0\" />\n";
        WriteFile("game/data/level_list.xml", list + "</LevelList>\n");
    };
    std::filesystem::create_directories("game/data");
    WriteFile("game/autoexec.txt", "");
    shipped(2);
    ASSERT_EQ(std::system(stage.c_str()), 0);
    // The player wins level 1; then a new version ships a third level.
    std::string played = ReadFile("build/data/level_list.xml");
    played.replace(played.find("completed=\"0\""), 13, "completed=\"1\"");
    WriteFile("build/data/level_list.xml", played);
    shipped(3);
    ASSERT_EQ(std::system(stage.c_str()), 0);
    EXPECT_EQ(ReadFile("build/data/level_list.xml"), played) << "staging never writes the player's list";
    const std::string run = std::string("cd build && SDL_VIDEODRIVER=dummy timeout 60 ") + MARBLES_BINARY + " > out.txt 2>&1";
    ASSERT_EQ(std::system(run.c_str()), 0);
    const std::string merged = ReadFile("build/data/level_list.xml");
    const auto line = [&merged](const std::string& level) {
        const std::size_t at = merged.find("data/levels/" + level);
        return at == std::string::npos ? std::string() : merged.substr(merged.rfind('<', at), merged.find('\n', at) - merged.rfind('<', at));
    };
    EXPECT_NE(line("level01.xml").find("completed=\"1\""), std::string::npos) << merged;
    EXPECT_NE(line("level03.xml").find("completed=\"0\""), std::string::npos) << merged;
}
