// Reader handler that builds a CXmlNode tree from the events of one document.
// The tree belongs to the builder until TakeRoot hands it to the caller.
#ifndef TARN_UTILS_XML_CXMLTREEBUILDER_H
#define TARN_UTILS_XML_CXMLTREEBUILDER_H

#include <memory>
#include <string_view>
#include <vector>

#include "tarn/utils/xml/cxmlhandler.h"
#include "tarn/utils/xml/cxmlnode.h"

namespace tarn {

// The nodes of a built tree live in an arena that its root owns: the whole tree is freed in
// one sweep when the root is deleted. Attribute values are texts kept in that arena.
class CXmlTreeBuilder : public CXmlHandler {
public:
    CXmlTreeBuilder() = default;
    ~CXmlTreeBuilder() override;

    void StartDocument() override;
    void EndDocument() override;
    void Characters(const std::string& text) override;
    void StartElement(const std::string& name, const CXmlAttributeMap& attributes) override;
    void EndElement(const std::string& name) override;

    void OnCharacters(std::string_view text) override;
    void OnStartElement(std::string_view name, const CXmlAttributeView* attributes, int count) override;
    void OnEndElement(std::string_view name) override;

    // The tree built so far, still owned by the builder; null before the first element.
    CXmlNode* GetRoot() const { return myRoot.get(); }
    // Hands the tree to the caller, who deletes it; null when no element was read.
    CXmlNode* TakeRoot();

    // The whole text of the document about to be read (size characters), handed over so that
    // the tree keeps it and its attribute values point into it instead of being copied. It
    // goes with the tree, or with the next TakeRoot when no element was read.
    void KeepDocument(std::unique_ptr<char[]> text, std::size_t size);

private:
    // A new element under the current one (or the root), made the current one; null when it
    // is skipped.
    CXmlNode* Open(std::string_view name, int attributeCount);
    // The text itself when it lies in the kept document, else a copy in the arena.
    std::string_view KeepText(std::string_view text);

    std::unique_ptr<CXmlNode> myRoot;
    CXmlNode* myCurrent = nullptr;
    // The root's arena, where every other node and every attribute text goes.
    CXmlArena* myArena = nullptr;
    // Elements open after the top-level one closed: a second top-level element and
    // everything inside it are skipped.
    int mySkippedDepth = 0;
    // The attribute names of the last element, kept in the arena: elements in a row mostly
    // share them, and then share their copies.
    std::vector<std::string_view> myLastNames;
    // The document's text until the root's arena takes it, and where it lies.
    std::unique_ptr<char[]> myDocument;
    std::string_view myDocumentText;
};

}  // namespace tarn

#endif
