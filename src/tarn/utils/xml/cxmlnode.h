// One XML element: name, text content, owned children in document order and attributes.
// Deleting a node deletes its whole subtree without recursion, so trees of any depth are safe.
// A tree read from a document keeps its nodes in one arena owned by its root (see CXmlArena).
#ifndef TARN_UTILS_XML_CXMLNODE_H
#define TARN_UTILS_XML_CXMLNODE_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tarn/utils/containers/canycontainer.h"
#include "tarn/utils/xml/cxmlarena.h"
#include "tarn/utils/xml/cxmlattributestore.h"

namespace tarn {

class CXmlNode {
public:
    CXmlNode() = default;
    explicit CXmlNode(const std::string& name, CXmlNode* parent = nullptr);
    ~CXmlNode();
    CXmlNode(const CXmlNode&) = delete;
    CXmlNode& operator=(const CXmlNode&) = delete;

    const std::string& GetName() const { return myName; }
    void SetName(const std::string& name) {
        myName = name;
        KeepForDestruction();
    }

    const std::string& GetContent() const;
    // Stores the text with the entities &lt; &gt; &amp; &apos; &quot; replaced, in that order.
    void SetContent(const std::string& content) { AssignContent(content); }

    CXmlNode* GetParent() const { return myParent; }
    void SetParent(CXmlNode* parent) { myParent = parent; }

    int GetChildCount() const { return static_cast<int>(myChildren.size()); }
    // The i-th child; null (and an assertion) when i is out of range.
    CXmlNode* GetChild(int i) const;
    // Appends child and becomes its parent and owner. Null is ignored. The child must have been
    // made with new (not taken from another tree).
    void AddChild(CXmlNode* child);

    int GetAttributeCount() const { return myAttributes.Size(); }
    // Name of the i-th attribute in insertion order; "" when there is none.
    std::string GetAttributeName(int i) const;
    // Value of the i-th attribute; an empty value (and an assertion) when i is out of range.
    // A value read from a document is a text; the reference lives as long as the node.
    const CAnyContainer& GetAttributeValue(int i) const;
    bool HasAttribute(const std::string& name) const { return myAttributes.HasKey(name); }
    // Value of the named attribute; an empty value (and an assertion) when it is absent.
    const CAnyContainer& GetAttribute(const std::string& name) const;
    // Adds the attribute only if the name is not present yet.
    void AddAttribute(const std::string& name, const CAnyContainer& value);
    void AddAttribute(std::string&& name, CAnyContainer&& value);

private:
    friend class CXmlTreeBuilder;
    friend class CXmlWriter;

    // A node of a tree read from a document: its arrays come from arena; inArena says that
    // the node itself lives there too (every node but the root, which owns the arena).
    CXmlNode(std::string_view name, CXmlNode* parent, CXmlArena* arena, bool inArena);

    void AssignContent(std::string_view content);

    // A node in an arena that may own memory (a long text, a child or a value of its own, an
    // attribute value handed out) asks to be destroyed with the tree; the others never are.
    void KeepForDestruction() const;
    // Destroys a node that lives in an arena: deletes the children it owns, then itself.
    void DestroyInArena();
    // The destruction of a root read from a document: the nodes that asked, and its own
    // children that do not live in the arena.
    void DestroyArenaTree();

    // Gives back the content's memory.
    void ReleaseContent();

    CXmlNode* myParent = nullptr;
    std::string myName;
    // The content, or null while none was set; in the tree's arena when there is one.
    std::string* myContent = nullptr;
    CXmlArray<CXmlNode*> myChildren;
    CXmlAttributeStore myAttributes;
    // The arena of a tree read from a document (null for a node made by code); its root owns it.
    CXmlArena* myArena = nullptr;
    // The node's memory belongs to the arena: it is destroyed in place, never deleted.
    bool myInArena = false;
    bool myOwnsArena = false;
    mutable bool myKept = false;
};

}  // namespace tarn

#endif
