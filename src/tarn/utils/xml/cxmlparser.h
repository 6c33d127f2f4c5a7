// The line-based XML reader: feeds lines through a small state machine and reports elements,
// attributes and text to a handler. Lines are trimmed and joined with nothing between them.
#ifndef TARN_UTILS_XML_CXMLPARSER_H
#define TARN_UTILS_XML_CXMLPARSER_H

#include <memory>
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

    // StartDocument, every line of the file, EndDocument. The file is read whole, at once. A
    // file that cannot be opened or read yields just the two document events. A carriage
    // return ending a line is dropped.
    void ParseFile(const std::string& fileName);

    // The whole file in one buffer (size characters, freed by the caller); false, with nothing
    // read, when it is missing, not a regular file (a folder, a device) or larger than an XML
    // file may be (the refusal of a file that exists is logged).
    static bool ReadWholeFile(const std::string& fileName, std::unique_ptr<char[]>& data, std::size_t& size);

    // StartDocument, every line of text (split at line feeds, a carriage return ending a line
    // dropped, as for a file), EndDocument.
    void ParseText(std::string_view text);

    // Feeds one line (without its line end). Pending text and tags carry over to the next line.
    void ParseLine(const std::string& line);
    void ParseLine(std::string_view line);
    // For a document fed line by line: StartChecks before the first line forgets what an
    // earlier document left, FinishChecks after the last makes the checks of its end, so that
    // GetError reports as for a whole document.
    void StartChecks();
    void FinishChecks();

    // Where the last document stopped being well formed: the first line (counted from 1) at
    // which an end tag did not match the open element, an element or text stood outside the
    // top-level element, or the document ended inside a tag, a comment or an open element
    // (then the last line), and why. Line 0 and an empty reason when it was whole; the events
    // are delivered either way. A document without any element is reported too.
    int GetErrorLine() const { return myErrorLine; }
    const std::string& GetError() const { return myError; }

private:
    // Keeps the first problem found.
    void Fail(const std::string& reason);

    // Splits a document into lines; a last line without a line end counts when not empty.
    void FeedLines(std::string_view text);
    void FeedLine(std::string_view line);
    // Reads the line at start of text when it holds one common tag (see ReadPlainTag) after
    // its indentation, as most lines do, without looking for the line end first; returns
    // where the next line starts, or npos, with nothing done, for a line of any other kind.
    std::string_view::size_type ReadTagLine(std::string_view text, std::string_view::size_type start);
    // Reads what is left of a line, trimmed.
    void ParseRest(std::string_view rest);

    enum EState { STATE_TEXT = 0, STATE_TAG = 1, STATE_COMMENT = 2 };

    // Each consumes the start of the trimmed rest of a line and returns what is left of it,
    // or an empty view when the rest was used up.
    std::string_view ReadText(std::string_view rest);
    std::string_view ReadTag(std::string_view rest);
    std::string_view ReadComment(std::string_view rest);

    // Reads a whole common tag from just after its '<' and puts what follows its '>' in after;
    // false, with nothing done, for a tag that needs the general reading. Never reads past a
    // line end, so rest may run on to the end of the document.
    bool ReadPlainTag(std::string_view rest, std::string_view& after);
    void FlushText(std::string_view text);
    void HandleTag(std::string_view tag);
    void HandleStartTag(std::string_view tag);
    // Takes the attributes off tag into myFound; the rest is left in myHead.
    void SplitAttributes(std::string_view tag);
    // Sorts myFound by name, dropping repeated names after the first, into what the handler
    // gets.
    const std::vector<CXmlAttributeView>& SortedAttributes();
    // Opens (unless closed, as in <a/>) or closes an element on the stack of open ones,
    // noting an element outside the top-level one or an end tag that does not match.
    void OpenElement(std::string_view name, bool closed);
    void CheckEndTag(std::string_view name);
    std::string_view InnermostOpenElement() const;

    bool myTrimWhitespace = true;
    EState myState = STATE_TEXT;
    CXmlHandler* myHandler = nullptr;
    std::string myText;
    std::string myTag;
    // The last two characters seen inside a comment, to find a "-->" split over lines.
    std::string myCommentTail;
    // Buffers of the tag being handled, kept to save allocations from tag to tag.
    std::string myHead;
    // Attribute names of the general splitting, which cannot point into the changing head.
    std::string myAttributeNames;
    std::vector<std::pair<std::size_t, std::size_t>> myNamePlaces;
    // The attributes in the order of the tag, then sorted.
    std::vector<CXmlAttributeView> myFound;
    std::vector<CXmlAttributeView> mySorted;
    // The well-formedness checks: lines fed, the open elements (their names end to end in
    // one buffer, kept from document to document, and where each starts), whether the
    // top-level element was seen, and the first problem.
    int myLine = 0;
    std::string myOpenNames;
    std::vector<std::size_t> myOpenStarts;
    bool mySawElement = false;
    int myErrorLine = 0;
    std::string myError;
};

}  // namespace tarn

#endif
