// The line-based XML reader: feeds lines through a small state machine and reports elements,
// attributes and text to a handler. Lines are trimmed and joined with nothing between them.
#include "tarn/utils/xml/cxmlparser.h"

#include "tarn/io/regularfile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "tarn/utils/xml/xmlshorttext.h"

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

// The position of c in text, or npos.
view::size_type Find(view text, char c, view::size_type from = 0) {
    if (from >= text.size()) return view::npos;
    const void* found = std::memchr(text.data() + from, c, text.size() - from);
    return found ? static_cast<view::size_type>(static_cast<const char*>(found) - text.data()) : view::npos;
}

// What a character may be in the quick reading of a whole tag on one line.
enum : unsigned char { kOther = 0, kNameChar = 1, kBlank = 2 };

struct CCharClasses {
    unsigned char of[256];
    constexpr CCharClasses() : of() {
        for (int c = 0; c < 256; ++c) of[c] = kNameChar;
        of[static_cast<unsigned char>(' ')] = kBlank;
        of[static_cast<unsigned char>('\t')] = kBlank;
        // Ends or marks something the quick reading leaves to the general one.
        for (char c : {'=', '"', '>', '/', '<', '!', '?', '\n', '\r', '\0'}) of[static_cast<unsigned char>(c)] = kOther;
    }
};
constexpr CCharClasses kClasses;

unsigned char ClassOf(char c) { return kClasses.of[static_cast<unsigned char>(c)]; }

view::size_type SkipBlanks(view text, view::size_type i) {
    while (i < text.size() && ClassOf(text[i]) == kBlank) ++i;
    return i;
}

view::size_type SkipName(view text, view::size_type i) {
    while (i < text.size() && ClassOf(text[i]) == kNameChar) ++i;
    return i;
}

}  // namespace

bool CXmlParser::ReadWholeFile(const std::string& fileName, std::unique_ptr<char[]>& data, std::size_t& size) {
    return ReadRegularFile(fileName, CFileLimits::kXml, data, size);
}

void CXmlParser::StartChecks() {
    // Whatever an earlier, unfinished document left pending is forgotten.
    myState = STATE_TEXT;
    myText.clear();
    myTag.clear();
    myCommentTail.clear();
    myLine = 0;
    myOpenNames.clear();
    myOpenStarts.clear();
    mySawElement = false;
    myErrorLine = 0;
    myError.clear();
}

void CXmlParser::FinishChecks() {
    if (myState == STATE_TAG) {
        Fail("the document ends inside a tag");
    } else if (myState == STATE_COMMENT) {
        Fail("the document ends inside a comment");
    } else if (myOpenStarts.empty() && !Trim(myText).empty()) {
        Fail("text outside the top-level element");
    } else if (!myOpenStarts.empty()) {
        Fail("the document ends inside the element \"" + std::string(InnermostOpenElement()) + "\"");
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
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    if (ReadWholeFile(fileName, data, size)) FeedLines(view(data.get(), size));
    FinishChecks();
    if (myHandler) myHandler->EndDocument();
}

void CXmlParser::ParseText(view text) {
    StartChecks();
    if (myHandler) myHandler->StartDocument();
    FeedLines(text);
    FinishChecks();
    if (myHandler) myHandler->EndDocument();
}

void CXmlParser::FeedLines(view text) {
    const view::size_type size = text.size();
    view::size_type start = 0;
    while (start < size) {
        const view::size_type next = ReadTagLine(text, start);
        if (next != view::npos) {
            start = next;
            continue;
        }
        const view::size_type end = std::min(Find(text, '\n', start), size);
        FeedLine(text.substr(start, end - start));
        start = end + 1;
    }
}

view::size_type CXmlParser::ReadTagLine(view text, view::size_type start) {
    if (myState != STATE_TEXT || !myText.empty() || !myTrimWhitespace) return view::npos;
    const view::size_type size = text.size();
    const view::size_type open = SkipBlanks(text, start);
    if (open >= size || text[open] != '<') return view::npos;
    view after;
    ++myLine;
    if (!ReadPlainTag(text.substr(open + 1), after)) {
        --myLine;
        return view::npos;
    }
    // Blanks up to the line end, as nearly always, or the rest of the line the general way.
    const view::size_type rest = SkipBlanks(text, static_cast<view::size_type>(after.data() - text.data()));
    if (rest == size) return size;
    if (text[rest] == '\n') return rest + 1;
    if (text[rest] == '\r' && (rest + 1 == size || text[rest + 1] == '\n')) return rest + 2;
    const view::size_type end = std::min(Find(text, '\n', rest), size);
    view line = text.substr(rest, end - rest);
    if (line.back() == '\r') line.remove_suffix(1);
    ParseRest(TrimRight(line));
    return end + 1;
}

void CXmlParser::FeedLine(view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ParseLine(line);
}

void CXmlParser::ParseLine(const std::string& line) { ParseLine(view(line)); }

void CXmlParser::ParseLine(view line) {
    ++myLine;
    ParseRest(myTrimWhitespace ? Trim(line) : line);
}

void CXmlParser::ParseRest(view rest) {
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
    view after;
    if (rest.front() == '<' && myText.empty() && ReadPlainTag(rest.substr(1), after)) return after;
    const view::size_type open = Find(rest, '<');
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
    if (myTag.empty() && rest.size() >= 3 && rest[0] == '!' && rest[1] == '-' && rest[2] == '-') {
        // A comment runs to "-->" and may hold ">" and line ends.
        myState = STATE_COMMENT;
        myCommentTail.clear();
        return rest.substr(3);
    }
    const view::size_type close = Find(rest, '>');
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
    for (view::size_type i = Find(rest, '>'); i != view::npos; i = Find(rest, '>', i + 1)) {
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
    if (myOpenStarts.empty() && !(!mySawElement && text == "\xEF\xBB\xBF")) Fail("text outside the top-level element");
    if (!myHandler) return;
    myHandler->OnCharacters(text);
}

void CXmlParser::HandleTag(view tag) {
    tag = DropTrailingLineFeeds(Trim(tag));
    if (tag.empty()) return;
    switch (tag.front()) {
        case '/':
            CheckEndTag(Trim(tag.substr(1)));
            if (myHandler) myHandler->OnEndElement(tag.substr(1));
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
    myFound.clear();
    // The common tags were read by ReadPlainTag; what comes here takes the general way.
    view name;
    if (Find(tag, '=') == view::npos) {
        name = Trim(tag);
    } else {
        SplitAttributes(tag);
        name = Trim(myHead);
    }
    OpenElement(name, closed);
    if (!myHandler) return;
    const std::vector<CXmlAttributeView>& attributes = SortedAttributes();
    myHandler->OnStartElement(name, attributes.data(), static_cast<int>(attributes.size()));
    if (closed) myHandler->OnEndElement(name);
}

void CXmlParser::OpenElement(view name, bool closed) {
    if (myOpenStarts.empty() && mySawElement) Fail("a second top-level element \"" + std::string(name) + "\"");
    mySawElement = true;
    if (closed) return;
    myOpenStarts.push_back(myOpenNames.size());
    myOpenNames.append(name);
}

void CXmlParser::CheckEndTag(view name) {
    if (myOpenStarts.empty()) {
        Fail("the end tag \"" + std::string(name) + "\" closes no element");
        return;
    }
    const view open = InnermostOpenElement();
    if (!ShortTextEqual(name, open)) Fail("the end tag \"" + std::string(name) + "\" does not close \"" + std::string(open) + "\"");
    myOpenNames.resize(myOpenStarts.back());
    myOpenStarts.pop_back();
}

view CXmlParser::InnermostOpenElement() const {
    return myOpenStarts.empty() ? view() : view(myOpenNames).substr(myOpenStarts.back());
}

const std::vector<CXmlAttributeView>& CXmlParser::SortedAttributes() {
    bool ascending = true;
    for (std::size_t i = 1; i < myFound.size() && ascending; ++i) ascending = ShortTextLess(myFound[i - 1].name, myFound[i].name);
    if (ascending) return myFound;
    mySorted.clear();
    for (const CXmlAttributeView& attribute : myFound) {
        // Insertion in name order; a name already present keeps its first value.
        std::size_t at = mySorted.size();
        while (at > 0 && attribute.name < mySorted[at - 1].name) --at;
        if (at > 0 && mySorted[at - 1].name == attribute.name) continue;
        mySorted.insert(mySorted.begin() + static_cast<std::ptrdiff_t>(at), attribute);
    }
    return mySorted;
}


// The quick reading of the common tags: <name a="1" b="2">, the same closed with "/>", and
// </name>, all on one line. It handles a tag exactly as the general reading would, or leaves
// it untouched (false) when the tag holds anything else.
bool CXmlParser::ReadPlainTag(view rest, view& after) {
    const view::size_type size = rest.size();
    view::size_type i = SkipBlanks(rest, 0);
    if (i < size && rest[i] == '/') {
        const view::size_type start = i + 1;
        i = SkipName(rest, start);
        if (i == start || i >= size || rest[i] != '>') return false;
        const view name = rest.substr(start, i - start);
        CheckEndTag(name);
        if (myHandler) myHandler->OnEndElement(name);
        after = rest.substr(i + 1);
        return true;
    }
    const view::size_type nameStart = i;
    i = SkipName(rest, nameStart);
    if (i == nameStart) return false;
    const view name = rest.substr(nameStart, i - nameStart);
    myFound.clear();
    bool closed = false;
    while (true) {
        const view::size_type blanks = i;
        i = SkipBlanks(rest, i);
        if (i >= size) return false;
        if (rest[i] == '>') break;
        if (rest[i] == '/') {
            i = SkipBlanks(rest, i + 1);
            if (i >= size || rest[i] != '>') return false;
            closed = true;
            break;
        }
        // Another attribute: after blanks, a name, ="value" with no '>' inside.
        const view::size_type attributeStart = i;
        i = SkipName(rest, i);
        if (attributeStart == blanks || i == attributeStart || i + 1 >= size || rest[i] != '=' || rest[i + 1] != '"') return false;
        const view::size_type valueStart = i + 2;
        view::size_type quote = valueStart;
        while (quote < size && rest[quote] != '"' && rest[quote] != '>' && rest[quote] != '\n') ++quote;
        if (quote >= size || rest[quote] != '"') return false;
        // Filled in place: a pair made aside and copied in waits on the store buffer.
        CXmlAttributeView& found = myFound.emplace_back();
        found.name = view(rest.data() + attributeStart, i - attributeStart);
        found.value = view(rest.data() + valueStart, quote - valueStart);
        i = quote + 1;
    }
    myState = STATE_TEXT;
    OpenElement(name, closed);
    after = rest.substr(i + 1);
    if (!myHandler) return true;
    const std::vector<CXmlAttributeView>& attributes = SortedAttributes();
    myHandler->OnStartElement(name, attributes.data(), static_cast<int>(attributes.size()));
    if (closed) myHandler->OnEndElement(name);
    return true;
}

// Takes the attributes off the tag text into the pending attributes and leaves what remains,
// the element name, in myHead. Each round removes the first "=": the word before it is the
// attribute name, the quoted text after it the value. Linear in the tag's length: the
// remaining text is kept as the part before the names (head) and an untouched tail of tag.
void CXmlParser::SplitAttributes(view tag) {
    tag = TrimRight(tag);
    std::string& head = myHead;
    head.clear();
    myAttributeNames.clear();
    myNamePlaces.clear();
    view::size_type tail = 0;
    for (view::size_type eq = Find(tag, '='); eq != view::npos; eq = Find(tag, '=', tail)) {
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
            const view attributeName = view(head).substr(blank + 1);
            myNamePlaces.emplace_back(myAttributeNames.size(), attributeName.size());
            myAttributeNames.append(attributeName);
            myFound.push_back({view(), inner});
            head.resize(blank);
        }
    }
    head.append(tag.substr(tail));
    for (std::size_t i = 0; i < myFound.size(); ++i) {
        myFound[i].name = view(myAttributeNames).substr(myNamePlaces[i].first, myNamePlaces[i].second);
    }
}

}  // namespace tarn
