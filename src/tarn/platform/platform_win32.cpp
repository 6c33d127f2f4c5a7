// Windows side of the platform layer: Sleep, _getcwd/_chdir, GetModuleFileName,
// _findfirst/_findclose, _open with _O_EXCL, _commit and MoveFileEx.
// The POSIX side (platform_posix.cpp) uses sched_yield, getcwd and opendir.
#if defined(_WIN32)
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "tarn/platform/platform.h"

namespace tarn {
namespace platform {

void SleepMs(unsigned ms) { Sleep(ms); }

std::string GetWorkingDirectory() {
    char buffer[MAX_PATH];
    if (!_getcwd(buffer, sizeof buffer)) return std::string();
    std::string dir(buffer);
    for (char& c : dir)
        if (c == '\\') c = '/';
    while (dir.size() > 1 && dir.back() == '/' && dir[dir.size() - 2] != ':') dir.pop_back();
    return dir;
}

bool SetWorkingDirectory(const std::string& directory) { return !directory.empty() && _chdir(directory.c_str()) == 0; }

std::string GetExecutablePath() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return std::string();
    std::string path(buffer, length);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

bool ListDirectory(const std::string& directory, const std::string& pattern, std::vector<DirEntry>& entries) {
    entries.clear();
    const std::string search = (directory.empty() ? std::string(".") : directory) + "/" + pattern;
    _finddata_t data;
    const intptr_t handle = _findfirst(search.c_str(), &data);
    if (handle == -1) return false;
    do {
        entries.push_back(DirEntry{data.name, (data.attrib & _A_SUBDIR) != 0});
    } while (_findnext(handle, &data) == 0);
    _findclose(handle);
    return true;
}

bool FindFirstEntry(const std::string& path, FileEntry& entry) {
    __finddata64_t data;
    const intptr_t handle = _findfirst64(path.c_str(), &data);
    if (handle == -1) return false;
    entry.myName = data.name;
    entry.myIsDirectory = (data.attrib & _A_SUBDIR) != 0;
    entry.mySize = entry.myIsDirectory ? 0 : static_cast<std::uint64_t>(data.size);
    entry.myModified = entry.myIsDirectory ? 0 : static_cast<std::int64_t>(data.time_write);
    _findclose(handle);
    return true;
}

std::FILE* CreateNewFile(const std::string& name) {
    // _O_EXCL fails on any existing name, a link included, so nothing is followed.
    const int handle =
        _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (handle < 0) return nullptr;
    std::FILE* file = _fdopen(handle, "wb");
    if (!file) {
        const int error = errno;
        _close(handle);
        errno = error;
    }
    return file;
}

int SyncFile(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : errno; }

bool RenameReplacing(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return false;
}

// Windows writes a moved name out with MOVEFILE_WRITE_THROUGH; folders cannot be flushed.
int SyncFolder(const std::string& /*folder*/) { return 0; }

}  // namespace platform
}  // namespace tarn
#endif
