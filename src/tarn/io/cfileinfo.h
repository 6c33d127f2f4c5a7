// What the file system knows about one path: whether it exists, and for a file its size and
// modification time (both 0 for a directory or a missing path).
#ifndef TARN_IO_CFILEINFO_H
#define TARN_IO_CFILEINFO_H

#include <cstdint>

namespace tarn {

struct CFileInfo {
    std::uint64_t mySize = 0;
    std::int64_t myModified = 0;  // seconds since 1970 (UTC)
    bool myExists = false;
    bool myIsDirectory = false;
};

}  // namespace tarn

#endif
