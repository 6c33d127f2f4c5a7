// POSIX side of the platform layer: sched_yield/nanosleep, getcwd and opendir.
// The Windows side (platform_win32.cpp) uses Sleep, _getcwd and _findfirst.
#if !defined(_WIN32)
#include <dirent.h>
#include <sched.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform.h"

namespace tarn {
namespace platform {

void SleepMs(unsigned ms) {
    if (ms == 0) {
        sched_yield();
        return;
    }
    timespec wait{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

std::string GetWorkingDirectory() {
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer)) return std::string();
    std::string dir(buffer);
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

bool ListDirectory(const std::string& directory, const std::string& pattern, std::vector<DirEntry>& entries) {
    entries.clear();
    const std::string dirName = directory.empty() ? std::string(".") : directory;
    DIR* dir = opendir(dirName.c_str());
    if (!dir) return false;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (!WildcardMatch(pattern, name)) continue;
        struct stat info {};
        const std::string full = dirName + "/" + name;
        const bool isDir = stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back(DirEntry{name, isDir});
    }
    closedir(dir);
    return true;
}

}  // namespace platform
}  // namespace tarn
#endif
