// Reader handler that builds a CXmlNode tree from the events of one document.
// The tree belongs to the builder until TakeRoot hands it to the caller.
#include "tarn/utils/xml/cxmltreebuilder.h"

#include <cstdint>
#include <new>

#include "tarn/utils/xml/xmlshorttext.h"

namespace tarn {

namespace {
// The longest text a string holds without memory of its own.
const std::size_t kShortText = std::string().capacity();
}  // namespace

CXmlTreeBuilder::~CXmlTreeBuilder() = default;

void CXmlTreeBuilder::StartDocument() {
    // A kept document that a dropped tree took is gone with it.
    if (!myDocument) myDocumentText = std::string_view();
    myRoot.reset();
    myCurrent = nullptr;
    myArena = nullptr;
    mySkippedDepth = 0;
    myLastNames.clear();
}

void CXmlTreeBuilder::EndDocument() {}

void CXmlTreeBuilder::Characters(const std::string& text) { OnCharacters(text); }

void CXmlTreeBuilder::OnCharacters(std::string_view text) {
    if (myCurrent) myCurrent->AssignContent(text);
}

CXmlNode* CXmlTreeBuilder::Open(std::string_view name, int attributeCount) {
    if (myRoot && !myCurrent) {
        ++mySkippedDepth;
        return nullptr;
    }
    CXmlNode* node;
    if (!myRoot) {
        myArena = new CXmlArena();
        myRoot.reset(new CXmlNode(name, nullptr, myArena, false));
        myRoot->myOwnsArena = true;
        if (myDocument) myArena->Adopt(std::move(myDocument));
        node = myRoot.get();
    } else {
        void* memory = myArena->Allocate(sizeof(CXmlNode), alignof(CXmlNode));
        node = new (memory) CXmlNode(name, myCurrent, myArena, true);
        myCurrent->myChildren.EmplaceBack(myArena) = node;
        if (name.size() > kShortText) node->KeepForDestruction();
    }
    node->myAttributes.Reserve(myArena, attributeCount);
    myCurrent = node;
    return node;
}

void CXmlTreeBuilder::OnStartElement(std::string_view name, const CXmlAttributeView* attributes, int count) {
    CXmlNode* node = Open(name, count);
    if (!node) return;
    if (myLastNames.size() < static_cast<std::size_t>(count)) myLastNames.resize(static_cast<std::size_t>(count));
    // The reader gives the attributes sorted and without repeated names.
    for (int i = 0; i < count; ++i) {
        std::string_view& kept = myLastNames[i];
        if (!ShortTextEqual(kept, attributes[i].name)) kept = myArena->CopyText(attributes[i].name);
        node->myAttributes.AppendInOrder(myArena, kept, KeepText(attributes[i].value));
    }
}

void CXmlTreeBuilder::StartElement(const std::string& name, const CXmlAttributeMap& attributes) {
    CXmlNode* node = Open(name, static_cast<int>(attributes.size()));
    if (!node) return;
    // Values that are not texts own memory.
    node->KeepForDestruction();
    for (const auto& attribute : attributes) {
        if (const std::optional<std::string_view> text = attribute.second.TextView()) {
            node->myAttributes.AppendInOrder(myArena, myArena->CopyText(attribute.first), myArena->CopyText(*text));
        } else {
            node->myAttributes.Add(myArena, attribute.first, CAnyContainer(attribute.second));
        }
    }
}

void CXmlTreeBuilder::EndElement(const std::string& name) { OnEndElement(name); }

void CXmlTreeBuilder::OnEndElement(std::string_view) {
    // The name is not compared with the open element's; an end tag with nothing open is ignored.
    if (mySkippedDepth > 0) {
        --mySkippedDepth;
        return;
    }
    if (myCurrent) myCurrent = myCurrent->GetParent();
}

void CXmlTreeBuilder::KeepDocument(std::unique_ptr<char[]> text, std::size_t size) {
    myDocument = std::move(text);
    myDocumentText = std::string_view(myDocument.get(), myDocument ? size : 0);
}

std::string_view CXmlTreeBuilder::KeepText(std::string_view text) {
    // Comparing as addresses: the document's text is one array.
    const auto at = reinterpret_cast<std::uintptr_t>(text.data());
    const auto first = reinterpret_cast<std::uintptr_t>(myDocumentText.data());
    if (at >= first && at + text.size() <= first + myDocumentText.size()) return text;
    return myArena->CopyText(text);
}

CXmlNode* CXmlTreeBuilder::TakeRoot() {
    myCurrent = nullptr;
    myArena = nullptr;
    myLastNames.clear();
    myDocument.reset();
    myDocumentText = std::string_view();
    return myRoot.release();
}

}  // namespace tarn
