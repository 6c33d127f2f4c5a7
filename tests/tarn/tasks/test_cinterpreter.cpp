// The command language: names, argument evaluation and typing, quoting, variables, statement
// lists, comments, task addressing, scripts and malformed input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "support/testsupport.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/iparameter.h"
#include "tarn/utils/logger/clogger.h"

using namespace tarn;

namespace {

// Describes how it was called: "()" without a list, else the list as type:value pairs.
class CEchoCommand : public CCommand {
public:
    std::string Execute(CParameterList* params) override {
        ++myCalls;
        std::string text = "[";
        for (int i = 0; i < params->Count(); ++i) {
            if (i) text += "|";
            text += params->IsType(i, PARAM_STRING) ? "s:" + params->GetString(i) : "n:" + params->GetString(i);
        }
        return text + "]";
    }
    std::string Execute() override {
        ++myCalls;
        return "plain";
    }
    int myCalls = 0;
};

class CConstCommand : public CCommand {
public:
    explicit CConstCommand(const std::string& result) : myResult(result) {}
    std::string Execute() override {
        ++myCalls;
        return myResult;
    }
    std::string myResult;
    int myCalls = 0;
};

// Records what reached ExecuteInNamespace.
class CSpyInterpreter : public CInterpreter {
public:
    std::string ExecuteInNamespace(const std::string& space, const std::string& line) override {
        myCalls.push_back(space + "|" + line);
        return "ns";
    }
    std::vector<std::string> myCalls;
};

class InterpreterTest : public ::testing::Test {
protected:
    InterpreterTest() {
        myInterpreter.AddCommand("echo", &myEcho);
        myInterpreter.AddCommand("quit", &myQuit);
    }
    std::string Run(const std::string& line) { return myInterpreter.Execute(line, false); }

    CEchoCommand myEcho;
    CConstCommand myQuit{"bye bye"};
    CSpyInterpreter myInterpreter;
};

}  // namespace

TEST_F(InterpreterTest, CommandNamesIgnoreCaseAndSurroundingBlanks) {
    EXPECT_EQ(Run("QUIT"), "bye bye");
    EXPECT_EQ(Run("Quit()"), "bye bye");
    EXPECT_EQ(Run("  quit ( )  "), "bye bye");
    EXPECT_EQ(myQuit.myCalls, 3);
    EXPECT_EQ(Run("echo"), "plain");
    EXPECT_EQ(Run("echo()"), "[]");
}

TEST_F(InterpreterTest, CaseSensitiveInterpreterKeepsNamesApart) {
    CInterpreter strict;
    strict.SetCaseSensitive(true);
    strict.AddCommand("Go", &myQuit);
    EXPECT_EQ(strict.Execute("go", false), "go");
    EXPECT_EQ(strict.Execute("Go", false), "bye bye");
}

TEST_F(InterpreterTest, ArgumentsAreTypedByTheirCharacters) {
    struct Case {
        const char* line;
        const char* expected;
    } cases[] = {
        {"echo( 1, two, \"three, four\", 5.5 )", "[n:1|s:two|s:three, four|n:5.5]"},
        {"echo( - )", "[n:0]"},
        {"echo( 1-2 )", "[n:1]"},
        {"echo( +.5 )", "[n:0.5]"},
        {"echo( 1e3 )", "[s:1e3]"},
        {"echo( \"42\" )", "[s:42]"},
        {"echo( \" padded \" )", "[s: padded ]"},
        {"echo( \"\" )", "[s:]"},
        {"echo( a b , c )", "[s:a b|s:c]"},
        {"echo( 99999999999999999999999999999 )", "[n:1e+29]"},
        {"echo( ,, )", "[n:0|n:0]"},
        {"echo(,,)", "[]"},
        {"echo( )", "[n:0]"},
        {"echo(x,\"y)", "[s:x|s:\"y]"},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.line), c.expected) << c.line;
}

TEST_F(InterpreterTest, ArgumentsAreEvaluatedAsLines) {
    Run("x = hello");
    EXPECT_EQ(Run("echo( x, quit, echo )"), "[s:hello|s:bye bye|s:plain]");
    EXPECT_EQ(Run("nosuch( quit() )"), "nosuch( quit() )");  // evaluated though the name matches nothing
    EXPECT_EQ(myQuit.myCalls, 2);
}

TEST_F(InterpreterTest, MissingParenthesesMakeAPlainCall) {
    EXPECT_EQ(Run("echo( 1, 2"), "plain");
    EXPECT_EQ(Run("echo 1, 2 )"), "echo 1, 2 )");
    EXPECT_EQ(Run("echo) ("), "echo) (");
}

TEST_F(InterpreterTest, UnknownNamesEvaluateToTheirTextOrVariable) {
    EXPECT_EQ(Run("  just text  "), "just text");
    EXPECT_EQ(Run("x = 5"), "5");
    EXPECT_EQ(Run("X"), "5");
    EXPECT_EQ(myInterpreter.GetVariable("x"), "5");
    EXPECT_EQ(Run("x = quit()"), "bye bye");
    EXPECT_EQ(Run("x"), "bye bye");
    EXPECT_EQ(Run("x ="), "");
    EXPECT_EQ(myInterpreter.GetVariable("X"), "");
    EXPECT_EQ(Run("y = \"a = b\""), "\"a = b\"");
    EXPECT_EQ(Run("a = b = c"), "c");
    EXPECT_EQ(Run("b"), "c");
}

TEST_F(InterpreterTest, StatementListsCommentsAndTaskAddressing) {
    struct Case {
        const char* line;
        const char* expected;
    } cases[] = {
        {"a = 3; b = a", "3\n3\n"},
        {"// quit()", ""},
        {"quit();// bye", "bye bye\n"},
        {"quit(); // bye", "bye bye\n\n"},
        {"quit() // bye", "bye bye"},
        {"   ", ""},
        {"", ""},
        {"\"a;b\"", "\"a;b\""},
        {"echo( \"x // y\" )", "[s:x // y]"},
        {"echo( \"a::b\" )", "[s:a::b]"},
        {";;;", ""},
        {"window::SetName(Demo)", "ns"},
        {"window::SetName(Demo) // comment", "ns"},
        {"::x", ""},
        {"a::b::c", "ns"},
        {"w::x; quit()", "ns\nbye bye\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.line), c.expected) << c.line;
    EXPECT_EQ(myInterpreter.GetVariable("b"), "3");
    EXPECT_EQ(myInterpreter.myCalls,
              (std::vector<std::string>{"window|SetName(Demo)", "window|SetName(Demo) ", "a|b", "w|x"}));
}

TEST_F(InterpreterTest, BoundVariablesReadAndWriteTheirOwner) {
    int size = 10;
    bool flag = false;
    myInterpreter.BindInt("gfx_flip_rects_size", &size);
    myInterpreter.BindBool("gfx_flip_debug_rects", &flag);
    EXPECT_EQ(Run("gfx_flip_rects_size = 25"), "25");
    EXPECT_EQ(size, 25);
    EXPECT_EQ(Run("gfx_flip_debug_rects = 1"), "1");
    EXPECT_TRUE(flag);
    EXPECT_EQ(Run("gfx_flip_rects_size = lots"), "0");  // text that does not parse reads as 0
    EXPECT_EQ(size, 0);
    myInterpreter.RemoveVariable("gfx_flip_rects_size");
    EXPECT_EQ(myInterpreter.FindVariable("gfx_flip_rects_size"), nullptr);
}

TEST_F(InterpreterTest, CommandsAreNotOwnedAndCanBeReplaced) {
    CConstCommand other("other");
    myInterpreter.AddCommand("QUIT", &other);
    EXPECT_EQ(Run("quit"), "other");
    myInterpreter.RemoveCommand("Quit");
    EXPECT_EQ(myInterpreter.FindCommand("quit"), nullptr);
    EXPECT_EQ(myInterpreter.GetCommands().size(), 1u);
}

TEST_F(InterpreterTest, DeepNestingYieldsAnErrorInsteadOfOverflowingTheStack) {
    std::string parens = "echo" + std::string(50000, '(') + std::string(50000, ')');
    EXPECT_NO_FATAL_FAILURE(Run(parens));
    std::string assignments;
    for (int i = 0; i < 20000; ++i) assignments += "a=";
    EXPECT_EQ(Run(assignments + "1"), CInterpreter::kTooDeepError);
    EXPECT_EQ(Run("quit"), "bye bye");  // the depth count is back to zero afterwards
}

TEST_F(InterpreterTest, OverlongLinesAndArgumentListsAreRefusedAndLogged) {
    testsupport::CTempDir dir;
    testsupport::ResetEngine();
    std::string allowed = "echo(";  // 1024 arguments on a line of exactly 64 KiB
    for (int i = 0; i < CInterpreter::kMaxArguments; ++i) allowed += (i ? "," : "") + std::to_string(i % 10) + "a";
    allowed += std::string(CInterpreter::kMaxLineLength - allowed.size() - 1, ' ') + ")";
    std::string expected = "[";
    for (int i = 0; i < CInterpreter::kMaxArguments; ++i) expected += (i ? "|s:" : "s:") + std::to_string(i % 10) + "a";
    std::string pairs;  // half a million arguments on a line of a megabyte
    for (int i = 0; i < 500000; ++i) pairs += "a,";
    const struct {
        std::string line;
        std::string result;
    } cases[] = {
        {allowed, expected + "]"},
        {allowed + " ", CInterpreter::kTooLongError},
        {"echo(" + pairs + ")", CInterpreter::kTooLongError},
        {"echo(" + std::string(1 << 20, 'a') + ")", CInterpreter::kTooLongError},
        {"echo(" + pairs.substr(0, 2 * 1025) + ")", CInterpreter::kTooManyArgumentsError},
        {"x = echo(" + pairs.substr(0, 2 * 1025) + ")", CInterpreter::kTooManyArgumentsError},
        {"quit(" + pairs.substr(0, 2 * 1024) + "quit())", CInterpreter::kTooManyArgumentsError},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(c.line), c.result) << c.line.size();
    EXPECT_EQ(myEcho.myCalls, 1);
    EXPECT_EQ(myQuit.myCalls, 0);  // nothing of a refused line runs, not even its arguments
    tarn::CLogger::DeleteSingleton();
    const std::string log = testsupport::LogBody();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6) << log;
    EXPECT_NE(log.find(std::string("( ) ") + CInterpreter::kTooLongError), std::string::npos) << log;
    EXPECT_NE(log.find(std::string("( ) ") + CInterpreter::kTooManyArgumentsError), std::string::npos) << log;
}

TEST_F(InterpreterTest, MalformedAndBinaryLinesYieldAResult) {
    const std::string lines[] = {
        std::string("echo(\0\x01\xff)", 8), "\"unbalanced", "echo(\"unbalanced)", ")))(((", "=", "==", "\"\"::\"\"",
        std::string(100000, 'x'), "echo(" + std::string(100000, ',') + ")", std::string(100000, '"'),
    };
    for (const std::string& line : lines) Run(line);
    EXPECT_EQ(Run("quit"), "bye bye");
}

TEST_F(InterpreterTest, ScriptFilesRunLineByLine) {
    testsupport::CTempDir dir;
    testsupport::WriteFile("script.txt", "a = 1\r\nquit()\r\n\r\n// comment\nb = two\nc = three");
    EXPECT_EQ(myInterpreter.ExecuteFile("script.txt"), "");
    EXPECT_EQ(myInterpreter.GetVariable("a"), "1");
    EXPECT_EQ(myInterpreter.GetVariable("b"), "two");
    EXPECT_EQ(myInterpreter.GetVariable("c"), "three");  // the last line needs no line end
    EXPECT_EQ(myQuit.myCalls, 1);
    EXPECT_EQ(myInterpreter.ExecuteFile("missing.txt"), "");
    std::filesystem::create_directory("dir.txt");
    EXPECT_EQ(myInterpreter.ExecuteFile("dir.txt"), "");
    testsupport::WriteFile("empty.txt", "");
    EXPECT_EQ(myInterpreter.ExecuteFile("empty.txt"), "");
}

TEST_F(InterpreterTest, ScriptsThatAreNoRegularFileOrTooLargeRunNothingAndAreLogged) {
    testsupport::CTempDir dir;
    testsupport::ResetEngine();
    testsupport::WriteFile("big.txt", "quit()\n");
    std::filesystem::resize_file("big.txt", (1u << 20) + 1);  // sparse: costs no disk
    const char* const refused[] = {
        "big.txt",
#if !defined(_WIN32)
        "/dev/zero",
#endif
    };
    for (const char* name : refused) EXPECT_EQ(myInterpreter.ExecuteFile(name), "") << name;
    EXPECT_EQ(myQuit.myCalls, 0);
    tarn::CLogger::DeleteSingleton();
    const std::string log = testsupport::LogBody();
    EXPECT_NE(log.find("Refused to read the file big.txt: it holds 1048577 bytes"), std::string::npos) << log;
#if !defined(_WIN32)
    EXPECT_NE(log.find("Refused to read the file /dev/zero: it is not a regular file"), std::string::npos) << log;
#endif
}

TEST(ParameterList, KindsConvertThroughText) {
    CParameterList list;
    list.AddString("12.5abc");
    list.AddNumber(3.14159265);
    list.AddEmpty();
    EXPECT_DOUBLE_EQ(list.GetNumber(0), 12.5);
    EXPECT_EQ(list.GetString(1), "3.14159");
    EXPECT_EQ(list.GetString(2), "");
    EXPECT_EQ(list.GetType(7), PARAM_EMPTY);
    EXPECT_EQ(list.GetString(-1), "");
    CParameterList copy(list);
    list.PopFront();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_TRUE(copy.IsType(0, PARAM_STRING));
    CParameterList empty;
    empty.PopFront();
    EXPECT_EQ(empty.Count(), 0);
}

namespace {

// FNV-1a over every result, so any change in how lines are read shows up as a new hash.
std::uint64_t Fnv1a(std::uint64_t hash, const std::string& text) {
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

TEST_F(InterpreterTest, RecordedHashOfGeneratedLines) {
    const char* const tokens[] = {"echo", "quit", "x", " ", "(", ")", ",", "\"", ";", "//", "::", "=",
                                  "1",    "-",    ".", "a", "b", "2.5", "\t", "ns", "e3"};
    const size_t count = sizeof tokens / sizeof tokens[0];
    std::uint32_t seed = 12345;
    std::uint64_t hash = 14695981039346656037ull;
    for (int line = 0; line < 5000; ++line) {
        std::string text;
        const int length = 1 + line % 12;
        for (int i = 0; i < length; ++i) {
            seed = seed * 1664525u + 1013904223u;
            text += tokens[(seed >> 16) % count];
        }
        hash = Fnv1a(hash, text + "\x1f" + Run(text) + "\x1e");
    }
    hash = Fnv1a(hash, myInterpreter.GetVariable("x") + myInterpreter.GetVariable("a"));
    EXPECT_EQ(hash, 3303522803236100665ull) << "recorded hash changed: " << hash;
}

// Lines whose arguments nest: every nested call runs once per evaluation of the line, so the
// work grows with the nesting, not exponentially with it.
namespace {

// Counts its calls and returns the count.
class CCountCommand : public CCommand {
public:
    std::string Execute() override { return std::to_string(++myCalls); }
    int myCalls = 0;
};

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

}  // namespace

TEST(InterpreterNesting, NestedCallsRunOncePerLevel) {
    CInterpreter interpreter;
    CCountCommand count;
    interpreter.AddCommand("count", &count);

    EXPECT_EQ(interpreter.Execute("x = count( count( count( 1 ) ) )"), "3");
    EXPECT_EQ(count.myCalls, 3);
    EXPECT_EQ(interpreter.GetVariable("x"), "3");

    // Arguments of a name that is no command are still evaluated.
    count.myCalls = 0;
    EXPECT_EQ(interpreter.Execute("nosuch( count() )"), "nosuch( count() )");
    EXPECT_EQ(count.myCalls, 1);
}

TEST(InterpreterNesting, DeeplyNestedAssignmentsEnd) {
    CInterpreter interpreter;
    CCountCommand count;
    interpreter.AddCommand("count", &count);
    EXPECT_EQ(interpreter.Execute(Repeat("x = count(", 60) + Repeat(")", 60)), "60");
    EXPECT_EQ(count.myCalls, 60);
    // The nesting that once doubled the work at every level.
    interpreter.Execute(Repeat("a=b(", 150) + ")");
    interpreter.Execute(Repeat("a=b(", 1000) + ")");
    EXPECT_EQ(interpreter.Execute(Repeat("(", 100000) + "x = 1" + Repeat(")", 100000)).empty(), false);
}
