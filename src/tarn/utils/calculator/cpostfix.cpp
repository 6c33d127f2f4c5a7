// Evaluates a postfix token string on a stack of doubles. Every token is first looked up
// among the named operands (operators and named values); otherwise it is read as a number.
#include "tarn/utils/calculator/cpostfix.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "tarn/utils/logger/cassert.h"
#include "tarn/utils/calculator/icalculatoroperand.h"

namespace tarn {

namespace {

using size_type = std::string::size_type;
const size_type npos = std::string::npos;

bool IsNumberText(const std::string& token) { return token.find_first_not_of("0123456789.+-") == npos; }

// The number at the start of text as stream extraction reads it: the longest valid prefix,
// 0 when there is none, the largest double (with its sign) when it overflows.
double ParseUnsigned(const char* text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (end == text) return 0.0;
    if (errno == ERANGE && std::isinf(value)) return value > 0 ? DBL_MAX : -DBL_MAX;
    return value;
}

// Counts the leading run of signs; true (in negative) when it holds an odd number of "-".
size_type SkipSigns(const std::string& token, bool& negative) {
    negative = false;
    size_type at = 0;
    for (; at < token.size() && (token[at] == '+' || token[at] == '-'); ++at) {
        if (token[at] == '-') negative = !negative;
    }
    return at;
}

}  // namespace

CPostfix::CPostfix() = default;

CPostfix::~CPostfix() = default;

void CPostfix::AddOperand(const std::string& name, ICalculatorOperand* operand) {
    cassert(myOperands.find(name) == myOperands.end()) cvalue(name);
    myOperands.emplace(name, operand);
}

void CPostfix::Push(double value) { myStack.push_back(value); }

double CPostfix::Pop() {
    if (myStack.empty()) return 0.0;
    const double value = myStack.back();
    myStack.pop_back();
    return value;
}

double CPostfix::Top() const { return myStack.empty() ? 0.0 : myStack.back(); }

bool CPostfix::IsEmpty() const { return myStack.empty(); }

void CPostfix::EvaluateToken(const std::string& token) {
    const auto found = myOperands.find(token);
    if (found != myOperands.end()) {
        if (found->second) found->second->Execute(*this);
        return;
    }
    bool negative = false;
    const size_type digits = SkipSigns(token, negative);
    if (IsNumberText(token)) {
        const double value = ParseUnsigned(token.c_str() + digits);
        Push(negative ? -value : value);
        return;
    }
    if (digits == 0) return;
    // A signed name ("-parent.x"): the named value with the sign applied.
    const auto named = myOperands.find(token.substr(digits));
    if (named == myOperands.end() || !named->second) return;
    const size_type before = myStack.size();
    named->second->Execute(*this);
    if (negative && myStack.size() == before + 1) myStack.back() = -myStack.back();
}

double CPostfix::Calculate(const std::string& postfix) {
    size_type begin = 0;
    while (begin < postfix.size()) {
        size_type end = postfix.find(' ', begin);
        if (end == npos) end = postfix.size();
        size_type first = begin;
        size_type last = end;
        while (first < last && postfix[first] == '\t') ++first;
        while (last > first && postfix[last - 1] == '\t') --last;
        if (last > first) EvaluateToken(postfix.substr(first, last - first));
        begin = end + 1;
    }
    const double result = myStack.empty() ? 0.0 : myStack.back();
    // Values below the result belong to this text only; they must not reach the next one.
    myStack.clear();
    return result;
}

}  // namespace tarn
