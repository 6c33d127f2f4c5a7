// The attributes of one XML element: values kept in insertion order (index 0, 1, 2, ...)
// with a lookup from name to index. Names are unique; adding a present name keeps the old value.
#ifndef TARN_UTILS_XML_CXMLATTRIBUTESTORE_H
#define TARN_UTILS_XML_CXMLATTRIBUTESTORE_H

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "tarn/utils/containers/canycontainer.h"
#include "tarn/utils/xml/cxmlarena.h"

namespace tarn {

// Every call that adds takes the arena of the node's tree (null for a node made by code): the
// entries and names go there, or to the heap. A store uses the same arena all its life.
class CXmlAttributeStore {
public:
    CXmlAttributeStore() = default;
    CXmlAttributeStore(const CXmlAttributeStore&) = delete;
    CXmlAttributeStore& operator=(const CXmlAttributeStore&) = delete;

    int Size() const { return static_cast<int>(myEntries.size()); }
    bool HasKey(std::string_view name) const { return Find(name) >= 0; }

    // Index of the attribute, or -1 when absent.
    int Find(std::string_view name) const;

    // Appends (name, value) unless the name is present; returns whether it was added.
    bool Add(CXmlArena* arena, std::string_view name, CAnyContainer&& value);
    // Removes every attribute.
    void Clear() {
        myEntries.Clear();
        myMore.reset();
    }
    // Makes room for count entries in all.
    void Reserve(CXmlArena* arena, int count) { myEntries.Reserve(arena, static_cast<std::size_t>(count)); }
    // Appends an entry whose name sorts after every present one and already lives as long as
    // the store (in its arena), with a borrowed text as its value (see
    // CAnyContainer::BorrowText); the caller checks all three.
    void AppendInOrder(CXmlArena* arena, std::string_view keptName, std::string_view text) {
        CEntry& entry = myEntries.EmplaceBack(arena);
        entry.name = keptName;
        entry.value.Borrow(text);
    }

    // Name and value of the i-th attribute; the caller checks 0 <= i < Size().
    std::string_view NameAt(int i) const { return myEntries[i].name; }
    const CAnyContainer& ValueAt(int i) const { return myEntries[i].value; }
    // Whether the names are in ascending byte order (always for a tree read from a document).
    bool IsSorted() const { return !myMore || myMore->sorted; }

private:
    struct CEntry {
        std::string_view name;
        CAnyContainer value;
    };
    // What only stores filled by code need: their names' memory and, once the names are out
    // of order, an index.
    struct CMore {
        // The names of a store without an arena, one after another in entry order.
        std::string nameText;
        bool sorted = true;
        // Built only for many attributes out of name order; sorted ones are searched by halves.
        std::map<std::string, int, std::less<>> index;
    };

    // Up to this many attributes a linear search beats anything else.
    static const int kLinearLimit = 8;

    CMore& More();
    // A copy of name that lives as long as the store: in the arena, or in the names' text.
    std::string_view KeepName(CXmlArena* arena, std::string_view name);
    // Notes a new last entry: the order, and the index once the names are out of order.
    void Appended();

    CXmlArray<CEntry> myEntries;
    std::unique_ptr<CMore> myMore;
};

}  // namespace tarn

#endif
