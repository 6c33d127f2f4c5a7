// String utilities shared by the interpreter, the XML reader, the calculator and the file system.
// Free functions on std::string: trimming, splitting, quote-aware search, replacing, case, number encoding.
#include "tarn/utils/string/stringutils.h"

#include <cctype>

namespace tarn {

namespace {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

using size_type = std::string::size_type;
const size_type npos = std::string::npos;

// Shared splitting loop: 'find' locates the next separator at or after a position.
template <typename Finder>
std::vector<std::string> SplitWith(const std::string& separator, const std::string& text, int maxCount,
                                   Finder find) {
    std::vector<std::string> pieces;
    pieces.reserve(8);
    if (separator.empty()) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    size_type begin = 0;
    int processed = 0;
    while (maxCount <= 0 || processed < maxCount - 1) {
        const size_type at = find(begin);
        if (at == npos) break;
        if (at > begin) pieces.push_back(text.substr(begin, at - begin));
        begin = at + separator.size();
        ++processed;
    }
    if (begin < text.size()) pieces.push_back(text.substr(begin));
    return pieces;
}

// The quote-pairing walk common to both outside-quotes searches: quotes pair from start on,
// and a match may begin anywhere but strictly inside a quoted stretch (on a quote itself is
// outside). 'matches' tells whether a match begins at a position. One pass over the text, so a
// search costs what it reads and splitting a line at every separator stays linear.
template <typename Matcher>
size_type FindOutside(const std::string& text, size_type start, Matcher matches) {
    bool inQuotes = false;
    const size_type size = text.size();
    for (size_type i = start; i < size; ++i) {
        const bool quote = text[i] == '"';
        if ((!inQuotes || quote) && matches(i)) return i;
        if (quote) inQuotes = !inQuotes;
    }
    return npos;
}

}  // namespace

std::string Trim(const std::string& text) {
    size_type first = 0;
    size_type last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::vector<std::string> Split(const std::string& separator, const std::string& text) {
    return SplitMax(separator, text, 0);
}

std::vector<std::string> SplitMax(const std::string& separator, const std::string& text, int maxCount) {
    return SplitWith(separator, text, maxCount,
                     [&](size_type from) { return text.find(separator, from); });
}

std::vector<std::string> SplitOutsideQuotes(const std::string& separator, const std::string& text) {
    return SplitOutsideQuotesMax(separator, text, 0);
}

std::vector<std::string> SplitOutsideQuotesMax(const std::string& separator, const std::string& text,
                                               int maxCount) {
    return SplitWith(separator, text, maxCount,
                     [&](size_type from) { return FindOutsideQuotes(separator, text, from); });
}

size_type FindOutsideQuotes(const std::string& needle, const std::string& text, size_type start) {
    if (start > text.size()) return npos;
    if (needle.empty()) return start;
    return FindOutside(text, start, [&](size_type at) {
        return text[at] == needle[0] && text.compare(at, needle.size(), needle) == 0;
    });
}

size_type FindFirstOfOutsideQuotes(const std::string& charSet, const std::string& text, size_type start) {
    if (start > text.size()) return npos;
    return FindOutside(text, start, [&](size_type at) { return charSet.find(text[at]) != npos; });
}

std::string Replace(const std::string& needle, const std::string& replacement, const std::string& text,
                    int maxCount) {
    if (needle.empty()) return text;
    std::string result = text;
    int count = 0;
    size_type at = result.find(needle);
    while (at != npos && (maxCount < 0 || count < maxCount)) {
        result.replace(at, needle.size(), replacement);
        ++count;
        at = result.find(needle, at);
        // A replacement that regrows its own needle would loop forever; stop at a generous bound.
        if (maxCount < 0 && static_cast<size_type>(count) > text.size() + 1 &&
            replacement.find(needle) != npos) {
            break;
        }
    }
    return result;
}

std::string UpperCase(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string LowerCase(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string EncodeNumber(int number) {
    std::string result;
    if (number < 0) number = 0;
    while (number > 93) {
        result += '~';
        number -= 94;
    }
    result += static_cast<char>(number + 32);
    return result;
}

std::string EncodeNumbers(const std::vector<int>& numbers) {
    std::string result;
    for (int n : numbers) result += EncodeNumber(n);
    return result;
}

std::vector<int> DecodeNumbers(const std::string& text) {
    std::vector<int> numbers(1, 0);
    for (char c : text) {
        numbers.back() += static_cast<unsigned char>(c) - 32;
        if (c != '~') numbers.push_back(0);
    }
    return numbers;
}

}  // namespace tarn
