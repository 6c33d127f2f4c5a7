// The file system on the platform runtime: file queries through the platform layer's
// directory functions and input streams on standard file streams.
#ifndef TARN_IO_CFILESYSTEMBASICIMPL_H
#define TARN_IO_CFILESYSTEMBASICIMPL_H

#include <cstddef>
#include <memory>
#include <string>

#include "tarn/io/cfileinfo.h"
#include "tarn/io/cfilename.h"

namespace tarn {

class CInputStream;

class CFileSystemBasicImpl {
public:
    // Reads the process's working directory into the program-wide one (kept when unreadable).
    CFileSystemBasicImpl();
    CFileSystemBasicImpl(const CFileSystemBasicImpl&) = delete;
    CFileSystemBasicImpl& operator=(const CFileSystemBasicImpl&) = delete;
    virtual ~CFileSystemBasicImpl();

    virtual CFileName MakeFileName(const std::string& path) const;
    // Exists false (size and time 0) when nothing matches; size and time 0 for a directory.
    // The last component may hold the wildcards '*' and '?': the first match answers.
    virtual CFileInfo GetFileInfo(const std::string& path) const;
    // A stream on an existing regular file, or an empty handle when it is missing, a
    // directory, a device or pipe, or cannot be opened. The stream lives as long as a handle to it; Release closes it.
    virtual std::shared_ptr<CInputStream> OpenInputStream(const std::string& path);
    // Reads up to count bytes; the number read. An empty handle reads nothing.
    virtual std::size_t Read(const std::shared_ptr<CInputStream>& stream, char* buffer, std::size_t count);
    virtual void Release(const std::shared_ptr<CInputStream>& stream);
};

}  // namespace tarn

#endif
