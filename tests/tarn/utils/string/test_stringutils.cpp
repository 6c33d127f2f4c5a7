// Known-answer tables for the string utilities.
#include <gtest/gtest.h>

#include "tarn/utils/string/stringutils.h"

using namespace tarn;
using Pieces = std::vector<std::string>;

TEST(Trim, RemovesSpacesAndTabsAtBothEndsOnly) {
    EXPECT_EQ(Trim("  \ta b\t "), "a b");
    EXPECT_EQ(Trim(" \t \t"), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\nx\n"), "\nx\n");
}

TEST(Split, DropsEmptyPieces) {
    EXPECT_EQ(Split("/", "/a//b/"), (Pieces{"a", "b"}));
    EXPECT_EQ(Split("::", "a::b::::c"), (Pieces{"a", "b", "c"}));
    EXPECT_EQ(Split(",", ""), Pieces{});
    EXPECT_EQ(Split(",", ",,,"), Pieces{});
    EXPECT_EQ(Split("", "abc"), Pieces{"abc"});
}

TEST(Split, MaxKeepsTheRestInTheLastPiece) {
    EXPECT_EQ(SplitMax("=", "a = b = c", 2), (Pieces{"a ", " b = c"}));
    EXPECT_EQ(SplitMax(",", "a,b,c", 1), Pieces{"a,b,c"});
    EXPECT_EQ(SplitMax(",", ",a,b", 2), (Pieces{"a,b"}));
}

TEST(Split, OutsideQuotesKeepsQuotedSeparators) {
    EXPECT_EQ(SplitOutsideQuotes(",", "a,\"b,c\",d"), (Pieces{"a", "\"b,c\"", "d"}));
    EXPECT_EQ(SplitOutsideQuotes(",", "\"a,b"), Pieces{"\"a,b"});
    EXPECT_EQ(SplitOutsideQuotesMax("=", "x = \"a=b\" = c", 2), (Pieces{"x ", " \"a=b\" = c"}));
}

TEST(FindOutsideQuotes, KnownAnswers) {
    const auto npos = std::string::npos;
    struct Case {
        const char* needle;
        const char* text;
        size_t start;
        size_t expected;
    } cases[] = {
        {",", "a,b", 0, 1},       {",", "\"a,b\",c", 0, 5},  {",", "\"a,b", 0, npos},
        {",", "x\"a\"\"b,\",y", 0, 8}, {"::", "\"::\"::", 0, 4}, {",", "a,b", 2, npos},
        {",", "a,b", 99, npos},   {"//", "\"//\"", 0, npos}, {";", "\"a\";\"b\";", 0, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindOutsideQuotes(c.needle, c.text, c.start), c.expected) << c.text;
    }
    EXPECT_EQ(FindFirstOfOutsideQuotes(":;", "\"a;b\"x:y", 0), 6u);
    EXPECT_EQ(FindFirstOfOutsideQuotes(":;", "\"a;b", 0), npos);
}

TEST(Replace, ResumesAtTheReplacement) {
    EXPECT_EQ(Replace("&amp;", "&", "&amp;amp;"), "&");
    EXPECT_EQ(Replace("a", "b", "aaa", 2), "bba");
    EXPECT_EQ(Replace("x", "y", "abc"), "abc");
    EXPECT_EQ(Replace("", "y", "abc"), "abc");
}

TEST(Replace, ReplacementHoldingTheNeedleStillEnds) {
    const std::string result = Replace("a", "aa", "a");
    EXPECT_GT(result.size(), 1u);
}

TEST(Case, ConvertsAscii) {
    EXPECT_EQ(UpperCase("quit()"), "QUIT()");
    EXPECT_EQ(LowerCase("StartTask"), "starttask");
}

TEST(NumberEncoding, KnownAnswers) {
    EXPECT_EQ(EncodeNumber(0), " ");
    EXPECT_EQ(EncodeNumber(93), "}");
    EXPECT_EQ(EncodeNumber(94), "~ ");
    EXPECT_EQ(EncodeNumber(200), std::string("~~") + static_cast<char>(44));
    EXPECT_EQ(DecodeNumbers(EncodeNumber(5)), (std::vector<int>{5, 0}));
    EXPECT_EQ(DecodeNumbers(EncodeNumbers({0, 94, 200, 7})), (std::vector<int>{0, 94, 200, 7, 0}));
    EXPECT_EQ(DecodeNumbers(""), std::vector<int>{0});
}
