// The command-line options: the console lines they become, their answers and usage errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "marbles/game/ccommandline.h"

using marbles::CCommandLine;

TEST(CommandLine, OptionsBecomeConsoleLinesAndAnswersOrUsageErrorsEndTheProgram) {
    struct {
        std::vector<std::string> arguments;
        std::vector<std::string> lines;
        int exitCode;
        const char* output;
    } const cases[] = {
        {{}, {}, -1, ""},
        {{"--fullscreen", "--no-sound", "--no-music"}, {"fullscreen = 1", "sound = 0", "music = 0"}, -1, ""},
        {{"--level", "12"}, {"level = 12"}, -1, ""},
        {{"--fullscreen", "--windowed"}, {"fullscreen = 1", "fullscreen = 0"}, -1, ""},
        {{"--help"}, {}, 0, "Usage: marbles [options]"},
        {{"-h"}, {}, 0, "Usage: marbles [options]"},
        {{"--version"}, {}, 0, "Marbles 0.22"},
        {{"--level"}, {}, 2, "--level needs a level number"},
        {{"--level", "0"}, {}, 2, "--level needs a level number"},
        {{"--level", "2x"}, {}, 2, "--level needs a level number"},
        {{"--no-sound", "--fast"}, {"sound = 0"}, 2, "unknown option: --fast"},
        {{"--import"}, {}, 2, "--import needs a level file"},
        {{"--import", ""}, {}, 2, "--import needs a level file"},
    };
    for (const auto& c : cases) {
        const CCommandLine line(c.arguments);
        const std::string what = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(line.GetExitCode(), c.exitCode) << what;
        EXPECT_NE(line.GetOutput().find(c.output), std::string::npos) << what << ": " << line.GetOutput();
        if (c.exitCode != 0) {
            EXPECT_EQ(line.GetLines(), c.lines) << what;
        }
    }
}

TEST(CommandLine, ImportsAreKeptInOrderBesideTheOtherOptions) {
    const CCommandLine line({"--import", "a.xml", "--no-sound", "--import", "../b c.xml"});
    EXPECT_EQ(line.GetExitCode(), -1);
    EXPECT_EQ(line.GetLines(), std::vector<std::string>{"sound = 0"});
    EXPECT_EQ(line.GetImports(), (std::vector<std::string>{"a.xml", "../b c.xml"}));
}
