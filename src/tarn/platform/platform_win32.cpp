// Windows side of the platform layer: Sleep, _getcwd/_chdir, GetModuleFileName and
// _findfirst/_findclose.
// The POSIX side (platform_posix.cpp) uses sched_yield, getcwd and opendir.
#if defined(_WIN32)
#include <direct.h>
#include <io.h>
#include <windows.h>

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

}  // namespace platform
}  // namespace tarn
#endif
