// String algorithms on slash-separated paths and the program-wide working directory they are
// resolved against. A path is absolute when it starts with "/" or with a drive letter and ":".
#include "tarn/io/pathutils.h"

#include <vector>

#include "tarn/platform/platform.h"
#include "tarn/utils/string/stringutils.h"

namespace tarn {

namespace {

using size_type = std::string::size_type;
const size_type npos = std::string::npos;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsDrive(const std::string& component) {
    return component.size() >= 2 && IsLetter(component[0]) && component[1] == ':';
}

struct CWorkingDirectory {
    bool myKnown = false;
    std::string myPath;
};

CWorkingDirectory& TheWorkingDirectory() {
    static CWorkingDirectory directory;
    return directory;
}

}  // namespace

std::string ToSlashes(const std::string& path) {
    std::string result = path;
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

bool IsAbsolutePath(const std::string& path) {
    const std::string trimmed = Trim(path);
    if (trimmed.empty()) return false;
    if (trimmed[0] == '/') return true;
    return trimmed.size() >= 2 && IsLetter(trimmed[0]) && trimmed[1] == ':';
}

std::string NormalizePath(const std::string& path) {
    std::vector<std::string> components;
    size_type count = 0;
    long depth = 0;
    for (const std::string& part : Split("/", path)) {
        const std::string name = Trim(part);
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (count > 0) --count;
            --depth;
            continue;
        }
        if (count < components.size()) {
            components[count] = name;
        } else {
            components.push_back(name);
        }
        ++count;
        ++depth;
    }
    std::string result;
    for (size_type i = 0; i < count; ++i) {
        if (i != 0 || !IsDrive(components[0])) result += "/";
        result += components[i];
    }
    if (!result.empty()) return result;
    if (depth >= 0) return "/";
    for (long i = 0; i < -depth; ++i) result += "/..";
    return result;
}

std::string MakeAbsolutePath(const std::string& path, const std::string& base) {
    const std::string slashed = ToSlashes(path);
    if (IsAbsolutePath(slashed)) return NormalizePath(slashed);
    return NormalizePath(base + "/" + slashed);
}

std::string FirstPathComponent(const std::string& path) {
    const size_type slash = path.find('/');
    return slash == npos ? path : path.substr(0, slash);
}

std::string RelativePath(const std::string& target, const std::string& from) {
    // Positions where the remaining texts start; a removed last component leaves them at the end.
    size_type t = 0;
    size_type f = 0;
    while (t < target.size() && f < from.size()) {
        const size_type tSlash = target.find('/', t);
        const size_type fSlash = from.find('/', f);
        const size_type tLength = (tSlash == npos ? target.size() : tSlash) - t;
        const size_type fLength = (fSlash == npos ? from.size() : fSlash) - f;
        if (target.compare(t, tLength, from, f, fLength) != 0) break;
        t = tSlash == npos ? target.size() : tSlash + 1;
        f = fSlash == npos ? from.size() : fSlash + 1;
    }
    size_type levels = 0;
    if (f < from.size()) {
        levels = 1;
        for (size_type i = f + 1; i < from.size(); ++i)
            if (from[i] == '/') ++levels;
    }
    std::string result;
    result.reserve(levels * 3 + target.size() - t);
    for (size_type i = 0; i < levels; ++i) result += "../";
    result.append(target, t, npos);
    return result.empty() ? std::string(".") : result;
}

const std::string& GetPathWorkingDirectory() {
    CWorkingDirectory& directory = TheWorkingDirectory();
    if (!directory.myKnown) {
        const std::string current = ToSlashes(platform::GetWorkingDirectory());
        directory.myPath = current.empty() ? std::string("/") : current;
        directory.myKnown = true;
    }
    return directory.myPath;
}

void SetPathWorkingDirectory(const std::string& path) {
    CWorkingDirectory& directory = TheWorkingDirectory();
    directory.myPath = path;
    directory.myKnown = true;
}

}  // namespace tarn
