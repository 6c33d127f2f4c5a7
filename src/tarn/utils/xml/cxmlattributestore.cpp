// The attributes of one XML element: values kept in insertion order (index 0, 1, 2, ...)
// with a lookup from name to index. Names are unique; adding a present name keeps the old value.
#include "tarn/utils/xml/cxmlattributestore.h"

#include <algorithm>

namespace tarn {

int CXmlAttributeStore::Find(std::string_view name) const {
    if (Size() <= kLinearLimit) {
        for (int i = 0; i < Size(); ++i) {
            if (myEntries[i].first == name) return i;
        }
        return -1;
    }
    if (mySorted) {
        const auto found = std::lower_bound(myEntries.begin(), myEntries.end(), name,
                                            [](const Entry& entry, std::string_view key) { return entry.first < key; });
        return found != myEntries.end() && found->first == name ? static_cast<int>(found - myEntries.begin()) : -1;
    }
    const auto found = myIndex->find(name);
    return found == myIndex->end() ? -1 : found->second;
}

bool CXmlAttributeStore::Add(const std::string& name, const CAnyContainer& value) {
    if (HasKey(name)) return false;
    myEntries.emplace_back(name, value);
    Appended();
    return true;
}

bool CXmlAttributeStore::Add(std::string&& name, CAnyContainer&& value) {
    if (HasKey(name)) return false;
    myEntries.emplace_back(std::move(name), std::move(value));
    Appended();
    return true;
}

void CXmlAttributeStore::Appended() {
    const int last = Size() - 1;
    if (mySorted && last > 0 && !(myEntries[last - 1].first < myEntries[last].first)) mySorted = false;
    if (mySorted || Size() <= kLinearLimit) return;
    if (!myIndex) {
        // Out of order with many entries: index everything so far.
        myIndex = std::make_unique<std::map<std::string, int, std::less<>>>();
        for (int i = 0; i < last; ++i) myIndex->emplace(myEntries[i].first, i);
    }
    myIndex->emplace(myEntries[last].first, last);
}

}  // namespace tarn
