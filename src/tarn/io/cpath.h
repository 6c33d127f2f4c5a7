// A path value: the text it was made from, the working directory at that moment and its
// normalized absolute form, which is what comparisons and combinations use.
#ifndef TARN_IO_CPATH_H
#define TARN_IO_CPATH_H

#include <string>

namespace tarn {

class CPath {
public:
    // The working directory itself.
    CPath();
    CPath(const std::string& path);  // NOLINT: paths convert from text implicitly
    CPath(const char* path);         // NOLINT: null counts as ""
    CPath(const CPath& other) = default;
    CPath& operator=(const CPath& other) = default;
    virtual ~CPath();

    // Appends other's text: absolute becomes the absolute form of absolute + "/" + other's text.
    virtual CPath& Append(const CPath& other);
    // A copy with other appended.
    virtual CPath operator+(const CPath& other) const;
    // Paths are equal when their absolute forms are.
    virtual bool operator==(const CPath& other) const;
    virtual bool operator!=(const CPath& other) const;
    // The way from the working directory of construction to this path ("." when they are equal).
    virtual std::string GetRelative() const;
    virtual std::string GetAbsolute() const;
    // The way from other's absolute form to this path.
    virtual std::string GetRelativeTo(const CPath& other) const;

    CPath& operator+=(const CPath& other) { return Append(other); }
    const std::string& GetText() const { return myText; }

private:
    std::string myText;
    std::string myBase;
    std::string myAbsolute;
};

// Text on the left: the text is made a path first.
CPath operator+(const std::string& left, const CPath& right);
bool operator==(const std::string& left, const CPath& right);
bool operator!=(const std::string& left, const CPath& right);

}  // namespace tarn

#endif
