// Tests of keeping the player's level list in step with the shipped one: first copy, new
// levels merged in, completed flags kept, broken lists set aside.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "marbles/level/clevellist.h"
#include "marbles/level/levellistsync.h"
#include "support/testsupport.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// "a+ b c" lists level files a, b, c at positions 1.. with a completed; a leading "0+" writes
// entry 0 completed (which reading ignores).
std::string ListXml(const std::string& spec) {
    std::string xml = "<LevelList>\n";
    int position = 1;
    std::string::size_type at = 0;
    while (at < spec.size()) {
        std::string::size_type end = spec.find(' ', at);
        if (end == std::string::npos) end = spec.size();
        std::string name = spec.substr(at, end - at);
        at = end + 1;
        const bool done = !name.empty() && name.back() == '+';
        if (done) name.pop_back();
        const int here = name == "0" ? 0 : position++;
        xml += "<Level position=\"" + std::to_string(here) + "\" filename=\"" + (here == 0 ? "" : name) +
               "\" completed=\"" + (done ? "1" : "0") + "\"/>\n";
    }
    return xml + "</LevelList>\n";
}

// The list in the notation of ListXml, entry 0 always written.
std::string Describe(const std::string& fileName) {
    marbles::CLevelList list;
    if (!list.Load(fileName)) return "(unreadable)";
    std::string text;
    for (unsigned i = 0; i < list.GetEntryCount(); ++i) {
        const marbles::CLevelList::CEntry& entry = list.GetEntry(i);
        text += (i == 0 ? std::string("0") : " " + entry.myFileName) + (entry.myCompleted ? "+" : "");
    }
    return text;
}

TEST(LevelListSync, PlayerListFollowsTheShippedOrderAndKeepsEarnedFlags) {
    struct Case {
        const char* shipped;
        const char* player;  // null: no player list yet
        const char* expected;
    };
    const Case cases[] = {
        {"a b c", nullptr, "0 a b c"},
        {"a b c d", "0+ a+ b+ c", "0 a+ b+ c d"},
        {"a new b c", "0+ a+ b+ c", "0 a+ new b+ c"},
        {"b a", "0 a+ b", "0 b a+"},
        {"a c", "0+ a+ gone+ c+", "0 a+ c+"},
        {"a+ b", "0 a b", "0 a+ b"},
        {"a b", "0+ a+ b", "0 a+ b"},
    };
    for (const Case& c : cases) {
        testsupport::CTempDir dir;
        WriteFile("shipped.xml", ListXml(c.shipped));
        if (c.player) WriteFile("player.xml", ListXml(c.player));
        EXPECT_TRUE(marbles::SyncLevelList("shipped.xml", "player.xml")) << c.shipped;
        EXPECT_EQ(Describe("player.xml"), c.expected) << c.shipped << " / " << (c.player ? c.player : "none");
        EXPECT_FALSE(std::filesystem::exists("player.xml.tmp"));
    }
}

TEST(LevelListSync, AnUnchangedListIsNotRewritten) {
    testsupport::CTempDir dir;
    WriteFile("shipped.xml", ListXml("a b"));
    const std::string player =
        "<LevelList><Level position=\"0\" filename=\"\" completed=\"1\"/>"
        "<Level position=\"1\" filename=\"a\" completed=\"1\"/>"
        "<Level position=\"2\" filename=\"b\"/></LevelList>";
    WriteFile("player.xml", player);
    EXPECT_TRUE(marbles::SyncLevelList("shipped.xml", "player.xml"));
    EXPECT_EQ(ReadFile("player.xml"), player);
}

TEST(LevelListSync, BrokenListsAreSetAsideAndAMissingShippedListChangesNothing) {
    testsupport::CTempDir dir;
    WriteFile("shipped.xml", ListXml("a b"));
    WriteFile("player.xml", "not xml at all");
    EXPECT_TRUE(marbles::SyncLevelList("shipped.xml", "player.xml"));
    EXPECT_EQ(Describe("player.xml"), "0 a b");
    EXPECT_EQ(ReadFile("player.xml.broken"), "not xml at all");

    WriteFile("player.xml", ListXml("0+ a+ b"));
    EXPECT_FALSE(marbles::SyncLevelList("missing.xml", "player.xml"));
    EXPECT_FALSE(marbles::SyncLevelList("shipped.xml", "no/such/dir/player.xml"));
    EXPECT_EQ(Describe("player.xml"), "0 a+ b");
}

// A damaged player list is never merged with loss: it stays as it was, or, when every level
// of it was read, a copy is kept as ".bad" (junk that reads as mere text is no damage) and
// the merged list keeps every level won.
TEST(LevelListSync, ADamagedPlayerListNeverLosesAWonLevel) {
    const std::string shipped = ListXml("a b c d e f g h");
    const auto level = [](int position, const char* name, bool won) {
        return "<Level position=\"" + std::to_string(position) + "\" filename=\"" + name + "\" completed=\"" +
               (won ? "1" : "0") + "\"/>\n";
    };
    // Levels a to f won, junk after the fourth.
    const auto sixWon = [&level](const std::string& junk) {
        return "<LevelList>\n" + level(1, "a", true) + level(2, "b", true) + level(3, "c", true) + level(4, "d", true) +
               junk + level(5, "e", true) + level(6, "f", true) + "</LevelList>\n";
    };
    std::vector<std::string> players = {
        // c shares b's position: both stay levels, and b stays won.
        "<LevelList>\n" + level(1, "a", true) + level(2, "b", true) + level(2, "c", false) + level(3, "d", true) +
            level(4, "e", true) + level(5, "f", true) + "</LevelList>\n",
        sixWon("<junk>\n"),
    };
    std::mt19937 random(19);
    for (int round = 0; round < 30; ++round) {
        std::string junk(300, '\0');
        for (char& byte : junk) byte = static_cast<char>(random());
        players.push_back(sixWon(junk));
    }
    for (const std::string& player : players) {
        testsupport::CTempDir dir;
        WriteFile("shipped.xml", shipped);
        WriteFile("player.xml", player);
        marbles::SyncLevelList("shipped.xml", "player.xml");
        const std::string now = ReadFile("player.xml");
        if (now == player) continue;
        EXPECT_EQ(Describe("player.xml"), player == players[0] ? "0 a+ b+ c d+ e+ f+ g h" : "0 a+ b+ c+ d+ e+ f+ g h")
            << player;
        if (std::filesystem::exists("player.xml.bad")) {
            EXPECT_EQ(ReadFile("player.xml.bad"), player);
        }
        EXPECT_TRUE(std::filesystem::is_regular_file("player.xml"));
    }
}

}  // namespace
