// The attributes of one XML element: values kept in insertion order (index 0, 1, 2, ...)
// with a lookup from name to index. Names are unique; adding a present name keeps the old value.
#include "tarn/utils/xml/cxmlattributestore.h"

#include <algorithm>

namespace tarn {

int CXmlAttributeStore::Find(std::string_view name) const {
    if (Size() <= kLinearLimit) {
        for (int i = 0; i < Size(); ++i) {
            if (myEntries[i].name == name) return i;
        }
        return -1;
    }
    if (IsSorted()) {
        const auto found = std::lower_bound(myEntries.begin(), myEntries.end(), name,
                                            [](const CEntry& entry, std::string_view key) { return entry.name < key; });
        return found != myEntries.end() && found->name == name ? static_cast<int>(found - myEntries.begin()) : -1;
    }
    const auto found = myMore->index.find(name);
    return found == myMore->index.end() ? -1 : found->second;
}

CXmlAttributeStore::CMore& CXmlAttributeStore::More() {
    if (!myMore) myMore = std::make_unique<CMore>();
    return *myMore;
}

std::string_view CXmlAttributeStore::KeepName(CXmlArena* arena, std::string_view name) {
    if (arena) return arena->CopyText(name);
    // Names follow each other in one text in entry order; when it moves, every kept name
    // moves with it.
    std::string& text = More().nameText;
    const std::size_t capacity = text.capacity();
    text.append(name);
    if (text.capacity() != capacity) {
        std::size_t offset = 0;
        for (CEntry& entry : myEntries) {
            entry.name = std::string_view(text.data() + offset, entry.name.size());
            offset += entry.name.size();
        }
    }
    return std::string_view(text.data() + text.size() - name.size(), name.size());
}

bool CXmlAttributeStore::Add(CXmlArena* arena, std::string_view name, CAnyContainer&& value) {
    if (HasKey(name)) return false;
    const std::string_view kept = KeepName(arena, name);
    CEntry& entry = myEntries.EmplaceBack(arena);
    entry.name = kept;
    entry.value = std::move(value);
    Appended();
    return true;
}

void CXmlAttributeStore::Appended() {
    const int last = Size() - 1;
    if (IsSorted() && last > 0 && !(myEntries[last - 1].name < myEntries[last].name)) More().sorted = false;
    if (IsSorted() || Size() <= kLinearLimit) return;
    std::map<std::string, int, std::less<>>& index = myMore->index;
    // Out of order with many entries: index everything so far.
    if (index.empty()) {
        for (int i = 0; i < last; ++i) index.emplace(std::string(myEntries[i].name), i);
    }
    index.emplace(std::string(myEntries[last].name), last);
}

}  // namespace tarn
