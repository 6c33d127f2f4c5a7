// The line-based XML reader: feeds lines through a small state machine and reports elements,
// attributes and text to a handler. Lines are trimmed and joined with nothing between them.
#include "tarn/utils/xml/cxmlparser.h"

#include <fstream>
#include <vector>

namespace tarn {

namespace {

using view = std::string_view;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

view TrimLeft(view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

view TrimRight(view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

view Trim(view text) { return TrimRight(TrimLeft(text)); }

// Line feeds at the end go, but never the last character.
view DropTrailingLineFeeds(view text) {
    while (text.size() > 1 && text.back() == '\n') text.remove_suffix(1);
    return text;
}

void TrimString(std::string& text) {
    while (!text.empty() && IsBlank(text.back())) text.pop_back();
    std::string::size_type first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    if (first > 0) text.erase(0, first);
}

// End of an attribute value: the first blank outside a pair of double quotes, or the end.
// A blank after an unpaired quote never ends the value.
view::size_type FindValueEnd(view text, view::size_type start) {
    bool quoted = false;
    for (view::size_type i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && IsBlank(c)) {
            return i;
        }
    }
    return text.size();
}

}  // namespace

void CXmlParser::StartChecks() {
    // Whatever an earlier, unfinished document left pending is forgotten.
    myState = STATE_TEXT;
    myText.clear();
    myTag.clear();
    myCommentTail.clear();
    ClearAttributes();
    myLine = 0;
    myOpenElements.clear();
    mySawElement = false;
    myErrorLine = 0;
    myError.clear();
}

void CXmlParser::FinishChecks() {
    if (myState == STATE_TAG) {
        Fail("the document ends inside a tag");
    } else if (myState == STATE_COMMENT) {
        Fail("the document ends inside a comment");
    } else if (myOpenElements.empty() && !Trim(myText).empty()) {
        Fail("text outside the top-level element");
    } else if (!myOpenElements.empty()) {
        Fail("the document ends inside the element \"" + myOpenElements.back() + "\"");
    } else if (!mySawElement) {
        Fail("the document holds no element");
    }
}

void CXmlParser::Fail(const std::string& reason) {
    if (!myError.empty()) return;
    myErrorLine = myLine > 0 ? myLine : 1;
    myError = reason;
}

void CXmlParser::ParseFile(const std::string& fileName) {
    StartChecks();
    if (myHandler) myHandler->StartDocument();
    std::ifstream in(fileName, std::ios::binary);
    std::vector<char> block(1 << 16);
    std::string carry;
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        FeedLines(view(block.data(), static_cast<view::size_type>(in.gcount())), carry);
    }
    if (!carry.empty()) FeedLine(carry);
    FinishChecks();
    if (myHandler) myHandler->EndDocument();
}

void CXmlParser::ParseText(view text) {
    StartChecks();
    if (myHandler) myHandler->StartDocument();
    std::string carry;
    FeedLines(text, carry);
    if (!carry.empty()) FeedLine(carry);
    FinishChecks();
    if (myHandler) myHandler->EndDocument();
}

void CXmlParser::FeedLines(view chunk, std::string& carry) {
    view::size_type start = 0;
    for (view::size_type end = chunk.find('\n'); end != view::npos; end = chunk.find('\n', start)) {
        if (carry.empty()) {
            FeedLine(chunk.substr(start, end - start));
        } else {
            carry.append(chunk.substr(start, end - start));
            FeedLine(carry);
            carry.clear();
        }
        start = end + 1;
    }
    carry.append(chunk.substr(start));
}

void CXmlParser::FeedLine(view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ParseLine(line);
}

void CXmlParser::ParseLine(const std::string& line) { ParseLine(view(line)); }

void CXmlParser::ParseLine(view line) {
    ++myLine;
    view rest = myTrimWhitespace ? Trim(line) : line;
    // Each pass handles what lies before the next delimiter; the rest is trimmed again,
    // exactly as if it were a line of its own.
    while (!rest.empty()) {
        switch (myState) {
            case STATE_TEXT: rest = ReadText(rest); break;
            case STATE_TAG: rest = ReadTag(rest); break;
            case STATE_COMMENT: rest = ReadComment(rest); break;
        }
        if (myTrimWhitespace) rest = TrimLeft(rest);
    }
}

view CXmlParser::ReadText(view rest) {
    const view::size_type open = rest.find('<');
    if (open == view::npos) {
        myText.append(rest);
        return view();
    }
    myState = STATE_TAG;
    if (myText.empty()) {
        FlushText(rest.substr(0, open));
    } else {
        myText.append(rest.substr(0, open));
        FlushText(myText);
        myText.clear();
    }
    return rest.substr(open + 1);
}

view CXmlParser::ReadTag(view rest) {
    if (myTag.empty() && rest.substr(0, 3) == "!--") {
        // A comment runs to "-->" and may hold ">" and line ends.
        myState = STATE_COMMENT;
        myCommentTail.clear();
        return rest.substr(3);
    }
    const view::size_type close = rest.find('>');
    if (close == view::npos) {
        myTag.append(rest);
        return view();
    }
    myState = STATE_TEXT;
    if (myTag.empty()) {
        HandleTag(rest.substr(0, close));
    } else {
        myTag.append(rest.substr(0, close));
        const std::string tag = std::move(myTag);
        myTag.clear();
        HandleTag(tag);
    }
    return rest.substr(close + 1);
}

view CXmlParser::ReadComment(view rest) {
    // The character k places before rest[i], looking back into the previous lines' tail.
    auto before = [&](view::size_type i, view::size_type k) -> char {
        if (i >= k) return rest[i - k];
        const view::size_type back = k - i;
        return back <= myCommentTail.size() ? myCommentTail[myCommentTail.size() - back] : '\0';
    };
    for (view::size_type i = rest.find('>'); i != view::npos; i = rest.find('>', i + 1)) {
        if (before(i, 1) == '-' && before(i, 2) == '-') {
            myState = STATE_TEXT;
            myCommentTail.clear();
            return rest.substr(i + 1);
        }
    }
    myCommentTail.append(rest.size() >= 2 ? rest.substr(rest.size() - 2) : rest);
    if (myCommentTail.size() > 2) myCommentTail.erase(0, myCommentTail.size() - 2);
    return view();
}

void CXmlParser::FlushText(view text) {
    text = Trim(DropTrailingLineFeeds(text));
    if (text.empty()) return;
    // A byte-order mark may open a file.
    if (myOpenElements.empty() && !(!mySawElement && text == "\xEF\xBB\xBF"))
        Fail("text outside the top-level element");
    if (!myHandler) return;
    myHandler->Characters(std::string(text));
}

void CXmlParser::HandleTag(view tag) {
    tag = DropTrailingLineFeeds(Trim(tag));
    if (tag.empty()) return;
    switch (tag.front()) {
        case '/':
            CheckEndTag(Trim(tag.substr(1)));
            if (myHandler) myHandler->EndElement(std::string(tag.substr(1)));
            return;
        case '!':  // comments and declarations
        case '?':  // the XML declaration and processing instructions
            return;
        default: HandleStartTag(tag); return;
    }
}

void CXmlParser::HandleStartTag(view tag) {
    const bool closed = tag.back() == '/';
    if (closed) tag.remove_suffix(1);
    std::string name = tag.find('=') == view::npos ? std::string(tag) : SplitAttributes(tag);
    TrimString(name);
    if (myOpenElements.empty() && mySawElement) Fail("a second top-level element \"" + name + "\"");
    mySawElement = true;
    if (!closed) myOpenElements.push_back(name);
    if (myHandler) {
        myHandler->StartElement(name, myAttributes);
        if (closed) myHandler->EndElement(name);
    }
    ClearAttributes();
}

void CXmlParser::CheckEndTag(view name) {
    if (myOpenElements.empty()) {
        Fail("the end tag \"" + std::string(name) + "\" closes no element");
        return;
    }
    if (name != myOpenElements.back())
        Fail("the end tag \"" + std::string(name) + "\" does not close \"" + myOpenElements.back() + "\"");
    myOpenElements.pop_back();
}

void CXmlParser::AddAttribute(view name, view value) {
    CXmlAttributeMap::node_type entry;
    if (mySpareAttributes.empty()) {
        CXmlAttributeMap scratch;
        scratch.emplace(std::string(name), CAnyContainer(std::string(value)));
        entry = scratch.extract(scratch.begin());
    } else {
        entry = std::move(mySpareAttributes.back());
        mySpareAttributes.pop_back();
        entry.key().assign(name);
        if (std::string* text = entry.mapped().GetPointer<std::string>()) {
            text->assign(value);
        } else {
            entry.mapped() = CAnyContainer(std::string(value));
        }
    }
    // A name already present keeps its first value.
    auto result = myAttributes.insert(std::move(entry));
    if (!result.inserted) mySpareAttributes.push_back(std::move(result.node));
}

void CXmlParser::ClearAttributes() {
    const std::size_t kKeep = 64;
    while (!myAttributes.empty() && mySpareAttributes.size() < kKeep) {
        mySpareAttributes.push_back(myAttributes.extract(myAttributes.begin()));
    }
    myAttributes.clear();
}

// Takes the attributes off the tag text into the pending attribute map and returns what
// remains, the element name. Each round removes the first "=": the word before it is the
// attribute name, the quoted text after it the value. Linear in the tag's length: the
// remaining text is kept as the part before the names (head) and an untouched tail of tag.
std::string CXmlParser::SplitAttributes(view tag) {
    tag = TrimRight(tag);
    std::string head;
    view::size_type tail = 0;
    for (view::size_type eq = tag.find('='); eq != view::npos; eq = tag.find('=', tail)) {
        head.append(tag.substr(tail, eq - tail));
        TrimString(head);
        const std::string::size_type blank = head.find_last_of(" \t");
        // Without a blank before it the word is no attribute name: it stays in the element
        // name and its value is dropped (a tag broken over two lines ends up like this).
        const bool named = blank != std::string::npos;
        view::size_type start = eq + 1;
        while (start < tag.size() && IsBlank(tag[start])) ++start;
        tail = FindValueEnd(tag, start);
        const view value = tag.substr(start, tail - start);
        if (named) {
            const view inner = value.size() >= 2 ? value.substr(1, value.size() - 2) : view();
            AddAttribute(view(head).substr(blank + 1), inner);
            head.resize(blank);
        }
    }
    head.append(tag.substr(tail));
    return head;
}

}  // namespace tarn
