// Known-answer tables for the path functions, and the path and file-name values built on them.
#include <gtest/gtest.h>

#include <string>

#include "tarn/io/cfilename.h"
#include "tarn/io/cpath.h"
#include "tarn/io/pathutils.h"

using namespace tarn;

namespace {

struct Pair {
    const char* input;
    const char* expected;
};

// Sets the program-wide working directory for one test and restores it afterwards.
class CWorkingDirectoryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        myPrevious = GetPathWorkingDirectory();
        SetPathWorkingDirectory("/work/game");
    }
    void TearDown() override { SetPathWorkingDirectory(myPrevious); }

private:
    std::string myPrevious;
};

using PathValue = CWorkingDirectoryFixture;
using FileNameValue = CWorkingDirectoryFixture;

}  // namespace

TEST(PathFunctions, IsAbsolute) {
    const struct {
        const char* path;
        bool absolute;
    } cases[] = {
        {"/x", true},   {"A:/x", true},  {"z:/x", true},  {"Z:", true},    {"a:", true},
        {"  /x", true}, {"\t/", true},   {"x", false},    {"", false},     {"  ", false},
        {"1:/x", false}, {":x", false},  {"\\x", false},  {"ab:", false},  {"@:", false},
        {"[:", false},  {"`:", false},   {"{:", false},   {"./x", false},  {"../x", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << "'" << c.path << "'";
}

TEST(PathFunctions, Normalize) {
    const Pair cases[] = {
        {"", "/"},
        {"/", "/"},
        {"//", "/"},
        {".", "/"},
        {"..", "/.."},
        {"../..", "/../.."},
        {"../../..", "/../../.."},
        {"a/./b//c/../d", "/a/b/d"},
        {"D:/x/../y", "D:/y"},
        {"/C:/x", "C:/x"},
        {"x/C:", "/x/C:"},
        {"C:", "C:"},
        {"../x", "/x"},
        {"x/../../y", "/y"},
        {"/a/b/../../..", "/.."},
        {"a/b/..", "/a"},
        {" a / b ", "/a/b"},
        {"a b/c", "/a b/c"},
        {"a/b/", "/a/b"},
        {"a\\b", "/a\\b"},
    };
    for (const Pair& c : cases) EXPECT_EQ(NormalizePath(c.input), c.expected) << "'" << c.input << "'";
}

TEST(PathFunctions, MakeAbsoluteAndSlashes) {
    EXPECT_EQ(ToSlashes("a\\b\\c/d"), "a/b/c/d");
    EXPECT_EQ(MakeAbsolutePath("x/y", "/base"), "/base/x/y");
    EXPECT_EQ(MakeAbsolutePath("..\\x", "/base/dir"), "/base/x");
    EXPECT_EQ(MakeAbsolutePath("/abs/./z", "/base"), "/abs/z");
    EXPECT_EQ(MakeAbsolutePath("C:\\w\\..\\v", "/base"), "C:/v");
    EXPECT_EQ(MakeAbsolutePath("", "/base"), "/base");
    EXPECT_EQ(MakeAbsolutePath("data", "D:/game"), "D:/game/data");
    EXPECT_EQ(MakeAbsolutePath("../../..", "/a"), "/../..");
}

TEST(PathFunctions, FirstComponent) {
    const Pair cases[] = {{"a/b", "a"}, {"/a", ""}, {"abc", "abc"}, {"", ""}, {"C:/x", "C:"}};
    for (const Pair& c : cases) EXPECT_EQ(FirstPathComponent(c.input), c.expected) << c.input;
}

TEST(PathFunctions, RelativePath) {
    const struct {
        const char* target;
        const char* from;
        const char* expected;
    } cases[] = {
        {"/a/b/c", "/a/d", "../b/c"},
        {"/a/b", "/a/b", "."},
        {"/", "/", "."},
        {"/a/b", "/", "a/b"},
        {"/a/b/c", "/a", "b/c"},
        {"/ab", "/a", "../ab"},
        {"/a", "/a/b/c", "../../"},
        {"/x", "/a/b", "../../x"},
        {"D:/x", "C:/y", "../../D:/x"},
        {"D:/x/y", "D:/x", "y"},
    };
    for (const auto& c : cases) EXPECT_EQ(RelativePath(c.target, c.from), c.expected) << c.target << " from " << c.from;
}

TEST(PathFunctions, LongPathsStayLinear) {
    std::string deep;
    for (int i = 0; i < 50000; ++i) deep += "/d";
    EXPECT_EQ(NormalizePath(deep + "/.."), deep.substr(0, deep.size() - 2));
    EXPECT_EQ(RelativePath(deep + "/x", deep), "x");
    std::string ups;
    for (int i = 0; i < 50000; ++i) ups += "../";
    EXPECT_EQ(NormalizePath(ups + "x"), "/x");
    EXPECT_EQ(NormalizePath(ups).size(), 3u * 50000);
}

TEST_F(PathValue, ResolvesAgainstTheWorkingDirectoryOfConstruction) {
    const CPath path("data/gfx/../x.png");
    EXPECT_EQ(path.GetAbsolute(), "/work/game/data/x.png");
    EXPECT_EQ(path.GetRelative(), "data/x.png");
    EXPECT_EQ(CPath().GetAbsolute(), "/work/game");
    EXPECT_EQ(CPath().GetRelative(), ".");
    EXPECT_EQ(CPath(static_cast<const char*>(nullptr)).GetAbsolute(), "/work/game");
    EXPECT_EQ(CPath("..").GetRelative(), "../");  // a way up keeps its last separator
    EXPECT_EQ(CPath("data\\gfx\\a.png").GetRelative(), "data/gfx/a.png");
    EXPECT_EQ(CPath("/etc/x").GetRelative(), "../../etc/x");
    // A later change of the working directory does not move an existing path.
    SetPathWorkingDirectory("/elsewhere");
    EXPECT_EQ(path.GetAbsolute(), "/work/game/data/x.png");
    EXPECT_EQ(path.GetRelative(), "data/x.png");
    EXPECT_EQ(path.GetRelativeTo(CPath("sub")), "../../work/game/data/x.png");
}

TEST_F(PathValue, ComparesAbsoluteForms) {
    EXPECT_TRUE(CPath("data/../data/x") == CPath("/work/game/data/x"));
    EXPECT_TRUE(CPath("data/x") != CPath("data/y"));
    EXPECT_TRUE(std::string("./data/x") == CPath("data/x"));
    EXPECT_TRUE(std::string("data/y") != CPath("data/x"));
    EXPECT_TRUE(CPath("data/x") == "data//x/.");
}

TEST_F(PathValue, AppendsTheOtherText) {
    CPath path("data");
    EXPECT_EQ((path + CPath("gfx/a.png")).GetAbsolute(), "/work/game/data/gfx/a.png");
    EXPECT_EQ(path.GetAbsolute(), "/work/game/data");
    path += CPath("../levels");
    EXPECT_EQ(path.GetAbsolute(), "/work/game/levels");
    // The other path's text is appended even when it is absolute.
    EXPECT_EQ((CPath("data") + CPath("/x")).GetAbsolute(), "/work/game/data/x");
    EXPECT_EQ((std::string("data") + CPath("a.xml")).GetAbsolute(), "/work/game/data/a.xml");
    EXPECT_EQ(CPath("data/gfx").GetRelativeTo(CPath("data/levels")), "../gfx");
}

TEST_F(FileNameValue, FileNameAndExtension) {
    const struct {
        const char* path;
        const char* name;
        const char* extension;
    } cases[] = {
        {"data/gfx/a.png", "a.png", "png"},
        {"a.png", "a.png", "png"},
        {"archive.tar.gz", "archive.tar.gz", "gz"},
        {"data.d/file", "file", ""},
        {"../x.txt", "x.txt", "txt"},
        {"noext", "noext", ""},
        {"data/", "", ""},
        {"data\\", "", ""},
        {"", "", ""},
        {".", "", ""},
        {"..", "", ""},
        {"/work/game/level.xml", "level.xml", "xml"},
        {"name.", "name.", ""},
    };
    for (const auto& c : cases) {
        const CFileName file(c.path);
        EXPECT_EQ(file.GetFileName(), c.name) << "'" << c.path << "'";
        EXPECT_EQ(file.GetExtension(), c.extension) << "'" << c.path << "'";
    }
}
