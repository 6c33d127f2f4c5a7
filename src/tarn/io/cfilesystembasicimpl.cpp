// The file system on the platform runtime: file queries through the platform layer's
// directory functions and input streams on standard file streams.
#include "tarn/io/cfilesystembasicimpl.h"

#include <cstdint>
#include <limits>

#include "tarn/platform/platform.h"
#include "tarn/io/cinputstream.h"
#include "tarn/io/pathutils.h"
#include "tarn/io/regularfile.h"

namespace tarn {

CFileSystemBasicImpl::CFileSystemBasicImpl() {
    const std::string current = ToSlashes(platform::GetWorkingDirectory());
    if (!current.empty()) SetPathWorkingDirectory(current);
}

CFileSystemBasicImpl::~CFileSystemBasicImpl() = default;

CFileName CFileSystemBasicImpl::MakeFileName(const std::string& path) const { return CFileName(path); }

CFileInfo CFileSystemBasicImpl::GetFileInfo(const std::string& path) const {
    CFileInfo info;
    platform::FileEntry entry;
    if (!platform::FindFirstEntry(path, entry)) return info;
    info.myExists = true;
    info.myIsDirectory = entry.myIsDirectory;
    if (entry.myIsDirectory) return info;
    info.mySize = entry.mySize;
    info.myModified = entry.myModified;
    return info;
}

std::shared_ptr<CInputStream> CFileSystemBasicImpl::OpenInputStream(const std::string& path) {
    // Only a regular file: a device or a pipe would read without end or block. The reader
    // chooses how much to read, so any size will do; the file system reports nothing.
    std::string refusal;
    if (!CheckRegularFile(path, std::numeric_limits<std::uint64_t>::max(), &refusal)) return nullptr;
    std::shared_ptr<CInputStream> stream = std::make_shared<CInputStream>(path);
    if (!stream->IsGood()) return nullptr;
    return stream;
}

std::size_t CFileSystemBasicImpl::Read(const std::shared_ptr<CInputStream>& stream, char* buffer,
                                       std::size_t count) {
    return stream ? stream->Read(buffer, count) : 0;
}

void CFileSystemBasicImpl::Release(const std::shared_ptr<CInputStream>& stream) {
    if (stream) stream->Close();
}

}  // namespace tarn
