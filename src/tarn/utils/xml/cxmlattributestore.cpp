// The attributes of one XML element: values kept in insertion order (index 0, 1, 2, ...)
// with a lookup from name to index. Names are unique; adding a present name keeps the old value.
#include "tarn/utils/xml/cxmlattributestore.h"

namespace tarn {

int CXmlAttributeStore::Find(const std::string& name) const {
    if (Size() > kLinearLimit) {
        const auto found = myIndex->find(name);
        return found == myIndex->end() ? -1 : found->second;
    }
    for (int i = 0; i < Size(); ++i) {
        if (myEntries[i].first == name) return i;
    }
    return -1;
}

bool CXmlAttributeStore::Add(const std::string& name, const CAnyContainer& value) {
    if (HasKey(name)) return false;
    myEntries.emplace_back(name, value);
    Index(Size() - 1);
    return true;
}

bool CXmlAttributeStore::Add(std::string&& name, CAnyContainer&& value) {
    if (HasKey(name)) return false;
    myEntries.emplace_back(std::move(name), std::move(value));
    Index(Size() - 1);
    return true;
}

void CXmlAttributeStore::Index(int i) {
    if (Size() <= kLinearLimit) return;
    if (!myIndex) {
        // Crossing the limit: index everything added so far.
        myIndex = std::make_unique<std::map<std::string, int>>();
        i = 0;
    }
    for (; i < Size(); ++i) myIndex->emplace(myEntries[i].first, i);
}

}  // namespace tarn
