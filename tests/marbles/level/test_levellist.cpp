// The level list with the player's progress: reading by position, walking to the next level,
// and writing the progress back byte for byte; bad files never crash and are never clobbered,
// and a damaged list is kept aside and written again only when nothing of it is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "marbles/level/clevellist.h"
#include "tarn/utils/logger/clogger.h"
#include "support/testsupport.h"

using namespace marbles;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

class LevelListTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ResetEngine(); }
    void TearDown() override { testsupport::ResetEngine(); }
    // The list read from text: file names by position ("-" for an empty one, "*" after a
    // completed one).
    std::string Listing(const std::string& text) {
        WriteFile("list.xml", text);
        CLevelList list;
        if (!list.Load("list.xml")) return "unreadable";
        return Describe(list);
    }
    static std::string Describe(const CLevelList& list) {
        std::string out;
        for (unsigned i = 0; i < list.GetEntryCount(); ++i) {
            const CLevelList::CEntry& entry = list.GetEntry(i);
            out += entry.myFileName.empty() ? "-" : entry.myFileName;
            out += entry.myCompleted ? "* " : " ";
        }
        return out;
    }

    testsupport::CTempDir myDir;
};

const char* const THREE_LEVELS =
    "<LevelList>\n"
    "  <Level position=\"1\" filename=\"a.xml\" />\n"
    "  <Level position=\"2\" filename=\"b.xml\" completed=\"1\" />\n"
    "  <Level position=\"3\" filename=\"c.xml\" completed=\"0\" />\n"
    "</LevelList>\n";

}  // namespace

TEST_F(LevelListTest, ReadsEntriesByPosition) {
    struct Case {
        const char* what;
        const char* levels;
        const char* expected;
    };
    const Case cases[] = {
        {"in order", "<Level position='1' filename='a'/><Level position='2' filename='b' completed='1'/>", "- a b* "},
        {"gaps are closed up", "<Level position='3' filename='c'/><Level position='7' filename='g'/>", "- c g "},
        {"entries out of order are all kept",
         "<Level position='1' filename='a'/><Level position='3' filename='c'/><Level position='2' filename='b'/>",
         "- a b c "},
        {"a repeated position keeps both in file order",
         "<Level position='2' filename='b'/><Level position='1' filename='a' completed='1'/>"
         "<Level position='1' filename='z'/>",
         "- a* z b "},
        {"position 0, negative, 1000 and 9999 are ignored",
         "<Level position='0' filename='x'/><Level position='-2' filename='y'/><Level position='1000' filename='z'/>"
         "<Level position='9999' filename='w'/><Level position='1' filename='a'/><Level position='999' filename='l'/>",
         "- a l "},
        {"empty file names are holes, not levels",
         "<Level position='1' filename=''/><Level position='2' filename='b'/>", "- b "},
        {"a missing or unreadable position or file name is ignored",
         "<Level filename='x'/><Level position='1'/><Level position='one' filename='y'/><Level position='1' "
         "filename='a'/>",
         "- a "},
        {"other elements are ignored", "<Other position='1' filename='x'/><Level position='1' filename='a'/>", "- a "},
        {"completed is read as a number", "<Level position='1' filename='a' completed='true'/>", "- a "},
        {"no levels", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Listing(std::string("<LevelList>") + c.levels + "</LevelList>"), c.expected) << c.what;
}

// Holes and absurd positions never grow the list, and what is written back holds only the
// levels of the file, renumbered; a level that could not be placed keeps the file as it was.
TEST_F(LevelListTest, ListsAreNeverWrittenWithHolesOrInventedEntries) {
    const std::string hole = "<Level completed=\"0\" filename=\"\" position=\"";
    struct Case {
        const char* what;
        std::string text;
        unsigned entries;
        bool written;
    };
    const Case cases[] = {
        {"holes written by older builds",
         "<LevelList>" + hole + "1\"/><Level position=\"3\" filename=\"c\"/>" + hole + "4\"/></LevelList>", 2, true},
        {"a position of 9999",
         "<LevelList><Level position=\"1\" filename=\"a\"/><Level position=\"9999\" "
         "filename=\"w\" completed=\"1\"/></LevelList>",
         2, false},
        {"no position", "<LevelList><Level position=\"1\" filename=\"a\"/><Level filename=\"w\"/></LevelList>", 2,
         false},
    };
    for (const Case& c : cases) {
        WriteFile("level_list.xml", c.text);
        CLevelList list;
        ASSERT_TRUE(list.Load("level_list.xml")) << c.what;
        EXPECT_EQ(list.GetEntryCount(), c.entries) << c.what;
        EXPECT_EQ(list.Save("level_list.xml"), c.written) << c.what;
        const std::string now = ReadFile("level_list.xml");
        if (!c.written) {
            EXPECT_EQ(now, c.text) << c.what;
        }
        // Entry 0, the place before the first level, is the only one without a file name.
        EXPECT_EQ(now.find("filename=\"\" position=\"1\""), std::string::npos) << c.what << now;
        EXPECT_EQ(now.find("position=\"" + std::to_string(c.entries) + "\""), std::string::npos) << c.what << now;
    }
}

// A link planted where the temporary file of a save would go is never followed: the list
// still replaces the player's file, and the file the link names stays as it was.
TEST_F(LevelListTest, APlantedTemporaryLinkIsNeverFollowed) {
#ifdef _WIN32
    GTEST_SKIP() << "planting a link needs privileges on Windows";
#endif
    WriteFile("list.xml", THREE_LEVELS);
    WriteFile("elsewhere.txt", "not the game's");
    std::filesystem::create_symlink("elsewhere.txt", "list.xml.tmp");
    CLevelList list;
    ASSERT_TRUE(list.Load("list.xml"));
    list.GetNextLevel();
    list.GetNextLevel();
    ASSERT_TRUE(list.Save("list.xml"));
    EXPECT_EQ(ReadFile("elsewhere.txt"), "not the game's");
    EXPECT_FALSE(std::filesystem::is_symlink("list.xml"));
    EXPECT_NE(ReadFile("list.xml").find("completed=\"1\" filename=\"a.xml\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_symlink("list.xml.tmp"));
}

TEST_F(LevelListTest, NextLevelMarksTheLeftEntryAndStopsAtTheEnd) {
    WriteFile("list.xml", THREE_LEVELS);
    CLevelList list;
    ASSERT_TRUE(list.Load("list.xml"));
    EXPECT_EQ(list.GetPosition(), 0);
    EXPECT_EQ(list.GetNextLevel(), "a.xml");
    EXPECT_EQ(list.GetNextLevel(), "b.xml");
    EXPECT_EQ(Describe(list), "-* a.xml* b.xml* c.xml ");
    EXPECT_EQ(list.GetNextLevel(), "c.xml");
    EXPECT_EQ(list.GetNextLevel(), "");
    EXPECT_EQ(list.GetNextLevel(), "");
    EXPECT_EQ(list.GetPosition(), 4);
    EXPECT_EQ(Describe(list), "-* a.xml* b.xml* c.xml* ");
}

TEST_F(LevelListTest, ProgressIsWrittenBackByteExactAndReadAgain) {
    WriteFile("level_list.xml", THREE_LEVELS);
    CLevelList list;
    ASSERT_TRUE(list.Load("level_list.xml"));
    // Through the help screen and the level-complete pictures of levels 1 and 2.
    list.GetNextLevel();
    list.GetNextLevel();
    list.GetNextLevel();
    ASSERT_TRUE(list.Save("level_list.xml"));
    const std::string expected =
        "<LevelList>\n"
        "  <Level completed=\"1\" filename=\"\" position=\"0\" >\n"
        "  </Level>\n"
        "  <Level completed=\"1\" filename=\"a.xml\" position=\"1\" >\n"
        "  </Level>\n"
        "  <Level completed=\"1\" filename=\"b.xml\" position=\"2\" >\n"
        "  </Level>\n"
        "  <Level completed=\"0\" filename=\"c.xml\" position=\"3\" >\n"
        "  </Level>\n"
        "</LevelList>\n";
    EXPECT_EQ(ReadFile("level_list.xml"), expected);
    EXPECT_EQ(ReadFile("level_list.xml.tmp"), "");

    CLevelList again;
    ASSERT_TRUE(again.Load("level_list.xml"));
    // Entry 0 never comes from the file, and every run starts before the first level.
    EXPECT_EQ(Describe(again), "- a.xml* b.xml* c.xml ");
    EXPECT_EQ(again.GetPosition(), 0);
    ASSERT_TRUE(again.Save("copy.xml"));
    CLevelList third;
    ASSERT_TRUE(third.Load("copy.xml"));
    ASSERT_TRUE(third.Save("copy2.xml"));
    EXPECT_EQ(ReadFile("copy.xml"), ReadFile("copy2.xml"));
}

TEST_F(LevelListTest, BadFilesLeaveTheListEmptyAndAreNeverOverwritten) {
    const char* const bad[] = {
        "",
        "   \n\n",
        "not xml at all",
        "<LevelList><Level position=\"1\" filename=\"a.xml",
        "<Other><Level position='1' filename='a'/></Other>",
        "\x01\x02\xff\xfe<<<>>>&&&",
    };
    for (const char* text : bad) {
        WriteFile("level_list.xml", text);
        CLevelList list;
        EXPECT_FALSE(list.Load("level_list.xml") && list.GetEntryCount() > 0) << text;
        EXPECT_EQ(list.GetNextLevel(), "") << text;
        if (list.GetEntryCount() == 0) {
            EXPECT_FALSE(list.Save("level_list.xml"));
            EXPECT_EQ(ReadFile("level_list.xml"), text);
        }
    }
    CLevelList missing;
    EXPECT_FALSE(missing.Load("no_such_file.xml"));
    EXPECT_EQ(missing.GetEntryCount(), 0u);
    EXPECT_FALSE(missing.Save("no_such_file.xml"));
    EXPECT_EQ(ReadFile("no_such_file.xml"), "");
}

TEST_F(LevelListTest, LoadingAgainStartsOver) {
    WriteFile("list.xml", THREE_LEVELS);
    CLevelList list;
    ASSERT_TRUE(list.Load("list.xml"));
    list.GetNextLevel();
    EXPECT_FALSE(list.Load("missing.xml"));
    EXPECT_EQ(list.GetEntryCount(), 0u);
    EXPECT_EQ(list.GetPosition(), 0);
    ASSERT_TRUE(list.Load("list.xml"));
    EXPECT_FALSE(list.Save("no_such_dir/list.xml"));
    // A list that cannot take the old file's place leaves it as it was.
    testsupport::WriteFile("taken.xml.tmp", "");
    ASSERT_TRUE(std::filesystem::create_directory("taken.xml"));
    ASSERT_TRUE(std::filesystem::create_directory("taken.xml/inside"));
    EXPECT_FALSE(list.Save("taken.xml"));
    EXPECT_EQ(ReadFile("taken.xml.tmp"), "");
}

TEST_F(LevelListTest, FailedSavesAreLoggedWithTheReason) {
    WriteFile("list.xml", THREE_LEVELS);
    CLevelList list;
    ASSERT_TRUE(list.Load("list.xml"));
    WriteFile("plain", "x");
    ASSERT_TRUE(std::filesystem::create_directories("taken.xml/inside"));
    // Windows words both differently (a missing path, a denied rename): there only the step is checked.
#ifdef _WIN32
    const std::pair<const char*, const char*> cases[] = {{"plain/list.xml", "(open: "}, {"taken.xml", "(rename: "}};
#else
    const std::pair<const char*, const char*> cases[] = {
        {"plain/list.xml", "(open: Not a directory)"},
        {"taken.xml", "(rename: Is a directory)"},
    };
#endif
    struct CLogText : tarn::ILogListener {
        void Write(const std::string& line, int) override { text += line; }
        std::string text;
    } log;
    tarn::CLogger::GetSingleton()->AddListener(&log);
    for (const auto& [file, reason] : cases) {
        EXPECT_FALSE(list.Save(file));
        EXPECT_NE(log.text.find(std::string("Could not write the level list: ") + file + " " + reason),
                  std::string::npos)
            << log.text;
    }
    tarn::CLogger::GetSingleton()->RemoveListener(&log);
    EXPECT_EQ(ReadFile("list.xml"), THREE_LEVELS);
}

namespace {

std::string EightLevels(const std::string& afterFourth, bool closed = true) {
    std::string text = "<LevelList>\n";
    for (int i = 1; i <= 8; ++i) {
        text += "  <Level position=\"" + std::to_string(i) + "\" filename=\"level" + std::to_string(i) +
                ".xml\" completed=\"" + (i <= 2 ? "1" : "0") + "\" />\n";
        if (i == 4) text += afterFourth;
    }
    return closed ? text + "</LevelList>\n" : text;
}

// Whether text lists all eight levels.
bool HasAllEight(const std::string& text) {
    for (int i = 1; i <= 8; ++i)
        if (text.find("filename=\"level" + std::to_string(i) + ".xml\"") == std::string::npos) return false;
    return true;
}

}  // namespace

TEST_F(LevelListTest, ADamagedListNeverOverwritesThePlayersFileWithLoss) {
    struct Case {
        const char* what;
        std::string text;
        bool rewritten;  // nothing was lost: the file is kept as ".bad" and written again
        const char* logged;
    };
    const Case cases[] = {
        {"an element opened by junk swallows the later levels", EightLevels("<junk>\n"), false,
         "The level list is damaged: level_list.xml, line 11: the end tag \"LevelList\" does not close \"junk\"; "
         "read 4 of 8 levels\n"},
        {"an unclosed comment hides the later levels", EightLevels("<!-- \n"), false, "read 4 of 8 levels"},
        {"cut inside the fifth level", EightLevels("").substr(0, 300), false, "read 4 of 5 levels"},
        {"only the closing tag is missing", EightLevels("", false), true,
         "line 9: the document ends inside the element \"LevelList\"; read 8 of 8 levels\n"},
        {"a stray end tag closes the list early", EightLevels("</Level>\n"), false, "read 4 of 8 levels"},
        {"junk after the list", EightLevels("") + "\x01junk", true,
         "line 11: text outside the top-level element; read 8 of 8 levels\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove("level_list.xml.bad");
        tarn::CLogger::DeleteSingleton();  // a new log for each case
        WriteFile("level_list.xml", c.text);
        CLevelList list;
        ASSERT_TRUE(list.Load("level_list.xml")) << c.what;
        EXPECT_TRUE(list.IsDamaged()) << c.what;
        EXPECT_EQ(list.IsRecoverable(), c.rewritten) << c.what;
        tarn::CLogger::DeleteSingleton();  // flushes the log
        EXPECT_NE(testsupport::LogBody().find(c.logged), std::string::npos) << c.what << "\n" << testsupport::LogBody();
        list.GetNextLevel();
        EXPECT_EQ(list.Save("level_list.xml"), c.rewritten) << c.what;
        if (c.rewritten) {
            EXPECT_EQ(ReadFile("level_list.xml.bad"), c.text) << c.what;
            EXPECT_TRUE(HasAllEight(ReadFile("level_list.xml"))) << c.what;
        } else {
            EXPECT_EQ(ReadFile("level_list.xml"), c.text) << c.what;
            EXPECT_FALSE(std::filesystem::exists("level_list.xml.bad")) << c.what;
        }
    }

    // 300 random bytes after the fourth level: the player's file is either kept as it was or
    // written again with every level.
    std::mt19937 random(12);
    for (int round = 0; round < 40; ++round) {
        std::string junk(300, '\0');
        for (char& byte : junk) byte = static_cast<char>(random());
        const std::string text = EightLevels(junk);
        WriteFile("level_list.xml", text);
        CLevelList list;
        list.Load("level_list.xml");
        list.GetNextLevel();
        list.Save("level_list.xml");
        const std::string now = ReadFile("level_list.xml");
        EXPECT_TRUE(now == text || HasAllEight(now)) << round << "\n" << now;
    }
}
