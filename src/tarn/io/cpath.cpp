// A path value: the text it was made from, the working directory at that moment and its
// normalized absolute form, which is what comparisons and combinations use.
#include "tarn/io/cpath.h"

#include "tarn/io/pathutils.h"

namespace tarn {

CPath::CPath() : myBase(GetPathWorkingDirectory()), myAbsolute(myBase) {}

CPath::CPath(const std::string& path)
    : myText(path), myBase(GetPathWorkingDirectory()), myAbsolute(MakeAbsolutePath(myText, myBase)) {}

CPath::CPath(const char* path) : CPath(std::string(path ? path : "")) {}

CPath::~CPath() = default;

CPath& CPath::Append(const CPath& other) {
    myAbsolute = MakeAbsolutePath(myAbsolute + "/" + other.myText, GetPathWorkingDirectory());
    return *this;
}

CPath CPath::operator+(const CPath& other) const {
    CPath result(*this);
    result.Append(other);
    return result;
}

bool CPath::operator==(const CPath& other) const { return myAbsolute == other.myAbsolute; }

bool CPath::operator!=(const CPath& other) const { return !(*this == other); }

std::string CPath::GetRelative() const { return RelativePath(myAbsolute, myBase); }

std::string CPath::GetAbsolute() const { return myAbsolute; }

std::string CPath::GetRelativeTo(const CPath& other) const { return RelativePath(myAbsolute, other.myAbsolute); }

CPath operator+(const std::string& left, const CPath& right) { return CPath(left) + right; }

bool operator==(const std::string& left, const CPath& right) { return CPath(left) == right; }

bool operator!=(const std::string& left, const CPath& right) { return CPath(left) != right; }

}  // namespace tarn
