// Comparing the short names of XML elements and attributes in place: a library call for each
// pair of a few characters costs more than the comparison itself.
#ifndef TARN_UTILS_XML_XMLSHORTTEXT_H
#define TARN_UTILS_XML_XMLSHORTTEXT_H

#include <algorithm>
#include <string_view>

namespace tarn {

inline bool ShortTextEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

// Byte-wise order, the order of std::string_view's operator<.
inline bool ShortTextLess(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

}  // namespace tarn

#endif
