// Tests of the expression calculator: known answers for conversion and evaluation, named
// operands, agreement with Python's arithmetic, the places where the rules differ from it,
// and bad input (unbalanced, huge, binary) that must neither crash nor take quadratic time.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tarn/utils/calculator/ccalculator.h"
#include "tarn/utils/calculator/cinfixtopostfix.h"
#include "tarn/utils/calculator/cpostfix.h"
#include "tarn/utils/calculator/cvalueoperand.h"
#include "support/testsupport.h"

using namespace tarn;

namespace {

struct ConvertCase {
    const char* infix;
    const char* postfix;
};

struct ValueCase {
    const char* infix;
    double value;
};

}  // namespace

TEST(InfixToPostfix, KnownAnswers) {
    const ConvertCase cases[] = {
        {"1 + 2 * 3", "1 2 3 * +"},
        {"1 - 2 - 3", "1 2 - 3 -"},
        {"( 1 + 2 ) * 3", "1 2 + 3 *"},
        {"8 / 4 / 2", "8 4 / 2 /"},
        {"2 * 3 + 4 * 5", "2 3 * 4 5 * +"},
        {"parent.x + ( parent.w / 2 - ( parent.w * 0.9 / 2 ) )",
         "parent.x parent.w 2 / parent.w 0.9 * 2 / - +"},
        {"parent.h - 24", "parent.h 24 -"},
        {"1+2*3", "1 2 3 * +"},
        {"\t 7 \t", "7"},
        {"", ""},
        {"   ", ""},
    };
    CInfixToPostfix converter;
    for (const ConvertCase& c : cases) EXPECT_EQ(converter.Convert(c.infix), c.postfix) << c.infix;
}

TEST(InfixToPostfix, SignsJoinTheOperandWhereOneIsExpected) {
    const ConvertCase cases[] = {
        {"-5 + 3", "-5 3 +"},
        {"2 * -3", "2 -3 *"},
        {"( -2 )", "-2"},
        {"1 - -2", "1 -2 -"},
        {"1--2", "1 -2 -"},
        {"+7", "+7"},
        {"-parent.x + 1", "-parent.x 1 +"},
        {"2 - 3", "2 3 -"},
        {"--5", "--5"},
        // A sign before "(" stays an operator: minus ( 2 ) is 2 followed by minus.
        {"-( 2 )", "2 -"},
        {"- - (1)", "- 1 -"},  // the first "-" meets an empty stack
        // Blanks between sign and operand: read as one signed operand, consumed whole.
        {"- 5", "-5"},
        {"3 - - 5", "3 -5 -"},
        // A trailing sign has nothing to join.
        {"3 * -", "3 * -"},
    };
    CInfixToPostfix converter;
    for (const ConvertCase& c : cases) EXPECT_EQ(converter.Convert(c.infix), c.postfix) << c.infix;
}

TEST(InfixToPostfix, OperandsKeepInnerBlanksAndStrayTokensPassThrough) {
    const ConvertCase cases[] = {
        {"1 2 + 3", "1 2 3 +"},
        {"abc def * 2", "abc def 2 *"},
        {"( 1 + 2", "1 2 + ("},
        {"1 + 2 )", "1 2 +"},
        {") )", ""},
        {"* 3", "3 *"},
        {"((", "( ("},
    };
    CInfixToPostfix converter;
    for (const ConvertCase& c : cases) EXPECT_EQ(converter.Convert(c.infix), c.postfix) << c.infix;
}

TEST(InfixToPostfix, NextTokenReportsKinds) {
    CInfixToPostfix converter;
    converter.Convert("");  // starts from "nothing read yet"
    int kind = -1;
    EXPECT_EQ(converter.GetNextToken("  -12 + x", kind), "-12");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_OPERAND);
    // After an operand a sign is an operator.
    EXPECT_EQ(converter.GetNextToken(" - x", kind), "-");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_OPERATOR);
    EXPECT_EQ(converter.GetNextToken("( 1", kind), "(");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_LEFT);
    EXPECT_EQ(converter.GetNextToken(") 1", kind), ")");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_RIGHT);
    EXPECT_EQ(converter.GetNextToken(" a b / 2", kind), "a b");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_OPERAND);
    EXPECT_EQ(converter.GetNextToken("   ", kind), "");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_NONE);
    kind = 42;
    EXPECT_EQ(converter.GetNextToken("", kind), "");
    EXPECT_EQ(kind, 42);
}

TEST(Calculator, KnownAnswers) {
    const ValueCase cases[] = {
        {"1 + 2 * 3", 7},
        {"1 - 2 - 3", -4},
        {"( 1 + 2 ) * 3", 9},
        {"-5 + 3", -2},
        {"2 * -3", -6},
        {"-( 2 )", -2},
        {"12 / 4 / 3", 1},
        {"1.5 * 4", 6},
        {".5 + 1.", 1.5},
        {"--5", 5},
        {"+-5", -5},
        {"200 / 10", 20},
        {"640 + ( 400 / 2 - ( 400 * 0.9 / 2 ) )", 660},
        {"", 0},
        {" \t ", 0},
    };
    CCalculator calculator;
    for (const ValueCase& c : cases) EXPECT_DOUBLE_EQ(calculator.Calculate(c.infix), c.value) << c.infix;
}

TEST(Calculator, NamedOperandsPushTheirValue) {
    CCalculator calculator;
    CValueOperand width(200), x(15);
    calculator.AddOperand("parent.w", &width);
    calculator.AddOperand("parent.x", &x);
    EXPECT_DOUBLE_EQ(calculator.Calculate("parent.w / 10"), 20);
    EXPECT_DOUBLE_EQ(calculator.Calculate("parent.x + ( parent.w / 2 - ( parent.w * 0.9 / 2 ) )"), 25);
    EXPECT_DOUBLE_EQ(calculator.Calculate("-parent.x + 1"), -14);
    EXPECT_DOUBLE_EQ(calculator.Calculate("2 * -parent.w"), -400);
    width.SetValue(640);
    EXPECT_DOUBLE_EQ(calculator.Calculate("parent.w - 20"), 620);
    // Unknown names (signed or not) are ignored.
    EXPECT_DOUBLE_EQ(calculator.Calculate("abc + 1"), 1);
    EXPECT_DOUBLE_EQ(calculator.Calculate("-abc + 1"), 1);
}

TEST(Calculator, FirstOperandOfANameIsKept) {
    testsupport::CExpectedAssertions broken;
    CCalculator calculator;
    CValueOperand first(1), second(2);
    calculator.AddOperand("n", &first);
    calculator.AddOperand("n", &second);
    calculator.AddOperand("+", &second);
    EXPECT_DOUBLE_EQ(calculator.Calculate("n"), 1);
    EXPECT_DOUBLE_EQ(calculator.Calculate("n + n"), 2);
    EXPECT_EQ(broken.GetCount(), broken.Expected(2));
}

TEST(Postfix, NumberTokens) {
    const ValueCase cases[] = {
        {"1.2.3", 1.2},   // the longest number at the front
        {"5-3", 5},       {".", 0},  {"-.", 0}, {"--", 0}, {"-+-+2", 2}, {"007", 7},
        {"\t4\t", 4},     // tabs around a token are not part of it
        {"x y", 0},       // neither names nor numbers
    };
    CPostfix postfix;
    for (const ValueCase& c : cases) EXPECT_DOUBLE_EQ(postfix.Calculate(c.infix), c.value) << c.infix;
    // Numbers beyond the range of a double give the largest double with their sign.
    EXPECT_EQ(postfix.Calculate("1" + std::string(400, '0')), DBL_MAX);
    EXPECT_EQ(postfix.Calculate("-1" + std::string(400, '0')), -DBL_MAX);
    EXPECT_EQ(postfix.Calculate("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(Postfix, StackOperationsOnAnEmptyStackGiveZero) {
    CPostfix postfix;
    EXPECT_TRUE(postfix.IsEmpty());
    EXPECT_EQ(postfix.Pop(), 0.0);
    EXPECT_EQ(postfix.Top(), 0.0);
    postfix.Push(3);
    EXPECT_EQ(postfix.Top(), 3.0);
    EXPECT_EQ(postfix.Pop(), 3.0);
    EXPECT_TRUE(postfix.IsEmpty());
}

// Where the calculator's rules and ordinary arithmetic part ways.
TEST(Calculator, DiffersFromArithmeticWhereOperandsAreMissing) {
    CCalculator calculator;
    // Division by zero is not computed: the operator pushes 0.
    EXPECT_EQ(calculator.Calculate("5 / 0"), 0.0);
    EXPECT_EQ(calculator.Calculate("5 / ( 3 - 3 )"), 0.0);
    EXPECT_EQ(calculator.Calculate("1 + 5 / 0"), 1.0);
    // "*" and "/" with one value drop it; "+" and "-" take a missing left value as 0.
    EXPECT_EQ(calculator.Calculate("2 *"), 0.0);
    EXPECT_EQ(calculator.Calculate("/ 4"), 0.0);
    EXPECT_EQ(calculator.Calculate("+ 4"), 4.0);
    EXPECT_EQ(calculator.Calculate("- 4"), -4.0);
    EXPECT_EQ(calculator.Calculate("3 -"), -3.0);
    // A sign before "(" negates only the parenthesis' value, whatever operator precedes it.
    EXPECT_EQ(calculator.Calculate("3 * -( 2 )"), -2.0);
    // Two operands side by side: the last one is the result.
    EXPECT_EQ(calculator.Calculate("1 2"), 2.0);
    EXPECT_EQ(calculator.Calculate("1 2 + 3"), 5.0);
}

TEST(Calculator, LeftoverValuesDoNotReachTheNextCalculation) {
    CCalculator calculator;
    EXPECT_EQ(calculator.Calculate("10 20"), 20.0);
    EXPECT_EQ(calculator.Calculate("* 3"), 0.0);  // would be 30 with the 10 still stacked
    EXPECT_TRUE(calculator.IsEmpty());
    EXPECT_EQ(calculator.Calculate("( 1 + 2"), 3.0);
    EXPECT_EQ(calculator.Calculate("4"), 4.0);
}

// ---------------------------------------------------------------------------------------------
// Python's arithmetic as the independent judge.

namespace {

class CExpressionGenerator {
public:
    explicit CExpressionGenerator(unsigned seed) : myRandom(seed) {}

    std::string Expression(int depth) {
        const int choice = depth <= 0 ? 0 : Pick(5);
        if (choice <= 1) return Number();
        if (choice == 2) return "(" + Blanks() + Expression(depth - 1) + Blanks() + ")";
        static const char* const kOperators[] = {"+", "-", "*", "/"};
        return Expression(depth - 1) + Blanks() + kOperators[Pick(4)] + Blanks() + Expression(depth - 1);
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(myRandom); }

    std::string Blanks() {
        static const char* const kBlanks[] = {"", " ", " ", "  ", "\t"};
        return kBlanks[Pick(5)];
    }

    std::string Number() {
        std::string sign;
        const int signs = Pick(8) == 0 ? 2 : (Pick(3) == 0 ? 1 : 0);
        for (int i = 0; i < signs; ++i) sign += Pick(3) == 0 ? "+" : "-";
        const std::string whole = std::to_string(Pick(1000));
        switch (Pick(4)) {
            case 0: return sign + whole + "." + std::to_string(Pick(100000));
            case 1: return sign + "." + std::to_string(Pick(1000));
            default: return sign + whole;
        }
    }

    std::mt19937 myRandom;
};

// Evaluates every line of the file with Python, numbers as floats; "Z" marks a division by zero.
const char* const kPythonJudge =
    "import ast, sys\n"
    "for line in open(sys.argv[1]):\n"
    "    tree = ast.parse(line.strip(), mode='eval')\n"
    "    for node in ast.walk(tree):\n"
    "        if isinstance(node, ast.Constant):\n"
    "            node.value = float(node.value)\n"
    "    try:\n"
    "        print(repr(eval(compile(tree, 'expr', 'eval'))))\n"
    "    except ZeroDivisionError:\n"
    "        print('Z')\n";

bool HavePython() { return std::system("python3 -c pass > /dev/null 2>&1") == 0; }

std::vector<std::string> RunPython(const std::string& script, const std::string& input) {
    std::vector<std::string> lines;
    const std::string command = "python3 " + script + " " + input;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return lines;
    std::string line;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        lines.push_back(line);
        line.clear();
    }
    pclose(pipe);
    return lines;
}

}  // namespace

TEST(Calculator, AgreesWithPythonOnRandomExpressions) {
    if (!HavePython()) GTEST_SKIP() << "python3 is not installed";
    testsupport::CTempDir temp;
    CExpressionGenerator generator(20240611u);
    std::vector<std::string> expressions;
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        expressions.push_back(generator.Expression(1 + i % 6));
        text += expressions.back() + "\n";
    }
    testsupport::WriteFile("expressions.txt", text);
    testsupport::WriteFile("judge.py", kPythonJudge);
    const std::vector<std::string> answers = RunPython("judge.py", "expressions.txt");
    ASSERT_EQ(answers.size(), expressions.size());

    CCalculator calculator;
    int compared = 0;
    for (size_t i = 0; i < expressions.size(); ++i) {
        if (answers[i] == "Z") continue;
        const double expected = std::strtod(answers[i].c_str(), nullptr);
        const double actual = calculator.Calculate(expressions[i]);
        EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << expressions[i];
        ++compared;
    }
    EXPECT_GT(compared, 4500);
}

// ---------------------------------------------------------------------------------------------
// Bad input: everything ends, linearly, with some number.

namespace {

std::string Repeat(const std::string& piece, size_t count) {
    std::string text;
    text.reserve(piece.size() * count);
    for (size_t i = 0; i < count; ++i) text += piece;
    return text;
}

}  // namespace

TEST(Calculator, UnbalancedAndStrayInputEnds) {
    const ValueCase cases[] = {
        {"(", 0}, {")", 0}, {"+", 0}, {"-", 0}, {"*", 0}, {"/", 0}, {"()", 0}, {"(((1", 1},
        {"1)))", 1}, {"+-*/", 0}, {"((1 + 2) * 3", 9}, {"1 + * 2", 2}, {"*/+-", 0},
    };
    CCalculator calculator;
    for (const ValueCase& c : cases) EXPECT_DOUBLE_EQ(calculator.Calculate(c.infix), c.value) << c.infix;
}

TEST(Calculator, LongExpressionsEvaluateWithoutDeepRecursion) {
    const size_t n = 100000;
    CCalculator calculator;
    EXPECT_EQ(calculator.Calculate(Repeat("(", n) + "7" + Repeat(")", n)), 7.0);
    EXPECT_EQ(calculator.Calculate(Repeat("(", n) + "7"), 7.0);
    EXPECT_EQ(calculator.Calculate("7" + Repeat(")", n)), 7.0);
    EXPECT_EQ(calculator.Calculate(Repeat("1 + ", n) + "1"), static_cast<double>(n + 1));
    EXPECT_EQ(calculator.Calculate(Repeat("-", n) + "5"), 5.0);
    EXPECT_EQ(calculator.Calculate(Repeat("- ", n) + "5"), 5.0);
    EXPECT_EQ(calculator.Calculate(Repeat("- ", n) + "(5)"), -5.0);  // every "-" but the last meets an empty stack
    EXPECT_EQ(calculator.Calculate(Repeat("5 - - ", n) + "5"), 5.0 * (n + 1));
    EXPECT_EQ(calculator.Calculate(Repeat("* ", n) + "5"), 0.0);
    EXPECT_EQ(calculator.Calculate(Repeat("2 ", n)), 2.0);
    EXPECT_EQ(calculator.Calculate(std::string(n, '9')), DBL_MAX);
    EXPECT_EQ(calculator.Calculate(std::string(n, '.')), 0.0);
    EXPECT_EQ(calculator.Calculate(std::string(n, ' ')), 0.0);
}

TEST(Calculator, BinaryBytesAreIgnoredOrReadAsNames) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    CCalculator calculator;
    const double value = calculator.Calculate(bytes);
    EXPECT_FALSE(std::isnan(value));
    EXPECT_EQ(calculator.Calculate(std::string("1\0+2", 4)), 2.0);  // "1\0" is a name, not a number
    EXPECT_EQ(calculator.Calculate("\xff\xfe + 3"), 3.0);
}
