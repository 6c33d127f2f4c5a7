// A private working directory for the fuzz targets that write files (the log, scripts):
// created once, entered, and removed with its contents when the process ends normally. The
// paths on the command line are made absolute first, so corpus folders, dictionaries and
// crash files named relative to where the fuzzer was started are still found there.
#ifndef FUZZ_SUPPORT_FUZZTEMPDIR_H
#define FUZZ_SUPPORT_FUZZTEMPDIR_H

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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
    if (!TemporaryDirectory().empty()) return;
    std::string pattern = (std::filesystem::temp_directory_path() / ("tarn-fuzz-" + name + "-XXXXXX")).string();
    if (!mkdtemp(&pattern[0]) || chdir(pattern.c_str()) != 0) std::abort();
    TemporaryDirectory() = pattern;
    std::atexit(LeaveTemporaryDirectory);
}

// path made absolute against the working directory ("" stays "").
inline std::string Absolute(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

// One argument with its paths made absolute: a corpus folder or input file, or the value of
// an option that names files (for -seed_inputs a list of them, or "@" and a file listing them).
inline std::string ResolveArgument(const std::string& argument) {
    if (argument.empty() || argument[0] != '-') return Absolute(argument);
    static const char* const kPathOptions[] = {"artifact_prefix", "exact_artifact_path", "dict",
                                               "merge_control_file", "features_dir", "mutation_graph_file",
                                               "data_flow_trace", "seed_inputs"};
    const std::string::size_type start = argument.find_first_not_of('-');
    const std::string::size_type equals = argument.find('=');
    if (start == std::string::npos || equals == std::string::npos || equals < start) return argument;
    const std::string option = argument.substr(start, equals - start);
    bool namesFiles = false;
    for (const char* name : kPathOptions) namesFiles = namesFiles || option == name;
    if (!namesFiles) return argument;
    const std::string value = argument.substr(equals + 1);
    std::string resolved;
    for (std::string::size_type begin = 0; begin <= value.size();) {
        std::string::size_type end = option == "seed_inputs" ? value.find(',', begin) : std::string::npos;
        if (end == std::string::npos) end = value.size();
        const std::string item = value.substr(begin, end - begin);
        const bool listFile = !item.empty() && item[0] == '@';
        resolved += (begin ? "," : "") + std::string(listFile ? "@" : "") + Absolute(listFile ? item.substr(1) : item);
        begin = end + 1;
    }
    return argument.substr(0, equals + 1) + resolved;
}

// Rewrites the command line (as LLVMFuzzerInitialize receives it) with absolute paths, and
// sends crash files to where the fuzzer was started unless the line says where; then enters
// the private folder. Call it from LLVMFuzzerInitialize, before anything changes folder.
inline void ResolveArgumentsThenEnter(int* argc, char*** argv, const std::string& name) {
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    bool artifactsPlaced = false;
    for (int i = 0; i < *argc; ++i) {
        const std::string argument = (*argv)[i];
        arguments.push_back(i == 0 ? argument : ResolveArgument(argument));
        for (const char* option : {"-artifact_prefix=", "-exact_artifact_path="})
            artifactsPlaced = artifactsPlaced || argument.rfind(option, 0) == 0;
    }
    std::error_code error;
    const std::string here = std::filesystem::current_path(error).string();
    if (!artifactsPlaced && !error) arguments.push_back("-artifact_prefix=" + here + "/");
    for (std::string& argument : arguments) pointers.push_back(&argument[0]);
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();
    EnterTemporaryDirectory(name);
}

}  // namespace fuzzsupport

#endif
