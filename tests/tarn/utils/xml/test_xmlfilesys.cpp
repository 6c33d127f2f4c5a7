// The serialization context: typed values as text, the order-sensitive child lookup and its
// messages, node building while writing, XmlLoad/XmlSave and the stored form of timers.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <list>
#include <vector>

#include "support/testsupport.h"
#include "support/xmltesthelpers.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/timer/ctimer.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/xmltree.h"

using namespace tarn;
using testsupport::DumpXml;
using testsupport::ParseXmlLines;
using testsupport::ReadFile;

namespace {

// Collects the log lines written while it is alive.
class CLogCapture : public ILogListener {
public:
    CLogCapture() { CLogger::GetSingleton()->AddListener(this); }
    ~CLogCapture() override { CLogger::GetSingleton()->RemoveListener(this); }
    void Write(const std::string& text, int level) override {
        if (level >= LOG_DEBUG) lines.push_back(text);
    }
    std::vector<std::string> lines;
};

class XmlFileSysTest : public ::testing::Test {
protected:
    void TearDown() override { testsupport::ResetEngine(); }
    testsupport::CTempDir myDir;
};

struct CSample {
    int myInteger = 0;
    std::vector<int> myVector;
    std::list<std::string> myList;

    void Serialize(CXmlFileSys* filesys) {
        TARN_SERIALIZE(filesys, myInteger, "integer");
        if (filesys->IsReading()) {
            filesys->ReadArray(myVector, "vector");
            filesys->ReadArray(myList, "list");
        } else {
            filesys->WriteArray(myVector, "vector");
            filesys->WriteArray(myList, "list");
        }
    }
};

// Stored as attributes of its own element, like the rectangle of the graphics code.
struct CBox {
    int x = 0, y = 0;
};

void Serialize(CBox& box, CXmlFileSys* filesys) {
    if (filesys->IsReading()) {
        filesys->ReadAttribute("x", box.x);
        filesys->ReadAttribute("y", box.y);
    } else {
        filesys->GetNode()->AddAttribute("x", box.x);
        filesys->GetNode()->AddAttribute("y", box.y);
    }
}

struct CHolder {
    CBox myBox;
    std::vector<CBox> myBoxes;
    CSample mySample;
    std::string myName;

    void Serialize(CXmlFileSys* filesys) {
        TARN_SERIALIZE(filesys, myName, "name");
        TARN_SERIALIZE(filesys, myBox, "box");
        TARN_SERIALIZE(filesys, mySample, "sample");
        if (filesys->IsReading()) {
            filesys->ReadArray(myBoxes, "Box");
        } else {
            filesys->WriteArray(myBoxes, "Box");
        }
    }
};

template <typename T>
T ReadAs(const std::string& content, T initial) {
    CXmlNode root("r");
    auto* child = new CXmlNode("v");
    child->SetContent(content);
    root.AddChild(child);
    CXmlFileSys filesys(&root, CXmlFileSys::MODE_READ);
    filesys.Read(initial, "v");
    return initial;
}

template <typename T>
std::string WrittenAs(const T& value) {
    CXmlNode root("r");
    CXmlFileSys filesys(&root, CXmlFileSys::MODE_WRITE);
    filesys.Write(value, "v");
    return root.GetChild(0)->GetContent();
}

}  // namespace

TEST_F(XmlFileSysTest, PlainValuesAreWrittenByStreamInsertion) {
    EXPECT_EQ(WrittenAs(true), "1");
    EXPECT_EQ(WrittenAs(false), "0");
    EXPECT_EQ(WrittenAs<short>(-12), "-12");
    EXPECT_EQ(WrittenAs<unsigned short>(65535), "65535");
    EXPECT_EQ(WrittenAs(INT_MIN), "-2147483648");
    EXPECT_EQ(WrittenAs(4294967295u), "4294967295");
    EXPECT_EQ(WrittenAs(-5L), "-5");
    EXPECT_EQ(WrittenAs(7UL), "7");
    EXPECT_EQ(WrittenAs(2.5f), "2.5");
    EXPECT_EQ(WrittenAs(1.0 / 3.0), "0.333333");
    EXPECT_EQ(WrittenAs(1234567.0), "1.23457e+06");
    EXPECT_EQ(WrittenAs(static_cast<long double>(0.25)), "0.25");
    EXPECT_EQ(WrittenAs(std::string("two  words")), "two  words");
    EXPECT_EQ(WrittenAs(std::string("&amp;")), "&");  // content goes through entity replacement
}

TEST_F(XmlFileSysTest, PlainValuesAreReadByStreamExtractionOrLeftUnchanged) {
    EXPECT_EQ(ReadAs<bool>("1", false), true);
    EXPECT_EQ(ReadAs<bool>("0", true), false);
    EXPECT_EQ(ReadAs<bool>("true", false), false);
    EXPECT_EQ(ReadAs<bool>("2", true), true);
    EXPECT_EQ(ReadAs<int>("20", 0), 20);
    EXPECT_EQ(ReadAs<int>("-20", 0), -20);
    EXPECT_EQ(ReadAs<int>("12abc", 0), 12);
    EXPECT_EQ(ReadAs<int>("abc", 5), 5);
    EXPECT_EQ(ReadAs<int>("", 5), 5);
    EXPECT_EQ(ReadAs<int>("99999999999", 5), 5);
    EXPECT_EQ(ReadAs<int>("-99999999999", 5), 5);
    EXPECT_EQ(ReadAs<short>("40000", 5), 5);
    EXPECT_EQ(ReadAs<unsigned short>("65535", 5), 65535);
    EXPECT_EQ(ReadAs<unsigned>("4294967295", 5u), 4294967295u);
    EXPECT_EQ(ReadAs<unsigned>("4294967296", 5u), 5u);
    EXPECT_EQ(ReadAs<unsigned>("-1", 5u), 5u);
    EXPECT_EQ(ReadAs<unsigned long>("-1", 5ul), 5ul);
    EXPECT_EQ(ReadAs<long>("-7", 0L), -7L);
    EXPECT_FLOAT_EQ(ReadAs<float>("2.5", 0.f), 2.5f);
    EXPECT_FLOAT_EQ(ReadAs<float>("1e999", 3.f), 3.f);
    EXPECT_DOUBLE_EQ(ReadAs<double>("-1.5e3", 0.0), -1500.0);
    EXPECT_DOUBLE_EQ(ReadAs<double>("1e99999", 3.0), 3.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(ReadAs<long double>("0.125", 0)), 0.125);
    EXPECT_EQ(ReadAs<std::string>("two  words", "x"), "two  words");
    int target = 0;
    void* pointer = &target;
    EXPECT_EQ(ReadAs<void*>(WrittenAs(pointer), nullptr), pointer);
}

TEST_F(XmlFileSysTest, SaveAndLoadKeepsValuesAndSequences) {
    CSample saved;
    saved.myInteger = 20;
    saved.myVector = {1, -2, 3};
    saved.myList = {"one", "two words"};
    ASSERT_TRUE(XmlSave(saved, "sample.xml", "rootelement"));
    EXPECT_EQ(ReadFile("sample.xml"),
              "<rootelement>\n"
              "  <integer>\n    20\n  </integer>\n"
              "  <vector>\n    1\n  </vector>\n"
              "  <vector>\n    -2\n  </vector>\n"
              "  <vector>\n    3\n  </vector>\n"
              "  <list>\n    one\n  </list>\n"
              "  <list>\n    two words\n  </list>\n"
              "</rootelement>\n");

    CSample loaded;
    ASSERT_TRUE(XmlLoad(loaded, "sample.xml"));
    EXPECT_EQ(loaded.myInteger, 20);
    EXPECT_EQ(loaded.myVector, saved.myVector);
    EXPECT_EQ(loaded.myList, saved.myList);

    // Sequences are appended to, not replaced.
    CSample filled;
    filled.myVector = {9};
    XmlLoad(filled, "sample.xml");
    EXPECT_EQ(filled.myVector, (std::vector<int>{9, 1, -2, 3}));
}

TEST_F(XmlFileSysTest, MissingFilesAndElementsLeaveTheObjectAlone) {
    CSample sample;
    sample.myInteger = 3;
    CLogCapture log;
    EXPECT_FALSE(XmlLoad(sample, "missing.xml"));
    EXPECT_EQ(sample.myInteger, 3);

    testsupport::WriteFile("other.xml", "<r>\n<something>\n1\n</something>\n<vector>x</vector>\n<vector>4</vector>\n</r>\n");
    EXPECT_TRUE(XmlLoad(sample, "other.xml"));
    EXPECT_EQ(sample.myInteger, 3);
    EXPECT_EQ(sample.myVector, std::vector<int>{4});  // the entry that does not parse is skipped
    EXPECT_TRUE(log.lines.empty());

    EXPECT_FALSE(XmlSave(sample, "no/such/dir/x.xml", "r"));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "Xml error, could not write the file: no/such/dir/x.xml (open: No such file or directory)\n");
}

TEST_F(XmlFileSysTest, EveryFailedSaveIsLoggedWithItsReason) {
    CSample sample;
    sample.myInteger = 7;
    testsupport::WriteFile("plain", "x");
    struct Case {
        const char* file;
        const char* reason;
    };
    // Windows reports a file standing in for a folder as a path that does not exist.
#ifdef _WIN32
    const std::string fileAsFolder = std::string("open: ") + std::strerror(ENOENT);
#else
    const std::string fileAsFolder = std::string("open: ") + std::strerror(ENOTDIR);
#endif
    std::vector<Case> cases = {{"plain/x.xml", fileAsFolder.c_str()}, {"", "open: No such file or directory"}};
    if (std::ifstream("/dev/full")) cases.push_back({"/dev/full", "flush: No space left on device"});
    for (const Case& c : cases) {
        CLogCapture log;
        std::string reason;
        EXPECT_FALSE(XmlSave(sample, c.file, "r", &reason)) << c.file;
        EXPECT_EQ(reason, c.reason);
        ASSERT_EQ(log.lines.size(), 1u) << c.file;
        EXPECT_EQ(log.lines[0], "Xml error, could not write the file: " + std::string(c.file) + " (" + c.reason + ")\n");
    }

    // A saved file replaces another; a folder in the way is refused and stays as it was.
    CLogCapture log;
    std::string reason;
    ASSERT_TRUE(XmlSave(sample, "new.xml", "r", &reason));
    EXPECT_EQ(reason, "");
    testsupport::WriteFile("old.xml", "old");
    ASSERT_TRUE(ReplaceFile("new.xml", "old.xml", &reason));
    EXPECT_EQ(ReadFile("old.xml"), "<r>\n  <integer>\n    7\n  </integer>\n</r>\n");
    std::filesystem::create_directories("folder.xml/inside");
    ASSERT_TRUE(XmlSave(sample, "new.xml", "r"));
    EXPECT_FALSE(ReplaceFile("new.xml", "folder.xml", &reason));
    EXPECT_EQ(reason.substr(0, 8), "rename: ");
    EXPECT_TRUE(std::filesystem::is_directory("folder.xml/inside"));
    EXPECT_FALSE(ReadFile("new.xml").empty());
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(XmlFileSysTest, LookupInWrittenOrderIsSilent) {
    auto root = ParseXmlLines({"<r><a>1</a><b>2</b><a>3</a></r>"});
    CXmlFileSys filesys(root.get(), CXmlFileSys::MODE_READ);
    CLogCapture log;
    int a1 = 0, b = 0, a2 = 0;
    EXPECT_TRUE(filesys.Read(a1, "a"));
    EXPECT_TRUE(filesys.Read(b, "b"));
    EXPECT_TRUE(filesys.Read(a2, "a"));
    EXPECT_EQ(a1 * 100 + b * 10 + a2, 123);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(XmlFileSysTest, LookupOutOfOrderWarnsPerMemberAndStillFinds) {
    auto root = ParseXmlLines({"<r><a>1</a><b>2</b><c>3</c></r>"});
    CXmlFileSys filesys(root.get(), CXmlFileSys::MODE_READ);
    filesys.SetFile("f.cpp");
    filesys.SetLine(7);
    CLogCapture log;
    int a = 0, b = 0, c = 0;
    filesys.Read(c, "c");
    filesys.Read(b, "b");
    filesys.Read(a, "a");
    EXPECT_EQ(a * 100 + b * 10 + c, 123);
    const std::string order =
        "Xml warning a child node wasn't in the place it should be, order fucked up in node: r in file: f.cpp at "
        "line 7\n";
    EXPECT_EQ(log.lines, (std::vector<std::string>{order, order, order}));
}

TEST_F(XmlFileSysTest, LookupMessagesAtTheEndAndForMissingChildren) {
    auto root = ParseXmlLines({"<r><a>1</a><b>2</b></r>"});
    CXmlFileSys filesys(root.get(), CXmlFileSys::MODE_READ);
    filesys.SetFile("g.cpp");
    filesys.SetLine(12);
    CLogCapture log;
    int value = 0;
    EXPECT_NE(filesys.GetChild("a"), nullptr);
    EXPECT_NE(filesys.GetChild("b"), nullptr);
    // The cursor is past the last child: "no childs left", then "order", then found again.
    EXPECT_EQ(filesys.GetChild("a"), root->GetChild(0));
    // Found by the scan, the cursor stays on "a": looking up "b" next compares against "a".
    EXPECT_TRUE(filesys.Read(value, "b"));
    EXPECT_FALSE(filesys.Read(value, "zz"));
    EXPECT_FALSE(filesys.HasChild("zz"));
    EXPECT_TRUE(filesys.HasChild("a"));
    const std::string where = " in file: g.cpp at line 12\n";
    const std::string order =
        "Xml warning a child node wasn't in the place it should be, order fucked up in node: r" + where;
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "Xml warning, ain't no childs left in the current node: r" + where,
                             order,
                             order,
                             order,
                             "Xml error a child node: zz wasn't found at all in the node: r" + where,
                         }));

    log.lines.clear();
    filesys.SetWarnings(false);
    EXPECT_EQ(filesys.GetChild("zz"), nullptr);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(XmlFileSysTest, BeginAndEndNodeBuildElementsWhileWriting) {
    CXmlNode root("r");
    CXmlFileSys filesys(&root, CXmlFileSys::MODE_WRITE);
    filesys.SetFile("h.cpp");
    filesys.SetLine(3);
    CLogCapture log;
    filesys.BeginNode("Slot");
    filesys.AddAttribute("target", std::string("t"));
    filesys.AddAttribute("target", std::string("ignored"));
    filesys.AddAttribute("function", std::string("f"));
    filesys.BeginNode("inner");
    filesys.Write(5, "value");
    filesys.EndNode("other");
    filesys.EndNode("Slot");
    filesys.EndNode("r");
    filesys.EndNode("r");  // never above its own node
    filesys.Write(1, "last");
    EXPECT_EQ(DumpXml(&root), "r(Slot[target=t;function=f](inner(value'5')),last'1')");
    EXPECT_EQ(log.lines, std::vector<std::string>{
                             "Xml warning, trying to end a different node: other should end: inner in file: h.cpp "
                             "at line 3\n"});

    CXmlFileSys reading(&root, CXmlFileSys::MODE_READ);
    reading.BeginNode("x");
    reading.AddAttribute("y", 1);
    EXPECT_EQ(reading.GetNode(), &root);
    EXPECT_EQ(root.GetChildCount(), 2);
}

TEST_F(XmlFileSysTest, ClassMembersGetContextsOfTheirOwn) {
    CHolder saved;
    saved.myName = "holder";
    saved.myBox = {3, -4};
    saved.myBoxes = {{1, 2}, {5, 6}};
    saved.mySample.myInteger = 9;
    saved.mySample.myVector = {8};
    ASSERT_TRUE(XmlSave(saved, "holder.xml", "Holder"));
    EXPECT_EQ(ReadFile("holder.xml"),
              "<Holder>\n"
              "  <name>\n    holder\n  </name>\n"
              "  <box x=\"3\" y=\"-4\" >\n  </box>\n"
              "  <sample>\n"
              "    <integer>\n      9\n    </integer>\n"
              "    <vector>\n      8\n    </vector>\n"
              "  </sample>\n"
              "  <Box x=\"1\" y=\"2\" >\n  </Box>\n"
              "  <Box x=\"5\" y=\"6\" >\n  </Box>\n"
              "</Holder>\n");
    CHolder loaded;
    CLogCapture log;
    ASSERT_TRUE(XmlLoad(loaded, "holder.xml"));
    EXPECT_EQ(loaded.myName, "holder");
    EXPECT_EQ(loaded.myBox.x, 3);
    EXPECT_EQ(loaded.myBox.y, -4);
    ASSERT_EQ(loaded.myBoxes.size(), 2u);
    EXPECT_EQ(loaded.myBoxes[1].x, 5);
    EXPECT_EQ(loaded.mySample.myInteger, 9);
    EXPECT_EQ(loaded.mySample.myVector, std::vector<int>{8});
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(XmlFileSysTest, AttributesConvertOrStayUnchanged) {
    auto root = ParseXmlLines({"<r x=\"12\" big=\"99999999999\" neg=\"-3\" f=\"2.5\" word=\"a b\"/>"});
    CXmlFileSys filesys(root.get(), CXmlFileSys::MODE_READ);
    int x = 0, big = 1;
    unsigned neg = 2;
    float f = 0;
    std::string word;
    EXPECT_TRUE(filesys.ReadAttribute("x", x));
    EXPECT_FALSE(filesys.ReadAttribute("big", big));
    EXPECT_FALSE(filesys.ReadAttribute("neg", neg));
    EXPECT_FALSE(filesys.ReadAttribute("missing", x));
    EXPECT_TRUE(filesys.ReadAttribute("f", f));
    EXPECT_TRUE(filesys.ReadAttribute("word", word));
    EXPECT_EQ(x, 12);
    EXPECT_EQ(big, 1);
    EXPECT_EQ(neg, 2u);
    EXPECT_FLOAT_EQ(f, 2.5f);
    EXPECT_EQ(word, "a b");
}

TEST_F(XmlFileSysTest, PausedTimerIsStoredAndRestored) {
    testsupport::CManualClock clock(10000);
    CTimer timer;
    clock.Advance(1200);
    timer.Pause();
    clock.Advance(300);
    ASSERT_TRUE(XmlSave(timer, "timer.xml", "timer"));
    EXPECT_EQ(ReadFile("timer.xml"),
              "<timer>\n  <time>\n    1200\n  </time>\n  <pause>\n    1\n  </pause>\n</timer>\n");

    clock.Advance(5000);
    CTimer loaded;
    ASSERT_TRUE(XmlLoad(loaded, "timer.xml"));
    EXPECT_TRUE(loaded.IsPaused());
    EXPECT_EQ(loaded.GetTime(), 1200u);
    clock.Advance(700);
    EXPECT_EQ(loaded.GetTime(), 1200u);
    EXPECT_EQ(loaded.Resume(), 700u);  // the time spent paused since loading
    clock.Advance(50);
    EXPECT_EQ(loaded.GetTime(), 1250u);
}

TEST_F(XmlFileSysTest, RunningTimerContinuesFromTheStoredTime) {
    testsupport::CManualClock clock(50000);
    CTimer timer;
    clock.Advance(500);
    ASSERT_TRUE(XmlSave(timer, "timer.xml", "timer"));
    EXPECT_EQ(ReadFile("timer.xml"), "<timer>\n  <time>\n    500\n  </time>\n</timer>\n");

    CTimer loaded;
    clock.Advance(100);
    ASSERT_TRUE(XmlLoad(loaded, "timer.xml"));
    EXPECT_FALSE(loaded.IsPaused());
    EXPECT_EQ(loaded.GetTime(), 500u);
    clock.Advance(25);
    EXPECT_EQ(loaded.GetTime(), 525u);

    // A stored time beyond the base time wraps the start; modular arithmetic keeps it right.
    testsupport::WriteFile("later.xml", "<timer>\n<time>\n90000\n</time>\n</timer>\n");
    CTimer wrapped;
    testsupport::CExpectedAssertions broken;
    ASSERT_TRUE(XmlLoad(wrapped, "later.xml"));
    EXPECT_EQ(broken.GetCount(), broken.Expected(1));
    EXPECT_EQ(wrapped.GetTime(), 90000u);
    clock.Advance(10);
    EXPECT_EQ(wrapped.GetTime(), 90010u);

    // Unparsable or missing members change nothing.
    testsupport::WriteFile("bad.xml", "<timer>\n<time>soon</time>\n<pause>true</pause>\n</timer>\n");
    CTimer untouched;
    XmlLoad(untouched, "bad.xml");
    EXPECT_EQ(untouched.GetTime(), 0u);
    EXPECT_FALSE(untouched.IsPaused());
}
