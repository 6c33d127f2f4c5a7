// Reader handler that builds a CXmlNode tree from the events of one document.
// The tree belongs to the builder until TakeRoot hands it to the caller.
#include "tarn/utils/xml/cxmltreebuilder.h"

namespace tarn {

CXmlTreeBuilder::~CXmlTreeBuilder() = default;

void CXmlTreeBuilder::StartDocument() {
    myRoot.reset();
    myCurrent = nullptr;
    mySkippedDepth = 0;
}

void CXmlTreeBuilder::EndDocument() {}

void CXmlTreeBuilder::Characters(const std::string& text) {
    if (myCurrent) myCurrent->SetContent(text);
}

void CXmlTreeBuilder::StartElement(const std::string& name, const CXmlAttributeMap& attributes) {
    if (myRoot && !myCurrent) {
        ++mySkippedDepth;
        return;
    }
    auto node = std::make_unique<CXmlNode>(name, myCurrent);
    node->AddAttributes(attributes);
    CXmlNode* added = node.get();
    if (myRoot) {
        myCurrent->AddChild(node.release());
    } else {
        myRoot = std::move(node);
    }
    myCurrent = added;
}

void CXmlTreeBuilder::EndElement(const std::string&) {
    // The name is not compared with the open element's; an end tag with nothing open is ignored.
    if (mySkippedDepth > 0) {
        --mySkippedDepth;
        return;
    }
    if (myCurrent) myCurrent = myCurrent->GetParent();
}

CXmlNode* CXmlTreeBuilder::TakeRoot() {
    myCurrent = nullptr;
    return myRoot.release();
}

}  // namespace tarn
