// Tests of the player's settings: the file's lines, the round trip through a saved file, what
// a missing or damaged file gives, the order defaults < saved file < command line, and where
// the installed game keeps the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "marbles/game/cgameoptions.h"
#include "marbles/game/cgamesettings.h"
#include "marbles/game/gamepaths.h"
#include "support/testsupport.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/utils/logger/clogger.h"

using marbles::CGameSettings;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

const char* const HEADER = "// Marbles settings, written by the options window (O on the title)\n";

tarn::CInterpreter* Console() { return tarn::CKernel::GetSingleton()->GetConsole(); }

std::string Log() {
    tarn::CLogger::DeleteSingleton();
    return testsupport::LogBody();
}

class GameSettings : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ResetEngine(); }
    void TearDown() override {
        marbles::SetCommandLineSettings(CGameSettings());
        testsupport::ResetEngine();
    }
    testsupport::CTempDir myDir;
};

}  // namespace

TEST_F(GameSettings, EachKnownSettingIsKeptInItsRangeAndEveryOtherLineIsNamed) {
    const struct {
        const char* text;
        const char* kept;  // the settings as Format writes them, after the header
        std::vector<std::string> problems;
    } cases[] = {
        {"music_volume = 40\neffects_volume=0\r\n  fullscreen =1  \n",
         "music_volume = 40\neffects_volume = 0\nfullscreen = 1\n",
         {}},
        {"// a comment\n# another\n\nfullscreen = 0\nmusic_volume = 5\nmusic_volume = 70",
         "music_volume = 70\nfullscreen = 0\n",
         {}},
        {"music_volume = 101\neffects_volume = -1\nfullscreen = 2\nmusic_volume = 4x\nmusic_volume =",
         "",
         {"line 1: music_volume needs a whole number from 0 to 100",
          "line 2: effects_volume needs a whole number from 0 to 100",
          "line 3: fullscreen needs a whole number from 0 to 1",
          "line 4: music_volume needs a whole number from 0 to 100",
          "line 5: music_volume needs a whole number from 0 to 100"}},
        {"volume = 3\nquit()\nmusic_volume 40\n\x8f\x01\xfe=\x13\neffects_volume = 30",
         "effects_volume = 30\n",
         {"line 1: \"volume = 3\" is not a setting", "line 2: \"quit()\" is not a setting",
          "line 3: \"music_volume 40\" is not a setting", "line 4: \"\x8f\x01\xfe=\x13\" is not a setting"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        const CGameSettings settings = CGameSettings::Parse(c.text, &problems);
        EXPECT_EQ(settings.Format(), HEADER + std::string(c.kept)) << c.text;
        EXPECT_EQ(problems, c.problems) << c.text;
        EXPECT_EQ(CGameSettings::Parse(settings.Format()), settings) << c.text;
    }
    // The command line's lines carry only settings; its other lines are no concern of theirs.
    const CGameSettings line = CGameSettings::FromLines({"level = 3", "fullscreen = 0", "sound = 0"});
    EXPECT_EQ(line.Format(), HEADER + std::string("fullscreen = 0\n"));
}

TEST_F(GameSettings, ASavedFileReadsBackAndAMissingOrDamagedOneGivesTheDefaultsWithALogLine) {
    CGameSettings saved;
    saved.Set(CGameSettings::EFFECTS_VOLUME, 130);  // held in its range
    saved.Set(CGameSettings::FULLSCREEN, 1);
    saved.Set("sound", 0);  // not a setting: never kept
    // The folder is made when missing, and no temporary file stays beside the settings.
    ASSERT_TRUE(saved.Save("config/marbles/settings.txt"));
    EXPECT_EQ(ReadFile("config/marbles/settings.txt"), HEADER + std::string("effects_volume = 100\nfullscreen = 1\n"));
    EXPECT_EQ(CGameSettings::Load("config/marbles/settings.txt"), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("config/marbles"), {}), 1);

    WriteFile("damaged.txt", "music_volume = 30\n\x01\x02garbage\nfullscreen = 7\n");
    std::filesystem::create_directory("folder.txt");
    WriteFile("file", "");
    EXPECT_TRUE(CGameSettings::Load("missing.txt").IsEmpty());
    EXPECT_TRUE(CGameSettings::Load("folder.txt").IsEmpty());
    EXPECT_EQ(CGameSettings::Load("damaged.txt").Format(), HEADER + std::string("music_volume = 30\n"));
    EXPECT_FALSE(saved.Save("file/settings.txt"));  // its folder cannot be made
    const std::string log = Log();
    for (const char* line : {"( ) No saved settings in missing.txt: the defaults apply",
                             "(!) The settings file folder.txt cannot be read (it is a folder, not a file): the "
                             "defaults apply",
                             "(!) The settings file damaged.txt, line 2: \"\x01\x02garbage\" is not a setting: skipped",
                             "(!) The settings file damaged.txt, line 3: fullscreen needs a whole number from 0 to 1: "
                             "skipped",
                             "<!> Could not save the settings to file/settings.txt: cannot create file"})
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
}

TEST_F(GameSettings, TheCommandLineWinsOverTheSavedFileWhichWinsOverTheStartupScript) {
    const struct {
        const char* file;         // "" for no file
        const char* commandLine;  // an option's console line, "" for none
        int music;
        int effects;
        bool fullscreen;
    } cases[] = {
        {"", "", 60, 50, false},
        {"music_volume = 30\nfullscreen = 1\n", "", 30, 50, true},
        {"music_volume = 30\nfullscreen = 1\n", "fullscreen = 0", 30, 50, false},
        {"effects_volume = 0\n", "fullscreen = 1", 60, 0, true},
        {"effects_volume = loud\n", "", 60, 50, false},
    };
    for (const auto& c : cases) {
        // The start-up script's defaults.
        Console()->SetVariable("music_volume", "60");
        Console()->SetVariable("effects_volume", "50");
        Console()->RemoveVariable("fullscreen");
        std::filesystem::remove("settings.txt");
        if (*c.file) WriteFile("settings.txt", c.file);
        marbles::SetCommandLineSettings(CGameSettings::FromLines({c.commandLine}));
        const marbles::CGameOptions options = marbles::CGameOptions::ForRun("settings.txt");
        EXPECT_EQ(marbles::CGameOptions::ConsoleInt("music_volume", -1), c.music) << c.file << c.commandLine;
        EXPECT_EQ(marbles::CGameOptions::ConsoleInt("effects_volume", -1), c.effects) << c.file << c.commandLine;
        EXPECT_EQ(options.myFullscreen, c.fullscreen) << c.file << c.commandLine;
        // The window saves over what the file held, never over the command line's choice.
        EXPECT_EQ(options.mySavedSettings, CGameSettings::Parse(c.file)) << c.file;
        EXPECT_EQ(options.mySettingsFile, "settings.txt");
    }
}

TEST_F(GameSettings, TheInstalledGameKeepsThemInTheConfigurationFolderAndTheBuildBesideTheLevelList) {
    EXPECT_EQ(marbles::CGamePaths().GetSettingsFile(), "data/settings.txt");
    std::filesystem::create_directories("prefix/games");
    std::filesystem::create_directories("prefix/share/games/marbles");
    WriteFile("prefix/share/games/marbles/autoexec.txt", "");
    const std::string home = myDir.Path() + "/home";
    const struct {
        const char* configHome;
        std::string expected;
    } cases[] = {
        {"/config", "/config/marbles/settings.txt"},
        {nullptr, home + "/.config/marbles/settings.txt"},
        {"relative/config", home + "/.config/marbles/settings.txt"},  // only absolute paths count
    };
    testsupport::SetEnvironment("HOME", home.c_str());
    for (const auto& c : cases) {
        testsupport::SetEnvironment("XDG_CONFIG_HOME", c.configHome);
        const marbles::CGamePaths paths =
            marbles::CGamePaths::Detect(myDir.Path() + "/prefix/games/marbles", "../share/games/marbles");
        ASSERT_TRUE(paths.IsInstalled());
        EXPECT_EQ(paths.GetSettingsFile(), c.expected);
    }
    testsupport::SetEnvironment("XDG_CONFIG_HOME", nullptr);
}
