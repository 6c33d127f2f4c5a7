// Solution files: clicks written and read back, comments and blanks skipped, anything else
// refused whole.
#include <gtest/gtest.h>

#include "marbles/level/csolutionfile.h"
#include "support/testsupport.h"

using namespace marbles;

TEST(SolutionFile, WritesAndReadsClicksAndRefusesWhatIsNoClick) {
    testsupport::CTempDir dir;
    CSolutionFile written;
    written.GetClicks() = {{41, 12}, {41, 13}, {41, 14}, {90, -7}};
    ASSERT_TRUE(written.Save("a.solution", {"made by hand"}));
    CSolutionFile read;
    ASSERT_TRUE(read.Load("a.solution"));
    EXPECT_EQ(read.GetClicks(), written.GetClicks());

    struct Case {
        const char* what;
        const char* text;
        std::size_t clicks;  // 0 with ok false: refused
        bool ok;
    };
    const Case cases[] = {
        {"comments and blanks", "# a\n\n  # b\nclick 3 4\n\nclick 3 5\n", 2, true},
        {"empty", "", 0, true},
        {"unknown word", "clack 3 4\n", 0, false},
        {"missing marble", "click 3\n", 0, false},
        {"trailing text", "click 3 4 5\n", 0, false},
        {"negative step", "click -1 4\n", 0, false},
        {"steps going back", "click 9 1\nclick 8 2\n", 0, false},
        {"initId too large", "click 1 99999999999\n", 0, false},
    };
    for (const Case& c : cases) {
        testsupport::WriteFile("b.solution", c.text);
        CSolutionFile file;
        file.GetClicks() = {{1, 1}};
        EXPECT_EQ(file.Load("b.solution"), c.ok) << c.what;
        EXPECT_EQ(file.GetClicks().size(), c.clicks) << c.what;
    }
    CSolutionFile missing;
    EXPECT_FALSE(missing.Load("none.solution"));
#if !defined(_WIN32)
    EXPECT_FALSE(missing.Load("/dev/zero"));  // one line without end: refused before reading
#endif
}
