// String utilities shared by the interpreter, the XML reader, the calculator and the file system.
// Free functions on std::string: trimming, splitting, quote-aware search, replacing, case, number encoding.
#ifndef TARN_UTILS_STRING_STRINGUTILS_H
#define TARN_UTILS_STRING_STRINGUTILS_H

#include <string>
#include <vector>

namespace tarn {

// Removes spaces and tabs from both ends; a text of blanks only gives "".
std::string Trim(const std::string& text);

// Splits at every separator; empty pieces are dropped. An empty separator gives the text as one piece.
std::vector<std::string> Split(const std::string& separator, const std::string& text);

// Like Split, but stops after maxCount - 1 separators: the last piece holds the rest.
// maxCount <= 0 means no limit.
std::vector<std::string> SplitMax(const std::string& separator, const std::string& text, int maxCount);

// Like Split/SplitMax, but separators inside double-quoted stretches do not split.
std::vector<std::string> SplitOutsideQuotes(const std::string& separator, const std::string& text);
std::vector<std::string> SplitOutsideQuotesMax(const std::string& separator, const std::string& text,
                                               int maxCount);

// Position of the first needle at or after start that is not inside a quoted stretch,
// or std::string::npos. A match inside an unterminated quoted stretch is never returned.
std::string::size_type FindOutsideQuotes(const std::string& needle, const std::string& text,
                                         std::string::size_type start = 0);

// Position of the first character of charSet at or after start outside quotes, or npos.
std::string::size_type FindFirstOfOutsideQuotes(const std::string& charSet, const std::string& text,
                                                std::string::size_type start = 0);

// Replaces up to maxCount occurrences (-1 = all). Searching resumes at the replacement itself,
// so a replacement that contains the needle must not be used with -1 (it is cut off at a
// bound of text-size-related iterations to stay finite).
std::string Replace(const std::string& needle, const std::string& replacement, const std::string& text,
                    int maxCount = -1);

std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);

// Printable encoding of non-negative integers in the 94 characters from ' ' to '~'.
std::string EncodeNumber(int number);
std::string EncodeNumbers(const std::vector<int>& numbers);
std::vector<int> DecodeNumbers(const std::string& text);

}  // namespace tarn

#endif
