// POSIX side of the platform layer: sched_yield/nanosleep, getcwd/chdir, /proc/self/exe,
// opendir and stat, open with O_EXCL|O_NOFOLLOW, fsync and rename.
// The Windows side (platform_win32.cpp) uses Sleep, _getcwd and _findfirst.
#if !defined(_WIN32)
#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "tarn/platform/platform.h"

namespace tarn {
namespace platform {

#if !defined(__EMSCRIPTEN__)
// The browser's sleep lies in platform_web.cpp.
void SleepMs(unsigned ms) {
    if (ms == 0) {
        sched_yield();
        return;
    }
    timespec wait{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}
#endif

std::string GetWorkingDirectory() {
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer)) return std::string();
    std::string dir(buffer);
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

bool SetWorkingDirectory(const std::string& directory) { return !directory.empty() && chdir(directory.c_str()) == 0; }

std::string GetExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return std::string();
    return std::string(buffer, static_cast<std::size_t>(length));
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

namespace {

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

// Fills entry from stat; false when the path does not exist.
bool StatEntry(const std::string& path, const std::string& name, FileEntry& entry) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return false;
    entry.myName = name;
    entry.myIsDirectory = S_ISDIR(info.st_mode);
    entry.mySize = entry.myIsDirectory ? 0 : static_cast<std::uint64_t>(info.st_size);
    entry.myModified = entry.myIsDirectory ? 0 : static_cast<std::int64_t>(info.st_mtime);
    return true;
}

}  // namespace

bool FindFirstEntry(const std::string& path, FileEntry& entry) {
    std::string slashed = path;
    for (char& c : slashed)
        if (c == '\\') c = '/';
    // Like _findfirst, a path ending in a separator names nothing.
    if (slashed.empty() || slashed.back() == '/') return false;
    const std::string::size_type cut = slashed.rfind('/');
    const std::string directory =
        cut == std::string::npos ? std::string(".") : (cut == 0 ? std::string("/") : slashed.substr(0, cut));
    const std::string pattern = cut == std::string::npos ? slashed : slashed.substr(cut + 1);
    if (!HasWildcard(pattern)) return StatEntry(slashed, pattern, entry);
    std::vector<DirEntry> entries;
    if (!ListDirectory(directory, pattern, entries) || entries.empty()) return false;
    const std::string& name = entries.front().myName;
    return StatEntry(directory + "/" + name, name, entry);
}

std::FILE* CreateNewFile(const std::string& name) {
    const int handle = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (handle < 0) return nullptr;
    std::FILE* file = ::fdopen(handle, "wb");
    if (!file) {
        const int error = errno;
        ::close(handle);
        errno = error;
    }
    return file;
}

int SyncFile(std::FILE* file) {
    if (::fsync(fileno(file)) == 0 || errno == EINVAL || errno == ENOTSUP) return 0;
    return errno;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

int SyncFolder(const std::string& folder) {
    const int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return errno;
    const int error = ::fsync(handle) == 0 || errno == EINVAL ? 0 : errno;
    ::close(handle);
    return error;
}

}  // namespace platform
}  // namespace tarn
#endif
