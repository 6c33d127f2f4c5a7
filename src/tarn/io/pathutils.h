// String algorithms on slash-separated paths and the program-wide working directory they are
// resolved against. A path is absolute when it starts with "/" or with a drive letter and ":".
#ifndef TARN_IO_PATHUTILS_H
#define TARN_IO_PATHUTILS_H

#include <string>

namespace tarn {

// Every "\" replaced by "/".
std::string ToSlashes(const std::string& path);

// After trimming blanks: true when the path starts with "/" or with a letter and ":".
bool IsAbsolutePath(const std::string& path);

// Resolves ".", ".." and empty components: "a/./b//c/../d" gives "/a/b/d", "D:/x/../y" gives
// "D:/y". Components are trimmed of blanks. ".." at the top is dropped when other components
// follow ("../x" gives "/x"); a path of ".." only gives "/.." ("../.." gives "/../.."). "" gives "/".
std::string NormalizePath(const std::string& path);

// The normalized absolute form of path; a relative path is taken relative to base.
std::string MakeAbsolutePath(const std::string& path, const std::string& base);

// The text before the first "/", or all of path when there is none.
std::string FirstPathComponent(const std::string& path);

// The way from the directory "from" to target, both absolute: "/a/b/c" from "/a/d" gives
// "../b/c"; equal paths give ".".
std::string RelativePath(const std::string& target, const std::string& from);

// The directory relative paths are resolved against, with "/" separators. Read from the process
// on first use ("/" when it cannot be read); the basic file system refreshes it when created.
const std::string& GetPathWorkingDirectory();
void SetPathWorkingDirectory(const std::string& directory);

}  // namespace tarn

#endif
