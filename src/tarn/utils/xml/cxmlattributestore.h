// The attributes of one XML element: values kept in insertion order (index 0, 1, 2, ...)
// with a lookup from name to index. Names are unique; adding a present name keeps the old value.
#ifndef TARN_UTILS_XML_CXMLATTRIBUTESTORE_H
#define TARN_UTILS_XML_CXMLATTRIBUTESTORE_H

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarn/utils/containers/canycontainer.h"
#include "tarn/utils/xml/cxmlarena.h"

namespace tarn {

class CXmlAttributeStore {
public:
    // Entries and names come from arena when one is given (a tree read from a document), else
    // from the heap.
    explicit CXmlAttributeStore(CXmlArena* arena = nullptr) : myEntries(CXmlArenaAllocator<CEntry>(arena)) {}
    CXmlAttributeStore(const CXmlAttributeStore&) = delete;
    CXmlAttributeStore& operator=(const CXmlAttributeStore&) = delete;

    int Size() const { return static_cast<int>(myEntries.size()); }
    bool HasKey(std::string_view name) const { return Find(name) >= 0; }

    // Index of the attribute, or -1 when absent.
    int Find(std::string_view name) const;

    // Appends (name, value) unless the name is present; returns whether it was added.
    bool Add(std::string_view name, const CAnyContainer& value);
    bool Add(std::string_view name, CAnyContainer&& value);
    // Appends entries sorted by name and unique among themselves (a reader's map); when the
    // store is not empty they go through Add one by one.
    template <typename Iterator>
    void AddSortedUnique(Iterator begin, Iterator end, std::size_t count) {
        const bool wasEmpty = myEntries.empty();
        myEntries.reserve(myEntries.size() + count);
        for (; begin != end; ++begin) {
            if (wasEmpty) {
                myEntries.push_back({KeepName(begin->first), begin->second});
            } else {
                Add(begin->first, begin->second);
            }
        }
    }
    // Makes room for count entries in all.
    void Reserve(int count) { myEntries.reserve(static_cast<std::size_t>(count)); }
    // Appends an entry whose name sorts after every present one and already lives as long as
    // the store (in its arena); the caller checks both.
    void AppendInOrder(std::string_view keptName, CAnyContainer&& value) {
        myEntries.push_back({keptName, std::move(value)});
    }

    // Name and value of the i-th attribute; the caller checks 0 <= i < Size().
    std::string_view NameAt(int i) const { return myEntries[i].name; }
    const CAnyContainer& ValueAt(int i) const { return myEntries[i].value; }
    // Whether the names are in ascending byte order (always for a tree read from a document).
    bool IsSorted() const { return mySorted; }

private:
    struct CEntry {
        std::string_view name;
        CAnyContainer value;
    };

    // Up to this many attributes a linear search beats anything else.
    static const int kLinearLimit = 8;

    // A copy of name that lives as long as the store: in the arena, or in myNameText.
    std::string_view KeepName(std::string_view name);
    // Notes a new last entry: the order, and the index once the names are out of order.
    void Appended();

    std::vector<CEntry, CXmlArenaAllocator<CEntry>> myEntries;
    // The names of a store without an arena, one after another in entry order.
    std::unique_ptr<std::string> myNameText;
    bool mySorted = true;
    // Built only for many attributes out of name order; sorted ones are searched by halves.
    std::unique_ptr<std::map<std::string, int, std::less<>>> myIndex;
};

}  // namespace tarn

#endif
