// Wildcard matching shared by both sides of the platform layer.
// Iterative with one backtrack point, so long names and patterns cannot exhaust the stack.
#include "tarn/platform/platform.h"

namespace tarn {
namespace platform {

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace platform
}  // namespace tarn
