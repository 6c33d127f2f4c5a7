// A frozen copy of the line-based XML reader as it stood before its rewrite for speed, kept
// only for tests: the differential test holds the current reader to exactly its results.
#ifndef TESTS_SUPPORT_XMLREFERENCEREADER_H
#define TESTS_SUPPORT_XMLREFERENCEREADER_H

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testsupport {

// One element as the old reader and tree builder made it: attributes in name order, content
// with the five entities replaced.
struct CReferenceXmlNode {
    std::string name;
    std::string content;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<CReferenceXmlNode*> children;
    CReferenceXmlNode* parent = nullptr;
};

// A whole tree; owns every node, so deleting it needs no recursion. Null root: no element.
struct CReferenceXmlTree {
    CReferenceXmlNode* root = nullptr;
    std::vector<std::unique_ptr<CReferenceXmlNode>> nodes;
};

// Receives the old reader's events; the attributes are sorted by name, values as text.
class CReferenceXmlHandler {
public:
    virtual ~CReferenceXmlHandler() = default;
    virtual void StartDocument() {}
    virtual void EndDocument() {}
    virtual void Characters(const std::string&) {}
    virtual void StartElement(const std::string&, const std::map<std::string, std::string>&) {}
    virtual void EndElement(const std::string&) {}
};

class CReferenceXmlParser {
public:
    void SetHandler(CReferenceXmlHandler* handler) { myHandler = handler; }
    void ParseFile(const std::string& fileName);
    void ParseText(std::string_view text);
    void ParseLine(std::string_view line);

private:
    void FeedLines(std::string_view chunk, std::string& carry);
    void FeedLine(std::string_view line);

    enum EState { STATE_TEXT = 0, STATE_TAG = 1, STATE_COMMENT = 2 };

    std::string_view ReadText(std::string_view rest);
    std::string_view ReadTag(std::string_view rest);
    std::string_view ReadComment(std::string_view rest);

    void FlushText(std::string_view text);
    void HandleTag(std::string_view tag);
    void HandleStartTag(std::string_view tag);
    std::string SplitAttributes(std::string_view tag);

    EState myState = STATE_TEXT;
    CReferenceXmlHandler* myHandler = nullptr;
    std::string myText;
    std::string myTag;
    std::map<std::string, std::string> myAttributes;
    std::string myCommentTail;
};

// The old tree builder: a second top-level element is skipped, an end tag with nothing open
// is ignored, the last text run of an element is its content.
class CReferenceXmlTreeBuilder : public CReferenceXmlHandler {
public:
    void StartDocument() override;
    void Characters(const std::string& text) override;
    void StartElement(const std::string& name, const std::map<std::string, std::string>& attributes) override;
    void EndElement(const std::string& name) override;

    CReferenceXmlTree TakeTree() { return std::move(myTree); }

private:
    CReferenceXmlTree myTree;
    CReferenceXmlNode* myCurrent = nullptr;
    int mySkippedDepth = 0;
};

// The old reader's tree for a file or a text.
CReferenceXmlTree ReferenceXmlFile(const std::string& fileName);
CReferenceXmlTree ReferenceXmlText(std::string_view text);

}  // namespace testsupport

#endif
