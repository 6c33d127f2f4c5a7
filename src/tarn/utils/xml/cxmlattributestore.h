// The attributes of one XML element: values kept in insertion order (index 0, 1, 2, ...)
// with a lookup from name to index. Names are unique; adding a present name keeps the old value.
#ifndef TARN_UTILS_XML_CXMLATTRIBUTESTORE_H
#define TARN_UTILS_XML_CXMLATTRIBUTESTORE_H

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tarn/utils/containers/canycontainer.h"

namespace tarn {

class CXmlAttributeStore {
public:
    int Size() const { return static_cast<int>(myEntries.size()); }
    bool HasKey(const std::string& name) const { return Find(name) >= 0; }

    // Index of the attribute, or -1 when absent.
    int Find(const std::string& name) const;

    // Appends (name, value) unless the name is present; returns whether it was added.
    bool Add(const std::string& name, const CAnyContainer& value);
    bool Add(std::string&& name, CAnyContainer&& value);
    // Appends entries whose names are known to be unique among themselves; names already
    // present are still skipped.
    template <typename Iterator>
    void AddUnique(Iterator begin, Iterator end) {
        if (!myEntries.empty()) {
            for (; begin != end; ++begin) Add(begin->first, begin->second);
            return;
        }
        for (; begin != end; ++begin) myEntries.emplace_back(begin->first, begin->second);
        if (Size() > kLinearLimit) Index(0);
    }

    void Reserve(int count) { myEntries.reserve(static_cast<std::size_t>(count)); }

    // Name and value of the i-th attribute; the caller checks 0 <= i < Size().
    const std::string& NameAt(int i) const { return myEntries[i].first; }
    const CAnyContainer& ValueAt(int i) const { return myEntries[i].second; }

private:
    // Up to this many attributes a linear search beats a map; beyond it the index is kept.
    static const int kLinearLimit = 8;

    // Enters entries i.. in the index once there are more than kLinearLimit.
    void Index(int i);

    std::vector<std::pair<std::string, CAnyContainer>> myEntries;
    // Built only once an element has many attributes; small elements are searched in order.
    std::unique_ptr<std::map<std::string, int>> myIndex;
};

}  // namespace tarn

#endif
