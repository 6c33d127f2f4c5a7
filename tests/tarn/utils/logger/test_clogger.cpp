// The logger's line building, the file listener's bytes, indentation, the summary and
// the assertion report layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "support/testsupport.h"
#include "tarn/utils/logger/cassert.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/logger/cloglistenerforfile.h"

using namespace tarn;
using testsupport::LogBody;
using testsupport::ReadFile;

namespace {

class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        myLogger.reset(new CLogger());
    }
    void TearDown() override {
        myLogger->Write("\n");  // never leave text pending for the next test
        myLogger.reset();
        testsupport::ResetEngine();
    }
    std::string Body() { return LogBody("log.txt"); }

    testsupport::CTempDir myDir;
    std::unique_ptr<CLogger> myLogger;
};

class CRecorder : public ILogListener {
public:
    void Write(const std::string& text, int level) override { myLines.push_back(std::to_string(level) + ":" + text); }
    std::vector<std::string> myLines;
};

}  // namespace

TEST_F(LoggerTest, FreshFileStartsWithTheFiveLineHeader) {
    const std::string text = ReadFile("log.txt");
    const std::string dashes(62, '-');
    const std::regex header("\\( \\) " + dashes +
                            "\n"
                            "\\( \\) New log created on [A-Z][a-z]{2},[A-Z][a-z]{2} \\d\\d,\\d\\d:\\d\\d [AP]M\n"
                            "\\( \\) Using Tarn version 0\\.22\n"
                            "\\( \\) Build in .+ at [A-Z][a-z]{2} [ 0-9]\\d \\d{4} \\d\\d:\\d\\d:\\d\\d\n"
                            "\\( \\) " +
                            dashes + "\n");
    EXPECT_TRUE(std::regex_match(text, header)) << text;
}

TEST_F(LoggerTest, TextStaysPendingUntilALineEnd) {
    *myLogger << "a" << std::string("b");
    EXPECT_EQ(Body(), "");
    *myLogger << 12 << ' ' << 2.5 << std::endl;
    EXPECT_EQ(Body(), "( ) ab12 2.5\n");
}

TEST_F(LoggerTest, CarriageReturnsAndZerosEndLines) {
    myLogger->Write("x\r\ny");
    EXPECT_EQ(Body(), "( ) x\n( ) \n");
    myLogger->Write(std::string("z\0w\n", 4));
    EXPECT_EQ(Body(), "( ) x\n( ) \n( ) yz\n( ) w\n");
}

TEST_F(LoggerTest, LevelsStickUntilChanged) {
    myLogger->Warning() << "careful\n";
    *myLogger << "still a warning\n";
    myLogger->Error() << "bad\n";
    myLogger->Debug() << "detail\n";
    EXPECT_EQ(Body(), "(!) careful\n(!) still a warning\n<!> bad\n(d) detail\n");
}

TEST_F(LoggerTest, IndentationFollowsTheDepthAndRecoversFromUnderflow) {
    myLogger->IndentIn();
    myLogger->IndentIn();
    *myLogger << "deep\n";
    myLogger->IndentOut();
    myLogger->IndentOut();
    myLogger->IndentOut();
    *myLogger << "flat\n";
    myLogger->IndentIn();
    *myLogger << "one\n";
    EXPECT_EQ(Body(), "( )     deep\n( ) flat\n( )   one\n");
}

TEST_F(LoggerTest, IndentGuardIndentsItsScope) {
    {
        CLogIndent indent(myLogger.get());
        *myLogger << "inside\n";
    }
    *myLogger << "outside\n";
    EXPECT_EQ(Body(), "( )   inside\n( ) outside\n");
}

TEST_F(LoggerTest, PrintFormatsAndCutsAtTheBufferSize) {
    myLogger->Print("[ERROR] Trying to start a task %s that doesn't exist.\n", "nosuch");
    EXPECT_EQ(Body(), "( ) [ERROR] Trying to start a task nosuch that doesn't exist.\n");
    myLogger->Print("%s", std::string(5000, 'x').c_str());
    myLogger->Write("\n");
    EXPECT_EQ(Body().size(), std::string("( ) [ERROR] Trying to start a task nosuch that doesn't exist.\n").size() + 4 +
                                 1023 + 1);
}

TEST_F(LoggerTest, ListenersGetLinesInOrderAndControlLevelsAlways) {
    CRecorder recorder;
    myLogger->AddListener(&recorder);
    myLogger->AddListener(nullptr);
    myLogger->Debug() << "d\n";
    myLogger->IndentIn();
    myLogger->RemoveListener(&recorder);
    *myLogger << "gone\n";
    EXPECT_EQ(recorder.myLines, (std::vector<std::string>{"0:d\n", "-2:"}));
}

TEST_F(LoggerTest, PermanentListenersJoinEveryLoggerUntilRemoved) {
    CRecorder recorder;
    CLogger::AddPermanentListener(nullptr);
    CLogger::AddPermanentListener(&recorder);
    *CLogger::GetSingleton() << "first\n";
    CLogger::DeleteSingleton();
    CLogger later;
    later << "second\n";
    CLogger::RemovePermanentListener(&recorder);
    *CLogger::GetSingleton() << "gone\n";
    CLogger::DeleteSingleton();
    later.RemoveListener(&recorder);
    later << "also gone\n";
    EXPECT_EQ(recorder.myLines, (std::vector<std::string>{"1:first\n", "1:second\n"}));
}

TEST_F(LoggerTest, SecondListenerForTheSameFileContinuesIt) {
    *myLogger << "first\n";
    {
        CLogListenerForFile again("log.txt", "Tarn version 0.22", false);
        again.Write("second\n", LOG_NORMAL);
        again.Write("filtered\n", LOG_DEBUG);  // below its minimum level
    }
    EXPECT_EQ(Body(), "( ) first\n( ) second\n");
}

TEST_F(LoggerTest, SummaryCountsWarningsAndErrors) {
    {
        CLogListenerForFile summary("summary.txt", "V1", true);
        summary.Write("w1\n", LOG_WARNING);
        summary.Write("e1\n", LOG_ERROR);
        summary.Write("n\n", LOG_NORMAL);
    }
    const std::string text = ReadFile("summary.txt");
    const std::string tail =
        "\n------------------------V1------------------------\n\n";
    const std::string::size_type at = text.find(tail);
    ASSERT_NE(at, std::string::npos) << text;
    const std::regex rest("\\d\\d:\\d\\d:\\d\\d \\[WARNING\\] w1\n\n\\d\\d:\\d\\d:\\d\\d \\[ERROR\\] e1\n\n\nV1 - 1 "
                          "error\\(s\\), 1 warning\\(s\\)\n");
    EXPECT_TRUE(std::regex_match(text.substr(at + tail.size()), rest)) << text.substr(at);
}

TEST_F(LoggerTest, UnwritableFileIsIgnored) {
    myLogger.reset();
    testsupport::ResetEngine();
    std::filesystem::remove("log.txt");
    std::filesystem::create_directory("log.txt");
    myLogger.reset(new CLogger());
    *myLogger << "nowhere to go\n";
    EXPECT_TRUE(std::filesystem::is_directory("log.txt"));
}

namespace {

int theHandled = 0;
std::string theHandledExpression;
size_t theHandledValues = 0;

void RecordingHandler(CAssertReport* report) {
    ++theHandled;
    theHandledExpression = report->myExpression;
    theHandledValues = report->myValues.size();
    EXPECT_EQ(report->myValues.front().myValue->ToText(), "1");
}

}  // namespace

TEST_F(LoggerTest, AssertionReportLayout) {
    CLogger::DeleteSingleton();
    const tarn::AssertHandler previous = GetAssertHandler();
    SetAssertHandler(&RecordingHandler);
    int a = 1;
    int b = 2;
    int evaluated = 0;
    const int line = __LINE__ + 1;
    cassert((++evaluated, a > b)) cvalue(a) cvalue(b);
    SetAssertHandler(previous);
    (void)line;
#if TARN_ASSERTIONS
    EXPECT_EQ(evaluated, 1);
    EXPECT_EQ(theHandled, 1);
    EXPECT_EQ(theHandledExpression, "(++evaluated, a > b)");
    EXPECT_EQ(theHandledValues, 2u);
    const std::string expected = std::string("( ) [ERROR] Assertion failed in file: ") + __FILE__ +
                                 " at line: " + std::to_string(line) +
                                 "\n( ) \n( ) Expression: '(++evaluated, a > b)'\n( ) \n"
                                 "( ) Values: a = 1\n( )         b = 2\n( )         Handled\n";
    EXPECT_EQ(testsupport::LogBody(), expected);
#else
    EXPECT_EQ(evaluated, 0);  // compiled out: nothing is evaluated or reported
    EXPECT_EQ(theHandled, 0);
#endif
    CLogger::DeleteSingleton();
}
