// End-to-end: the game installed into a scratch root (cmake --install with DESTDIR) starts
// headless from its installed place, reads its read-only data there and keeps the player's
// files under the XDG directories only.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <random>

#include "support/testsupport.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

namespace fs = std::filesystem;

// Installs the build into root/usr; true when cmake --install succeeded.
bool InstallInto(const std::string& root) {
    const std::string command = "DESTDIR=" + root + " cmake --install " + MARBLES_BUILD_DIR +
                                " --prefix /usr > install.txt 2>&1";
    return std::system(command.c_str()) == 0;
}

// The "Level" element of the list text that names fileName, or "".
std::string LevelElement(const std::string& list, const std::string& fileName) {
    const std::string::size_type at = list.find("\"" + fileName + "\"");
    if (at == std::string::npos) return std::string();
    const std::string::size_type begin = list.rfind('<', at);
    return list.substr(begin, list.find('>', at) - begin + 1);
}

// Starts the installed game at level 1 from the directory "elsewhere", waits until the log
// shows the level loaded, and ends it with a terminate signal. Returns the exit code.
int PlayInstalled(const std::string& root) {
    const std::string script =
        "cd elsewhere && HOME=" + root + "/home XDG_DATA_HOME= XDG_STATE_HOME=" + root +
        "/state SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + root +
        "/usr/games/marbles --level 1 --no-sound > ../stdout.txt 2> ../stderr.txt & game=$!\n"
        "n=0; until grep -q 'Loading level' " + root + "/state/marbles/log.txt 2>/dev/null; do\n"
        "  n=$((n + 1)); [ $n -gt 600 ] && break; sleep 0.1; done\n"
        "kill -TERM $game; wait $game\n";
    WriteFile("play.sh", script);
    const int status = std::system("timeout 120 sh play.sh");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Install, InstalledGameReadsItsDataAndWritesOnlyThePlayersFiles) {
    testsupport::CTempDir dir;
    const std::string root = dir.Path() + "/root";
    ASSERT_TRUE(InstallInto(root)) << ReadFile("install.txt");
    for (const char* file : {"usr/games/marbles", "usr/share/games/marbles/autoexec.txt",
                             "usr/share/games/marbles/data/level_list.xml",
                             "usr/share/applications/org.tarn.Marbles.desktop",
                             "usr/share/metainfo/org.tarn.Marbles.metainfo.xml", "usr/share/man/man6/marbles.6.gz",
                             "usr/share/icons/hicolor/48x48/apps/marbles.png",
                             "usr/share/icons/hicolor/128x128/apps/marbles.png",
                             "usr/share/icons/hicolor/scalable/apps/marbles.svg"})
        EXPECT_TRUE(fs::is_regular_file(root + "/" + file)) << file;

    // A player of an older version: level 1 won, and the list lacks the last level.
    const std::string shippedList = ReadFile(root + "/usr/share/games/marbles/data/level_list.xml");
    fs::create_directories(root + "/home/.local/share/marbles");
    fs::create_directories("elsewhere");
    WriteFile(root + "/home/.local/share/marbles/level_list.xml",
              "<LevelList><Level position=\"1\" filename=\"data/levels/chapter1_level01.xml\" completed=\"1\"/>"
              "</LevelList>");
    const auto before = fs::last_write_time(root + "/usr/share/games/marbles/data");

    EXPECT_EQ(PlayInstalled(root), 0) << ReadFile("stderr.txt");
    const std::string log = ReadFile(root + "/state/marbles/log.txt");
    EXPECT_NE(log.find("Loading level: data/levels/chapter1_level01.xml"), std::string::npos) << log;
    const std::string list = ReadFile(root + "/home/.local/share/marbles/level_list.xml");
    EXPECT_NE(LevelElement(list, "data/levels/chapter1_level01.xml").find("completed=\"1\""), std::string::npos) << list;
    EXPECT_NE(LevelElement(list, "data/levels/chapter1_level08.xml").find("completed=\"0\""), std::string::npos) << list;

    // Nothing was written beside the data or in the directory the game was started from.
    EXPECT_EQ(ReadFile(root + "/usr/share/games/marbles/data/level_list.xml"), shippedList);
    EXPECT_EQ(fs::last_write_time(root + "/usr/share/games/marbles/data"), before);
    EXPECT_FALSE(fs::exists(root + "/usr/share/games/marbles/log.txt"));
    EXPECT_TRUE(fs::is_empty("elsewhere"));
}

// The start-up merge never writes a damaged player's list over with loss: levels 1 to 6 won,
// 300 random bytes after the fourth. The list stays as it was, or every win is still there.
TEST(Install, ADamagedPlayersListKeepsEveryWonLevel) {
    testsupport::CTempDir dir;
    const std::string root = dir.Path() + "/root";
    ASSERT_TRUE(InstallInto(root)) << ReadFile("install.txt");
    std::mt19937 random(6);
    std::string junk = "<";
    while (junk.size() < 300) junk += static_cast<char>(random());
    std::string list = "<LevelList>\n";
    for (int i = 1; i <= 6; ++i) {
        list += "<Level position=\"" + std::to_string(i) + "\" filename=\"data/levels/chapter1_level0" + std::to_string(i) +
                ".xml\" completed=\"1\"/>\n";
        if (i == 4) list += junk;
    }
    list += "</LevelList>\n";
    const std::string player = root + "/home/.local/share/marbles/level_list.xml";
    fs::create_directories(root + "/home/.local/share/marbles");
    fs::create_directories("elsewhere");
    WriteFile(player, list);
    EXPECT_EQ(PlayInstalled(root), 0) << ReadFile("stderr.txt");
    const std::string now = ReadFile(player);
    if (now == list) return;
    for (int i = 1; i <= 6; ++i) {
        const std::string name = "data/levels/chapter1_level0" + std::to_string(i) + ".xml";
        EXPECT_NE(LevelElement(now, name).find("completed=\"1\""), std::string::npos) << name << "\n" << now;
    }
    EXPECT_EQ(ReadFile(player + ".bad"), list);
}

}  // namespace

namespace {

TEST(Install, DesktopEntryAndMetainfoPassTheirValidators) {
    const std::string packaging = std::string(MARBLES_SOURCE_DIR) + "/packaging/";
    struct Check {
        const char* tool;
        std::string command;
    };
    const Check checks[] = {
        {"desktop-file-validate", "desktop-file-validate " + packaging + "org.tarn.Marbles.desktop"},
        {"appstreamcli", "appstreamcli validate --no-net " + packaging + "org.tarn.Marbles.metainfo.xml"},
    };
    for (const Check& check : checks) {
        if (!testsupport::HasProgram(check.tool)) {
            ADD_FAILURE() << check.tool << " is missing (scripts/deps.sh installs it)";
            continue;
        }
        const std::string output = ::testing::TempDir() + "/validate.txt";
        EXPECT_EQ(std::system((check.command + " > " + output + " 2>&1").c_str()), 0) << ReadFile(output);
    }
}

}  // namespace
