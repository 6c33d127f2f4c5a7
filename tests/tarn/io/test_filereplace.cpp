// Tests of replacing a file's content: through a fresh temporary file that nothing planted can
// redirect, and never leaving a temporary file or a changed target behind a failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/testsupport.h"
#include "tarn/io/filereplace.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WriteFile;

// The names in the working directory that start with prefix.
int CountStartingWith(const std::string& prefix) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("."))
        count += entry.path().filename().string().rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

TEST(FileReplace, PlantedNamesAreNeverFollowedAndTheTargetIsReplacedWhole) {
    testsupport::CTempDir dir;
    WriteFile("outside", "outside");
    WriteFile("list.xml", "old");
    // The old fixed temporary name, as a link and as a file; the target itself as a link
    // (links need privileges on Windows: planted files stand in for them there).
#ifdef _WIN32
    WriteFile("list.xml.tmp", "planted");
    WriteFile("link.xml", "planted");
#else
    fs::create_symlink("outside", "list.xml.tmp");
    fs::create_symlink("outside", "link.xml");
#endif
    WriteFile("other.xml.tmp", "planted");
    for (const char* target : {"list.xml", "link.xml", "other.xml", "new.xml"}) {
        std::string reason = "untouched";
        EXPECT_TRUE(tarn::ReplaceFileContent(target, std::string("new\0content", 11), &reason)) << target << reason;
        EXPECT_EQ(reason, "untouched") << target;
        EXPECT_EQ(ReadFile(target), std::string("new\0content", 11)) << target;
        EXPECT_FALSE(fs::is_symlink(target)) << target;
    }
    EXPECT_EQ(ReadFile("outside"), "outside");
    EXPECT_TRUE(fs::exists(fs::symlink_status("list.xml.tmp")));
    EXPECT_EQ(ReadFile("other.xml.tmp"), "planted");
    EXPECT_EQ(CountStartingWith("list.xml.tmp."), 0);
    const std::string name = tarn::TemporaryNameBeside("dir/list.xml");
    EXPECT_EQ(name.size(), std::string("dir/list.xml.tmp.").size() + 16);
    EXPECT_EQ(name.rfind("dir/list.xml.tmp.", 0), 0u);
    EXPECT_NE(name, tarn::TemporaryNameBeside("dir/list.xml"));
}

TEST(FileReplace, AFailedReplaceLeavesTheTargetAndNoTemporaryFile) {
    testsupport::CTempDir dir;
    fs::create_directories("folder.xml/inside");
    WriteFile("plain", "x");
    // Windows words the reasons differently: there only the step is checked.
    const std::pair<const char*, std::string> cases[] = {
        {"missing/list.xml", "open: No such file or directory"},
        {"plain/list.xml", "open: Not a directory"},
        {"folder.xml", "rename: Is a directory"},
    };
    for (const auto& [target, expected] : cases) {
        std::string reason;
        EXPECT_FALSE(tarn::ReplaceFileContent(target, "content", &reason)) << target;
#ifdef _WIN32
        EXPECT_EQ(reason.substr(0, expected.find(':')), expected.substr(0, expected.find(':'))) << target;
#else
        EXPECT_EQ(reason, expected) << target;
#endif
    }
    EXPECT_TRUE(fs::is_directory("folder.xml/inside"));
    EXPECT_EQ(CountStartingWith("folder.xml.tmp."), 0);
}

}  // namespace
