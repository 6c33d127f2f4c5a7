// The line-based XML reader: feeds lines through a small state machine and reports elements,
// attributes and text to a handler. Lines are trimmed and joined with nothing between them.
#ifndef TARN_UTILS_XML_CXMLPARSER_H
#define TARN_UTILS_XML_CXMLPARSER_H

#include <string>
#include <string_view>
#include <vector>

#include "tarn/utils/xml/cxmlhandler.h"

namespace tarn {

class CXmlParser {
public:
    CXmlParser() = default;
    CXmlParser(const CXmlParser&) = delete;
    CXmlParser& operator=(const CXmlParser&) = delete;

    // The handler receives every later event; the caller keeps ownership. Null drops the events.
    void SetHandler(CXmlHandler* handler) { myHandler = handler; }

    // StartDocument, every line of the file, EndDocument. A file that cannot be opened
    // yields just the two document events. A carriage return ending a line is dropped.
    void ParseFile(const std::string& fileName);

    // StartDocument, every line of text (split at line feeds, a carriage return ending a line
    // dropped, as for a file), EndDocument.
    void ParseText(std::string_view text);

    // Feeds one line (without its line end). Pending text and tags carry over to the next line.
    void ParseLine(const std::string& line);
    void ParseLine(std::string_view line);

    // Where the last document stopped being well formed: the first line (counted from 1) at
    // which an end tag did not match the open element, an element or text stood outside the
    // top-level element, or the document ended inside a tag, a comment or an open element
    // (then the last line), and why. Line 0 and an empty reason when it was whole; the events
    // are delivered either way. A document without any element is reported too.
    int GetErrorLine() const { return myErrorLine; }
    const std::string& GetError() const { return myError; }

private:
    void StartChecks();
    void FinishChecks();
    // Keeps the first problem found.
    void Fail(const std::string& reason);

    // Splits a chunk of a document into lines; an unfinished last line waits in carry.
    void FeedLines(std::string_view chunk, std::string& carry);
    void FeedLine(std::string_view line);

    enum EState { STATE_TEXT = 0, STATE_TAG = 1, STATE_COMMENT = 2 };

    // Each consumes the start of the trimmed rest of a line and returns what is left of it,
    // or npos-like end when the rest was used up.
    std::string_view ReadText(std::string_view rest);
    std::string_view ReadTag(std::string_view rest);
    std::string_view ReadComment(std::string_view rest);

    void FlushText(std::string_view text);
    void HandleTag(std::string_view tag);
    void HandleStartTag(std::string_view tag);
    // Closes the open element, noting a name that does not match it.
    void CheckEndTag(std::string_view name);
    std::string SplitAttributes(std::string_view tag);
    // Adds (name, value) to the pending attributes unless name is there already.
    void AddAttribute(std::string_view name, std::string_view value);
    void ClearAttributes();

    bool myTrimWhitespace = true;
    EState myState = STATE_TEXT;
    CXmlHandler* myHandler = nullptr;
    std::string myText;
    std::string myTag;
    CXmlAttributeMap myAttributes;
    // Entries of earlier tags, reused so that a document's attributes need no map allocations.
    std::vector<CXmlAttributeMap::node_type> mySpareAttributes;
    // The last two characters seen inside a comment, to find a "-->" split over lines.
    std::string myCommentTail;
    // The well-formedness checks: lines fed, the open elements, whether the top-level
    // element was seen, and the first problem.
    int myLine = 0;
    std::vector<std::string> myOpenElements;
    bool mySawElement = false;
    int myErrorLine = 0;
    std::string myError;
};

}  // namespace tarn

#endif
