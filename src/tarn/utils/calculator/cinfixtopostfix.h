// Turns an infix arithmetic text ("parent.w / 2 - 5") into a postfix token string
// ("parent.w 2 / 5 -") by the shunting-yard method, for the postfix evaluator.
#ifndef TARN_UTILS_CALCULATOR_CINFIXTOPOSTFIX_H
#define TARN_UTILS_CALCULATOR_CINFIXTOPOSTFIX_H

#include <map>
#include <string>

namespace tarn {

class CInfixToPostfix {
public:
    // Token kinds reported by GetNextToken.
    enum TokenKind { TOKEN_NONE = 0, TOKEN_OPERATOR = 1, TOKEN_LEFT = 3, TOKEN_RIGHT = 4, TOKEN_OPERAND = 5 };

    CInfixToPostfix();

    // The postfix form: operands and operators separated by single spaces, "" for a blank text.
    // Never fails: unbalanced parentheses and stray operators are passed through (an unmatched
    // "(" is written out like an operator), names and numbers are copied unchanged.
    std::string Convert(const std::string& infix);

    // The first token of text and its kind. A "+" or "-" where an operand is expected (at the
    // start, after an operator or after "(") joins the operand that follows it ("-5", "-parent.x").
    // Reads and updates the kind of the previous token; Convert resets it.
    std::string GetNextToken(const std::string& text, int& kind);

private:
    // Where a token lies in the text being converted, and its kind.
    struct Span {
        std::string::size_type myBegin;
        std::string::size_type myEnd;
        int myKind;
    };

    std::string NextToken(const std::string& text, std::string::size_type from, Span& span);
    Span ReadPlainToken(const std::string& text, std::string::size_type from) const;
    std::string::size_type FindDelimiter(const std::string& text, std::string::size_type from,
                                       std::string::size_type& length, int& kind) const;

    std::map<std::string, int> myOperators;
    std::string myLeftParenthesis;
    std::string myRightParenthesis;
    std::string mySeparator;
    // The first characters of the operators and parentheses: where a search may stop.
    std::string myDelimiterStarts;
    int myPreviousKind;
    // The signs [myChainBegin, myChainEnd) of the text being converted lead to no operand.
    std::string::size_type myChainBegin;
    std::string::size_type myChainEnd;
};

}  // namespace tarn

#endif
