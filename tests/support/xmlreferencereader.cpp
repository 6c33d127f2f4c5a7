// A frozen copy of the line-based XML reader as it stood before its rewrite for speed, kept
// only for tests: the differential test holds the current reader to exactly its results.
#include "xmlreferencereader.h"

#include <fstream>
#include <vector>

namespace testsupport {

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

// Replaces every entity by the single character c, resuming the search at the inserted
// character, so that a character equal to the entity's first one can start a new match
// ("&amp;amp;" becomes "&"). One pass over the text.
void ReplaceEntity(std::string& text, const char* entity, std::string::size_type length, char c) {
    if (text.find(entity) == std::string::npos) return;
    std::string result;
    result.reserve(text.size());
    std::string::size_type i = 0;
    while (i < text.size()) {
        if (text.compare(i, length, entity) != 0) {
            result += text[i++];
            continue;
        }
        if (c == entity[0]) {
            // The inserted character is searched again together with what follows it.
            i += length - 1;
            text[i] = c;
        } else {
            result += c;
            i += length;
        }
    }
    text.swap(result);
}


std::string ReplaceEntities(std::string text) {
    if (text.find('&') == std::string::npos) return text;
    ReplaceEntity(text, "&lt;", 4, '<');
    ReplaceEntity(text, "&gt;", 4, '>');
    ReplaceEntity(text, "&amp;", 5, '&');
    ReplaceEntity(text, "&apos;", 6, '\'');
    ReplaceEntity(text, "&quot;", 6, '"');
    return text;
}

}  // namespace

void CReferenceXmlParser::ParseFile(const std::string& fileName) {
    if (myHandler) myHandler->StartDocument();
    std::ifstream in(fileName, std::ios::binary);
    std::vector<char> block(1 << 16);
    std::string carry;
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        FeedLines(view(block.data(), static_cast<view::size_type>(in.gcount())), carry);
    }
    if (!carry.empty()) FeedLine(carry);
    if (myHandler) myHandler->EndDocument();
}

void CReferenceXmlParser::ParseText(view text) {
    if (myHandler) myHandler->StartDocument();
    std::string carry;
    FeedLines(text, carry);
    if (!carry.empty()) FeedLine(carry);
    if (myHandler) myHandler->EndDocument();
}

void CReferenceXmlParser::FeedLines(view chunk, std::string& carry) {
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

void CReferenceXmlParser::FeedLine(view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ParseLine(line);
}

void CReferenceXmlParser::ParseLine(view line) {
    view rest = Trim(line);
    // Each pass handles what lies before the next delimiter; the rest is trimmed again,
    // exactly as if it were a line of its own.
    while (!rest.empty()) {
        switch (myState) {
            case STATE_TEXT: rest = ReadText(rest); break;
            case STATE_TAG: rest = ReadTag(rest); break;
            case STATE_COMMENT: rest = ReadComment(rest); break;
        }
        rest = TrimLeft(rest);
    }
}

view CReferenceXmlParser::ReadText(view rest) {
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

view CReferenceXmlParser::ReadTag(view rest) {
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

view CReferenceXmlParser::ReadComment(view rest) {
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

void CReferenceXmlParser::FlushText(view text) {
    text = Trim(DropTrailingLineFeeds(text));
    if (text.empty() || !myHandler) return;
    myHandler->Characters(std::string(text));
}

void CReferenceXmlParser::HandleTag(view tag) {
    tag = DropTrailingLineFeeds(Trim(tag));
    if (tag.empty()) return;
    switch (tag.front()) {
        case '/':
            if (myHandler) myHandler->EndElement(std::string(tag.substr(1)));
            return;
        case '!':  // comments and declarations
        case '?':  // the XML declaration and processing instructions
            return;
        default: HandleStartTag(tag); return;
    }
}

void CReferenceXmlParser::HandleStartTag(view tag) {
    const bool closed = tag.back() == '/';
    if (closed) tag.remove_suffix(1);
    std::string name = tag.find('=') == view::npos ? std::string(tag) : SplitAttributes(tag);
    TrimString(name);
    if (myHandler) {
        myHandler->StartElement(name, myAttributes);
        if (closed) myHandler->EndElement(name);
    }
    myAttributes.clear();
}

// Takes the attributes off the tag text into the pending attribute map and returns what
// remains, the element name. Each round removes the first "=": the word before it is the
// attribute name, the quoted text after it the value. Linear in the tag's length: the
// remaining text is kept as the part before the names (head) and an untouched tail of tag.
std::string CReferenceXmlParser::SplitAttributes(view tag) {
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
            myAttributes.emplace(std::string(view(head).substr(blank + 1)), std::string(inner));
            head.resize(blank);
        }
    }
    head.append(tag.substr(tail));
    return head;
}

void CReferenceXmlTreeBuilder::StartDocument() {
    myTree = CReferenceXmlTree();
    myCurrent = nullptr;
    mySkippedDepth = 0;
}

void CReferenceXmlTreeBuilder::Characters(const std::string& text) {
    if (myCurrent) myCurrent->content = ReplaceEntities(text);
}

void CReferenceXmlTreeBuilder::StartElement(const std::string& name,
                                            const std::map<std::string, std::string>& attributes) {
    if (myTree.root && !myCurrent) {
        ++mySkippedDepth;
        return;
    }
    myTree.nodes.push_back(std::make_unique<CReferenceXmlNode>());
    CReferenceXmlNode* node = myTree.nodes.back().get();
    node->name = name;
    node->parent = myCurrent;
    node->attributes.assign(attributes.begin(), attributes.end());
    if (myTree.root) {
        myCurrent->children.push_back(node);
    } else {
        myTree.root = node;
    }
    myCurrent = node;
}

void CReferenceXmlTreeBuilder::EndElement(const std::string&) {
    if (mySkippedDepth > 0) {
        --mySkippedDepth;
        return;
    }
    if (myCurrent) myCurrent = myCurrent->parent;
}

CReferenceXmlTree ReferenceXmlFile(const std::string& fileName) {
    CReferenceXmlParser parser;
    CReferenceXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseFile(fileName);
    return builder.TakeTree();
}

CReferenceXmlTree ReferenceXmlText(std::string_view text) {
    CReferenceXmlParser parser;
    CReferenceXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseText(text);
    return builder.TakeTree();
}

}  // namespace testsupport
