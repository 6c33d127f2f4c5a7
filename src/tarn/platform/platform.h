// The few operating-system services the engine needs beyond SDL: yielding the processor,
// the working directory, the program's own path, directory listing and the file operations
// that make a save safe. One implementation per platform.
#ifndef TARN_PLATFORM_PLATFORM_H
#define TARN_PLATFORM_PLATFORM_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tarn {
namespace platform {

// Sleeps for ms milliseconds; 0 yields the rest of the time slice to other processes.
void SleepMs(unsigned ms);

// The absolute working directory with '/' separators and no trailing separator,
// or "" when it cannot be read.
std::string GetWorkingDirectory();

// Makes directory the working directory; false (nothing changed) when it cannot be entered.
bool SetWorkingDirectory(const std::string& directory);

// The absolute path of the running program's file with '/' separators, or "" when the system
// does not tell.
std::string GetExecutablePath();

// One directory entry as listed by ListDirectory.
struct DirEntry {
    std::string myName;
    bool myIsDirectory;
};

// Lists the entries of a directory matching a wildcard pattern ('*' and '?'), in the order the
// system returns them, "." and ".." included when they match. Returns false (and leaves
// entries empty) when the directory cannot be read.
bool ListDirectory(const std::string& directory, const std::string& pattern, std::vector<DirEntry>& entries);

// What FindFirstEntry reports about one file or directory.
struct FileEntry {
    std::string myName;
    bool myIsDirectory;
    std::uint64_t mySize;        // bytes; 0 for a directory
    std::int64_t myModified;     // seconds since 1970 (UTC); 0 for a directory
};

// The first entry matching path, whose last component may hold the wildcards '*' and '?', as
// _findfirst finds it. Returns false (entry untouched) when nothing matches or the directory
// cannot be read. Separators may be '/' or '\\'.
bool FindFirstEntry(const std::string& path, FileEntry& entry);

// Creates the file name for writing, in binary mode, only when nothing has that name yet (not
// even a link, which is never followed). The file gets the permissions an ordinary new file
// gets. Returns the open file, which the caller closes, or null with errno set (EEXIST when
// the name is taken).
std::FILE* CreateNewFile(const std::string& name);

// Pushes what was written to file out to the disk. Returns 0, or the system's error number;
// files that cannot be synchronised (devices, pipes) have nothing to lose and give 0.
int SyncFile(std::FILE* file);

// Moves the file from over to, replacing a file of that name in one step. False, with errno
// set, when it cannot; to is then as it was.
bool RenameReplacing(const std::string& from, const std::string& to);

// Writes the entries of folder out to the disk, so that a file just moved into it keeps its
// new name after a power cut. Returns 0, or the system's error number.
int SyncFolder(const std::string& folder);

// Where the program runs in a browser's page: the folder the player's files are kept in is
// backed by the page's persistent storage (IndexedDB), which outlives a reload. Elsewhere the
// disk keeps them already and both functions do nothing.
// Mounts that storage at folder (created when missing) and waits until what it held has been
// copied in. False when it cannot: the folder then lives in memory for this visit only.
bool OpenPersistentFolder(const std::string& folder);
// Copies the files written since into the page's storage (in the background); called after
// every completed save.
void PersistFolders();

// True where the program shares its thread with a host that must run between frames (the
// browser's page): the main loop then yields at least once per frame.
bool YieldsEveryFrame();

// Wildcard match as the directory functions do it: '*' any run, '?' one character.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace platform
}  // namespace tarn

#endif
