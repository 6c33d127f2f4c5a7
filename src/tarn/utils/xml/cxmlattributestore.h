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
    using Entry = std::pair<std::string, CAnyContainer>;

    // Entries come from arena when one is given (a tree read from a document), else the heap.
    explicit CXmlAttributeStore(CXmlArena* arena = nullptr) : myEntries(CXmlArenaAllocator<Entry>(arena)) {}

    int Size() const { return static_cast<int>(myEntries.size()); }
    bool HasKey(std::string_view name) const { return Find(name) >= 0; }

    // Index of the attribute, or -1 when absent.
    int Find(std::string_view name) const;

    // Appends (name, value) unless the name is present; returns whether it was added.
    bool Add(const std::string& name, const CAnyContainer& value);
    bool Add(std::string&& name, CAnyContainer&& value);
    // Appends entries sorted by name and unique among themselves (a reader's map); when the
    // store is not empty they go through Add one by one.
    template <typename Iterator>
    void AddSortedUnique(Iterator begin, Iterator end, std::size_t count) {
        if (!myEntries.empty()) {
            for (; begin != end; ++begin) Add(begin->first, begin->second);
            return;
        }
        myEntries.reserve(count);
        for (; begin != end; ++begin) myEntries.emplace_back(begin->first, begin->second);
    }
    // Makes room for count entries in all.
    void Reserve(int count) { myEntries.reserve(static_cast<std::size_t>(count)); }
    // Appends an entry whose name sorts after every present one; the caller checks.
    void AppendInOrder(std::string_view name, CAnyContainer&& value) {
        myEntries.emplace_back(std::string(name), std::move(value));
    }

    // Name and value of the i-th attribute; the caller checks 0 <= i < Size().
    const std::string& NameAt(int i) const { return myEntries[i].first; }
    const CAnyContainer& ValueAt(int i) const { return myEntries[i].second; }
    // Whether the names are in ascending byte order (always for a tree read from a document).
    bool IsSorted() const { return mySorted; }

private:
    // Up to this many attributes a linear search beats anything else.
    static const int kLinearLimit = 8;

    // Notes a new last entry: the order, and the index once the names are out of order.
    void Appended();

    std::vector<Entry, CXmlArenaAllocator<Entry>> myEntries;
    bool mySorted = true;
    // Built only for many attributes out of name order; sorted ones are searched by halves.
    std::unique_ptr<std::map<std::string, int, std::less<>>> myIndex;
};

}  // namespace tarn

#endif
