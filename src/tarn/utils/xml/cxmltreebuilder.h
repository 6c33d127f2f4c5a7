// Reader handler that builds a CXmlNode tree from the events of one document.
// The tree belongs to the builder until TakeRoot hands it to the caller.
#ifndef TARN_UTILS_XML_CXMLTREEBUILDER_H
#define TARN_UTILS_XML_CXMLTREEBUILDER_H

#include <memory>

#include "tarn/utils/xml/cxmlhandler.h"
#include "tarn/utils/xml/cxmlnode.h"

namespace tarn {

class CXmlTreeBuilder : public CXmlHandler {
public:
    CXmlTreeBuilder() = default;
    ~CXmlTreeBuilder() override;

    void StartDocument() override;
    void EndDocument() override;
    void Characters(const std::string& text) override;
    void StartElement(const std::string& name, const CXmlAttributeMap& attributes) override;
    void EndElement(const std::string& name) override;

    // The tree built so far, still owned by the builder; null before the first element.
    CXmlNode* GetRoot() const { return myRoot.get(); }
    // Hands the tree to the caller, who deletes it; null when no element was read.
    CXmlNode* TakeRoot();

private:
    std::unique_ptr<CXmlNode> myRoot;
    CXmlNode* myCurrent = nullptr;
    // Elements open after the top-level one closed: a second top-level element and
    // everything inside it are skipped.
    int mySkippedDepth = 0;
};

}  // namespace tarn

#endif
