// A private working directory for the fuzz targets that write files (the log, scripts):
// created once, entered, and removed with its contents when the process ends normally.
#ifndef FUZZ_SUPPORT_FUZZTEMPDIR_H
#define FUZZ_SUPPORT_FUZZTEMPDIR_H

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzsupport {

inline std::string& TemporaryDirectory() {
    static std::string directory;
    return directory;
}

inline void LeaveTemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(TemporaryDirectory(), ignored);
}

// Makes "tarn-fuzz-<name>-XXXXXX" under the system's temporary folder and enters it; aborts
// when it cannot, since every later input would write into the caller's folder.
inline void EnterTemporaryDirectory(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / ("tarn-fuzz-" + name + "-XXXXXX")).string();
    if (!mkdtemp(&pattern[0]) || chdir(pattern.c_str()) != 0) std::abort();
    TemporaryDirectory() = pattern;
    std::atexit(LeaveTemporaryDirectory);
}

}  // namespace fuzzsupport

#endif
