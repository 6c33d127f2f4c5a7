// Interpreter lines whose arguments nest: every nested call runs once per evaluation of the
// line, so the work grows with the nesting, not exponentially with it.
#include <gtest/gtest.h>

#include <string>

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/icommand.h"

using namespace tarn;

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
