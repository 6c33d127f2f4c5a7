// Where an installed program finds its read-only data and where it keeps the player's files:
// the data directory beside the program's prefix, the XDG base directories and the Windows
// application-data folder.
#include "tarn/io/installlayout.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "tarn/io/pathutils.h"

namespace tarn {

std::string AbsoluteDirectoryVariable(const char* variable) {
    const char* value = variable ? std::getenv(variable) : nullptr;
    return value && IsAbsolutePath(value) ? ToSlashes(value) : std::string();
}

std::string XdgBaseDirectory(const char* variable, const std::string& fallback, const std::string& home) {
    const std::string value = AbsoluteDirectoryVariable(variable);
    if (!value.empty()) return value;
    if (home.empty() || !IsAbsolutePath(home)) return std::string();
    std::string base = ToSlashes(home);
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/" + fallback;
}

std::string XdgBaseDirectory(const char* variable, const std::string& fallback) {
    const char* home = std::getenv("HOME");
#if defined(_WIN32)
    if (!home) home = std::getenv("USERPROFILE");
#endif
    return XdgBaseDirectory(variable, fallback, home ? std::string(home) : std::string());
}

std::string FindInstalledDataDirectory(const std::string& programPath, const std::string& relativeDataDir,
                                       const std::string& marker) {
    const std::string program = ToSlashes(programPath);
    const std::string::size_type cut = program.rfind('/');
    if (cut == std::string::npos || relativeDataDir.empty()) return std::string();
    const std::string joined = program.substr(0, cut + 1) + relativeDataDir;
    // NormalizePath writes a drive letter without the leading "/" and everything else with it.
    const std::string dataDir = NormalizePath(joined);
    std::error_code error;
    if (!std::filesystem::is_regular_file(dataDir + "/" + marker, error)) return std::string();
    return dataDir;
}

bool MakeDirectories(const std::string& directory) {
    if (directory.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    return std::filesystem::is_directory(directory, error);
}

}  // namespace tarn
