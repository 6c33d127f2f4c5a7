// A path that names a file: the path plus queries for existence, size, modification time,
// file name and extension, answered by the program-wide file system.
#ifndef TARN_IO_CFILENAME_H
#define TARN_IO_CFILENAME_H

#include <cstdint>
#include <string>

#include "tarn/io/cpath.h"

namespace tarn {

class CFileName : public CPath {
public:
    CFileName() = default;
    CFileName(const std::string& path) : CPath(path) {}  // NOLINT: file names convert from text
    CFileName(const char* path) : CPath(path) {}         // NOLINT
    CFileName(const CPath& path) : CPath(path) {}        // NOLINT

    // False for a missing path; a directory exists too.
    bool Exists() const;
    // Bytes; 0 for a directory or a missing file.
    std::uint64_t GetSize() const;
    // Seconds since 1970 (UTC); 0 for a directory or a missing file.
    std::int64_t GetModificationTime() const;
    // The last component ("x.png" for "data/x.png"); "" when the text ends in a separator or
    // names the working directory or a parent of it.
    std::string GetFileName() const;
    // The text after the last "." of the file name ("png"); "" when it has none.
    std::string GetExtension() const;
};

}  // namespace tarn

#endif
