// The program-wide file system: answers file queries and reads one current input stream,
// forwarding everything to a replaceable implementation (the basic one by default).
#ifndef TARN_IO_CFILESYSTEM_H
#define TARN_IO_CFILESYSTEM_H

#include <cstddef>
#include <memory>
#include <string>

#include "tarn/io/cfileinfo.h"
#include "tarn/io/cfilename.h"

namespace tarn {

class CFileSystemBasicImpl;
class CInputStream;

class CFileSystem {
public:
    // Created on first call with a CFileSystemBasicImpl; lives until the process ends.
    static CFileSystem* GetSingleton();

    // A null implementation is replaced by a basic one.
    explicit CFileSystem(std::shared_ptr<CFileSystemBasicImpl> implementation);
    ~CFileSystem();
    CFileSystem(const CFileSystem&) = delete;
    CFileSystem& operator=(const CFileSystem&) = delete;

    // Closes the current stream and answers later calls with implementation (null: a basic one).
    void SetImplementation(std::shared_ptr<CFileSystemBasicImpl> implementation);
    std::shared_ptr<CFileSystemBasicImpl> GetImplementation() const;

    CFileName MakeFileName(const std::string& path) const;
    CFileInfo GetFileInfo(const std::string& path) const;
    // Closes the current stream and opens path as the new one; false (and no current stream)
    // when it cannot be opened.
    bool Open(const std::string& path);
    // Reads up to count bytes from the current stream; the number read, 0 without a stream.
    std::size_t Read(char* buffer, std::size_t count);
    // Closes the current stream; nothing happens without one.
    void Close();

private:
    std::shared_ptr<CFileSystemBasicImpl> myImplementation;
    std::shared_ptr<CInputStream> myStream;
};

}  // namespace tarn

#endif
