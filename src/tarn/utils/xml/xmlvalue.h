// Conversion of plain values to and from the text stored in XML content and attributes:
// standard stream insertion and extraction with default settings; text is copied unchanged.
#ifndef TARN_UTILS_XML_XMLVALUE_H
#define TARN_UTILS_XML_XMLVALUE_H

#include <sstream>
#include <string>
#include <type_traits>

namespace tarn {

// value formatted by standard stream insertion (bool as 1 or 0, six significant digits).
template <typename T>
std::string XmlValueToText(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

inline std::string XmlValueToText(const std::string& value) { return value; }

// Parses text into value by standard stream extraction. Returns false and leaves value
// unchanged when the text does not parse, overflows the type, or is negative for an
// unsigned type. Leading blanks are skipped; anything after the number is ignored.
template <typename T>
bool XmlValueFromText(const std::string& text, T& value) {
    std::istringstream in(text);
    if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T> && !std::is_same_v<T, bool>) {
        in >> std::ws;
        if (in.peek() == '-') return false;
    }
    T parsed{};
    in >> parsed;
    if (in.fail()) return false;
    value = parsed;
    return true;
}

inline bool XmlValueFromText(const std::string& text, std::string& value) {
    value = text;
    return true;
}

}  // namespace tarn

#endif
