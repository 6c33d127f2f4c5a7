// One XML element: name, text content, owned children in document order and attributes.
// Deleting a node deletes its whole subtree without recursion, so trees of any depth are safe.
#ifndef TARN_UTILS_XML_CXMLNODE_H
#define TARN_UTILS_XML_CXMLNODE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/xml/cxmlattributestore.h"
#include "tarn/utils/containers/canycontainer.h"

namespace tarn {

class CXmlNode {
public:
    CXmlNode() = default;
    explicit CXmlNode(const std::string& name, CXmlNode* parent = nullptr);
    ~CXmlNode();
    CXmlNode(const CXmlNode&) = delete;
    CXmlNode& operator=(const CXmlNode&) = delete;

    const std::string& GetName() const { return myName; }
    void SetName(const std::string& name) { myName = name; }

    const std::string& GetContent() const { return myContent; }
    // Stores the text with the entities &lt; &gt; &amp; &apos; &quot; replaced, in that order.
    void SetContent(const std::string& content);

    CXmlNode* GetParent() const { return myParent; }
    void SetParent(CXmlNode* parent) { myParent = parent; }

    int GetChildCount() const { return static_cast<int>(myChildren.size()); }
    // The i-th child; null (and an assertion) when i is out of range.
    CXmlNode* GetChild(int i) const;
    // Appends child and becomes its parent and owner. Null is ignored.
    void AddChild(CXmlNode* child);

    int GetAttributeCount() const { return myAttributes.Size(); }
    // Name of the i-th attribute in insertion order; "" when there is none.
    std::string GetAttributeName(int i) const;
    // Value of the i-th attribute; an empty value (and an assertion) when i is out of range.
    const CAnyContainer& GetAttributeValue(int i) const;
    bool HasAttribute(const std::string& name) const { return myAttributes.HasKey(name); }
    // Value of the named attribute; an empty value (and an assertion) when it is absent.
    const CAnyContainer& GetAttribute(const std::string& name) const;
    // Adds the attribute only if the name is not present yet.
    void AddAttribute(const std::string& name, const CAnyContainer& value);
    void AddAttribute(std::string&& name, CAnyContainer&& value);
    // Adds every attribute of a reader's map, in its order (names present are skipped).
    void AddAttributes(const std::map<std::string, CAnyContainer>& attributes);

private:
    CXmlNode* myParent = nullptr;
    std::string myName;
    std::string myContent;
    std::vector<std::unique_ptr<CXmlNode>> myChildren;
    CXmlAttributeStore myAttributes;
};

}  // namespace tarn

#endif
