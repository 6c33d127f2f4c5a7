// Tests of the installed layout: finding the data directory from the program's path and the
// XDG base directories and the Windows application-data folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/testsupport.h"
#include "tarn/io/installlayout.h"
#include "tarn/platform/platform.h"

namespace {

using testsupport::SetEnvironment;

TEST(InstallLayout, XdgBaseDirectoryTakesOnlyAnAbsoluteVariableElseHome) {
    struct Case {
        const char* value;  // null: unset
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/data", "/home/p", "/x/data"},
        {nullptr, "/home/p", "/home/p/.local/share"},
        {"", "/home/p/", "/home/p/.local/share"},
        {"relative/data", "/home/p", "/home/p/.local/share"},
        {nullptr, "", ""},
        {nullptr, "not/absolute", ""},
    };
    for (const Case& c : cases) {
        SetEnvironment("TARN_TEST_XDG", c.value);
        EXPECT_EQ(tarn::XdgBaseDirectory("TARN_TEST_XDG", ".local/share", c.home), c.expected)
            << (c.value ? c.value : "(unset)") << " " << c.home;
    }
    SetEnvironment("TARN_TEST_XDG", nullptr);
}

TEST(InstallLayout, DirectoryVariableIsTakenOnlyWhenAbsoluteAndWithSlashes) {
    const char* const cases[][2] = {
        {"C:\\Users\\p\\AppData\\Roaming", "C:/Users/p/AppData/Roaming"},
        {"/home/p/data", "/home/p/data"},
        {"AppData\\Roaming", ""},
        {"", ""},
        {nullptr, ""},
    };
    for (const auto& c : cases) {
        SetEnvironment("TARN_TEST_APPDATA", c[0]);
        EXPECT_EQ(tarn::AbsoluteDirectoryVariable("TARN_TEST_APPDATA"), c[1]) << (c[0] ? c[0] : "(unset)");
    }
    SetEnvironment("TARN_TEST_APPDATA", nullptr);
}

TEST(InstallLayout, DataDirectoryIsFoundOnlyWhereTheMarkerLies) {
    testsupport::CTempDir dir;
    const std::string root = tarn::platform::GetWorkingDirectory();
    ASSERT_TRUE(tarn::MakeDirectories(root + "/usr/games"));
    ASSERT_TRUE(tarn::MakeDirectories(root + "/usr/share/games/marbles"));
    ASSERT_TRUE(tarn::MakeDirectories(root + "/build"));
    testsupport::WriteFile("usr/share/games/marbles/autoexec.txt", "");
    const std::string relative = "../share/games/marbles";
    EXPECT_EQ(tarn::FindInstalledDataDirectory(root + "/usr/games/marbles", relative, "autoexec.txt"),
              root + "/usr/share/games/marbles");
    EXPECT_EQ(tarn::FindInstalledDataDirectory(root + "/build/marbles", relative, "autoexec.txt"), "");
    EXPECT_EQ(tarn::FindInstalledDataDirectory(root + "/usr/games/marbles", relative, "missing.txt"), "");
    EXPECT_EQ(tarn::FindInstalledDataDirectory(root + "/usr/games/marbles", "", "autoexec.txt"), "");
    EXPECT_EQ(tarn::FindInstalledDataDirectory("marbles", relative, "autoexec.txt"), "");
}

TEST(InstallLayout, ProgramPathAndWorkingDirectoryComeFromTheSystem) {
    const std::string program = tarn::platform::GetExecutablePath();
    EXPECT_TRUE(std::filesystem::is_regular_file(program)) << program;
    // The test program this file is compiled into.
    EXPECT_NE(program.find("tests_tarn_io"), std::string::npos) << program;
    testsupport::CTempDir dir;
    const std::string here = tarn::platform::GetWorkingDirectory();
    ASSERT_TRUE(tarn::MakeDirectories("a/b/c"));
    EXPECT_TRUE(tarn::platform::SetWorkingDirectory("a/b"));
    EXPECT_EQ(tarn::platform::GetWorkingDirectory(), here + "/a/b");
    EXPECT_FALSE(tarn::platform::SetWorkingDirectory("missing"));
    EXPECT_FALSE(tarn::platform::SetWorkingDirectory(""));
    EXPECT_EQ(tarn::platform::GetWorkingDirectory(), here + "/a/b");
    EXPECT_TRUE(tarn::platform::SetWorkingDirectory(here));
}

}  // namespace
