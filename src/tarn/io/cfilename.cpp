// A path that names a file: the path plus queries for existence, size, modification time,
// file name and extension, answered by the program-wide file system.
#include "tarn/io/cfilename.h"

#include "tarn/utils/string/stringutils.h"
#include "tarn/io/cfilesystem.h"

namespace tarn {

bool CFileName::Exists() const { return CFileSystem::GetSingleton()->GetFileInfo(GetAbsolute()).myExists; }

std::uint64_t CFileName::GetSize() const { return CFileSystem::GetSingleton()->GetFileInfo(GetAbsolute()).mySize; }

std::int64_t CFileName::GetModificationTime() const {
    return CFileSystem::GetSingleton()->GetFileInfo(GetAbsolute()).myModified;
}

std::string CFileName::GetFileName() const {
    const std::string text = Trim(GetText());
    if (!text.empty() && (text.back() == '/' || text.back() == '\\')) return std::string();
    const std::string relative = GetRelative();
    const std::string::size_type slash = relative.rfind('/');
    const std::string name = slash == std::string::npos ? relative : relative.substr(slash + 1);
    return (name == "." || name == "..") ? std::string() : name;
}

std::string CFileName::GetExtension() const {
    const std::string name = GetFileName();
    const std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace tarn
