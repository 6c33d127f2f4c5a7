// One XML element: name, text content, owned children in document order and attributes.
// Deleting a node deletes its whole subtree without recursion, so trees of any depth are safe.
// A tree read from a document keeps its nodes in one arena owned by its root (see CXmlArena).
#include "tarn/utils/xml/cxmlnode.h"

#include <new>

#include "tarn/utils/logger/cassert.h"

namespace tarn {

namespace {

// The longest text a string holds without memory of its own.
const std::size_t kShortText = std::string().capacity();

const CAnyContainer& EmptyValue() {
    static const CAnyContainer empty;
    return empty;
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

}  // namespace

CXmlNode::CXmlNode(const std::string& name, CXmlNode* parent) : myParent(parent), myName(name) {}

CXmlNode::CXmlNode(std::string_view name, CXmlNode* parent, CXmlArena* arena, bool inArena)
    : myParent(parent), myName(name), myArena(arena), myInArena(inArena) {}

CXmlNode::~CXmlNode() {
    if (myOwnsArena) {
        DestroyArenaTree();
        // What lives in the arena goes before it.
        ReleaseContent();
        myChildren.Clear();
        myAttributes.Clear();
        delete myArena;
        return;
    }
    // Walks the subtree from the last child down and deletes nodes once they have no children
    // left, so no destructor recurses and no extra memory is needed. The walk comes back up
    // through the parent pointers it sets on the way down. A tree read from a document (a
    // child with an arena of its own) frees itself.
    CXmlNode* node = this;
    while (true) {
        if (!node->myChildren.empty()) {
            CXmlNode* child = node->myChildren.back();
            node->myChildren.PopBack();
            if (child->myOwnsArena) {
                delete child;
                continue;
            }
            child->myParent = node;
            node = child;
            continue;
        }
        if (node == this) break;
        CXmlNode* parent = node->myParent;
        delete node;
        node = parent;
    }
    ReleaseContent();
}

const std::string& CXmlNode::GetContent() const {
    static const std::string empty;
    return myContent ? *myContent : empty;
}

void CXmlNode::ReleaseContent() {
    if (!myContent) return;
    if (myArena) {
        myContent->~basic_string();
    } else {
        delete myContent;
    }
    myContent = nullptr;
}

void CXmlNode::KeepForDestruction() const {
    if (!myInArena || myKept) return;
    myKept = true;
    myArena->KeepForDestruction(const_cast<CXmlNode*>(this));
}

void CXmlNode::DestroyInArena() {
    for (CXmlNode* child : myChildren) {
        if (!child->myInArena) delete child;
    }
    myChildren.Clear();
    this->~CXmlNode();
}

void CXmlNode::DestroyArenaTree() {
    // One sweep: the few nodes that own memory are destroyed, the rest goes with the arena
    // when the members of this root go.
    for (CXmlNode* node : myArena->GetNodesToDestroy()) node->DestroyInArena();
    for (CXmlNode* child : myChildren) {
        if (!child->myInArena) delete child;
    }
    myChildren.Clear();
}

void CXmlNode::AssignContent(std::string_view content) {
    if (!myContent) {
        void* memory = myArena ? myArena->Allocate(sizeof(std::string), alignof(std::string)) : nullptr;
        myContent = memory ? new (memory) std::string() : new std::string();
    }
    std::string& text = *myContent;
    text.assign(content.data(), content.size());
    if (text.capacity() > kShortText) KeepForDestruction();
    if (text.find('&') == std::string::npos) return;
    ReplaceEntity(text, "&lt;", 4, '<');
    ReplaceEntity(text, "&gt;", 4, '>');
    ReplaceEntity(text, "&amp;", 5, '&');
    ReplaceEntity(text, "&apos;", 6, '\'');
    ReplaceEntity(text, "&quot;", 6, '"');
}

CXmlNode* CXmlNode::GetChild(int i) const {
    cassert(i >= 0 && i < GetChildCount()) cvalue(i);
    if (i < 0 || i >= GetChildCount()) return nullptr;
    return myChildren[i];
}

void CXmlNode::AddChild(CXmlNode* child) {
    if (!child) return;
    if (!child->myInArena) KeepForDestruction();
    child->SetParent(this);
    myChildren.EmplaceBack(myArena) = child;
}

std::string CXmlNode::GetAttributeName(int i) const {
    if (i < 0 || i >= GetAttributeCount()) return std::string();
    return std::string(myAttributes.NameAt(i));
}

const CAnyContainer& CXmlNode::GetAttributeValue(int i) const {
    cassert(i >= 0 && i < GetAttributeCount()) cvalue(i);
    if (i < 0 || i >= GetAttributeCount()) return EmptyValue();
    KeepForDestruction();  // the value may be copied into itself (GetPointer as text)
    return myAttributes.ValueAt(i);
}

const CAnyContainer& CXmlNode::GetAttribute(const std::string& name) const {
    const int i = myAttributes.Find(name);
    cassert(myAttributes.HasKey(name)) cvalue(name);
    if (i < 0) return EmptyValue();
    KeepForDestruction();  // the value may be copied into itself (GetPointer as text)
    return myAttributes.ValueAt(i);
}

void CXmlNode::AddAttribute(const std::string& name, const CAnyContainer& value) {
    KeepForDestruction();
    myAttributes.Add(myArena, name, CAnyContainer(value));
}

void CXmlNode::AddAttribute(std::string&& name, CAnyContainer&& value) {
    KeepForDestruction();
    myAttributes.Add(myArena, name, std::move(value));
}

}  // namespace tarn
