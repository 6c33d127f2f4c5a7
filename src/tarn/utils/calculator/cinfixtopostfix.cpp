// Turns an infix arithmetic text ("parent.w / 2 - 5") into a postfix token string
// ("parent.w 2 / 5 -") by the shunting-yard method, for the postfix evaluator.
#include "tarn/utils/calculator/cinfixtopostfix.h"

#include <utility>
#include <vector>

#include "tarn/utils/string/stringutils.h"

namespace tarn {

namespace {

using size_type = std::string::size_type;
const size_type npos = std::string::npos;
const char* const kBlanks = " \t";

bool IsSign(const std::string& text, size_type at, size_type length) {
    return length == 1 && (text[at] == '+' || text[at] == '-');
}

// Where an operand may begin: at the start, after an operator or after "(".
bool ExpectsOperand(int previousKind) {
    return previousKind == CInfixToPostfix::TOKEN_NONE || previousKind == CInfixToPostfix::TOKEN_OPERATOR ||
           previousKind == CInfixToPostfix::TOKEN_LEFT;
}

}  // namespace

CInfixToPostfix::CInfixToPostfix()
    : myLeftParenthesis("("), myRightParenthesis(")"), mySeparator(" "), myPreviousKind(TOKEN_NONE),
      myChainBegin(npos), myChainEnd(npos) {
    myOperators["+"] = 0;
    myOperators["-"] = 0;
    myOperators["/"] = 1;
    myOperators["*"] = 1;
    for (const auto& entry : myOperators) myDelimiterStarts += entry.first[0];
    myDelimiterStarts += myLeftParenthesis[0];
    myDelimiterStarts += myRightParenthesis[0];
}

size_type CInfixToPostfix::FindDelimiter(const std::string& text, size_type from, size_type& length,
                                       int& kind) const {
    // Walks the text once; at each position the operators are tried in map order, then the
    // parentheses, so the earliest match wins and ties go to the first in that order.
    for (size_type at = text.find_first_of(myDelimiterStarts, from); at != npos;
         at = text.find_first_of(myDelimiterStarts, at + 1)) {
        for (const auto& entry : myOperators) {
            if (text.compare(at, entry.first.size(), entry.first) == 0) {
                length = entry.first.size();
                kind = TOKEN_OPERATOR;
                return at;
            }
        }
        if (text.compare(at, myLeftParenthesis.size(), myLeftParenthesis) == 0) {
            length = myLeftParenthesis.size();
            kind = TOKEN_LEFT;
            return at;
        }
        if (text.compare(at, myRightParenthesis.size(), myRightParenthesis) == 0) {
            length = myRightParenthesis.size();
            kind = TOKEN_RIGHT;
            return at;
        }
    }
    return npos;
}

CInfixToPostfix::Span CInfixToPostfix::ReadPlainToken(const std::string& text, size_type from) const {
    Span span{text.size(), text.size(), TOKEN_NONE};
    const size_type first = text.find_first_not_of(kBlanks, from);
    if (first == npos) return span;
    size_type length = 0;
    int kind = TOKEN_NONE;
    const size_type delimiter = FindDelimiter(text, first, length, kind);
    if (delimiter == first) return Span{delimiter, delimiter + length, kind};
    // An operand: everything up to the next operator or parenthesis, inner blanks included.
    size_type last = (delimiter == npos ? text.size() : delimiter);
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
    return Span{first, last, TOKEN_OPERAND};
}

std::string CInfixToPostfix::NextToken(const std::string& text, size_type from, Span& span) {
    span = ReadPlainToken(text, from);
    if (span.myKind != TOKEN_OPERATOR || !IsSign(text, span.myBegin, span.myEnd - span.myBegin) ||
        !ExpectsOperand(myPreviousKind)) {
        myPreviousKind = span.myKind;
        return text.substr(span.myBegin, span.myEnd - span.myBegin);
    }
    // A sign where an operand is expected joins the operand after it, through any further signs.
    // A chain known to end in something else is not walked again for each of its signs.
    const bool knownToFail = span.myBegin >= myChainBegin && span.myBegin < myChainEnd;
    std::string signs(1, text[span.myBegin]);
    size_type at = span.myEnd;
    Span last{at, at, TOKEN_NONE};
    while (!knownToFail && at < text.size()) {
        last = ReadPlainToken(text, at);
        if (last.myKind != TOKEN_OPERATOR || !IsSign(text, last.myBegin, last.myEnd - last.myBegin)) break;
        signs += text[last.myBegin];
        at = last.myEnd;
        last = Span{at, at, TOKEN_NONE};
    }
    if (!knownToFail && last.myKind == TOKEN_OPERAND) {
        // The whole chain is consumed, blanks between sign and operand included.
        myPreviousKind = TOKEN_OPERAND;
        span = Span{span.myBegin, last.myEnd, TOKEN_OPERAND};
        return signs + text.substr(last.myBegin, last.myEnd - last.myBegin);
    }
    if (!knownToFail) {
        myChainBegin = span.myBegin;
        myChainEnd = at;
    }
    myPreviousKind = TOKEN_OPERATOR;
    return signs.substr(0, 1);
}

std::string CInfixToPostfix::GetNextToken(const std::string& text, int& kind) {
    if (text.empty()) return std::string();
    myChainBegin = myChainEnd = npos;
    Span span;
    const std::string token = NextToken(text, 0, span);
    kind = span.myKind;
    return token;
}

std::string CInfixToPostfix::Convert(const std::string& infix) {
    myPreviousKind = TOKEN_NONE;
    myChainBegin = myChainEnd = npos;
    const std::string input = Trim(infix);
    std::string output;
    // Pending operators with their precedence; "(" is kept with precedence -1.
    std::vector<std::pair<std::string, int>> stack;
    Span span;
    std::string token = input.empty() ? std::string() : NextToken(input, 0, span);
    while (!token.empty()) {
        switch (span.myKind) {
            case TOKEN_OPERATOR: {
                const int precedence = myOperators[token];
                while (!stack.empty() && stack.back().first != myLeftParenthesis &&
                       stack.back().second >= precedence) {
                    output += stack.back().first + mySeparator;
                    stack.pop_back();
                }
                stack.emplace_back(token, precedence);
                break;
            }
            case TOKEN_LEFT:
                stack.emplace_back(token, -1);
                break;
            case TOKEN_RIGHT:
                while (!stack.empty() && stack.back().first != myLeftParenthesis) {
                    output += stack.back().first + mySeparator;
                    stack.pop_back();
                }
                if (!stack.empty()) stack.pop_back();
                break;
            default:
                output += token + mySeparator;
                break;
        }
        if (span.myEnd >= input.size()) break;
        token = NextToken(input, span.myEnd, span);
    }
    while (!stack.empty()) {
        output += stack.back().first + mySeparator;
        stack.pop_back();
    }
    if (!output.empty()) output.pop_back();
    return output;
}

}  // namespace tarn
