// Replacing a file's content through an exclusive temporary file beside it, moved over the
// old file once it is safely on the disk.
#include "tarn/io/filereplace.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

#include "tarn/platform/platform.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

namespace {

// How often a new name is tried when the one drawn is taken.
const int NAME_ATTEMPTS = 16;

std::uint64_t RandomBits() {
    static std::uint64_t counter = 0;
    std::uint64_t bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    bits ^= ++counter * 0x9E3779B97F4A7C15ull;
    try {
        std::random_device device;
        bits ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (...) {
        // No system entropy: the clock and the counter still differ from call to call.
    }
    return bits;
}

bool Failed(const char* step, int error, std::string* reason) {
    if (reason) *reason = std::string(step) + ": " + std::strerror(error);
    return false;
}

std::string FolderOf(const std::string& fileName) {
    const std::string::size_type cut = fileName.find_last_of("/\\");
    if (cut == std::string::npos) return ".";
    return cut == 0 ? std::string("/") : fileName.substr(0, cut);
}

}  // namespace

int WriteAndClose(std::FILE* file, const std::string& bytes, const char*& step) {
    int error = 0;
    step = nullptr;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        error = errno;
        step = "write";
    } else if (std::fflush(file) != 0) {
        error = errno;
        step = "flush";
    } else if ((error = platform::SyncFile(file)) != 0) {
        step = "sync";
    }
    // Closing can report a write that failed late (a full disk over a network, for one).
    if (std::fclose(file) != 0 && !step) {
        error = errno;
        step = "close";
    }
    return error;
}

std::string TemporaryNameBeside(const std::string& fileName) {
    static const char* const DIGITS = "0123456789abcdef";
    std::uint64_t bits = RandomBits();
    std::string name = fileName + ".tmp.";
    for (int i = 0; i < 16; ++i, bits >>= 4) name += DIGITS[bits & 15u];
    return name;
}

bool MoveFileOver(const std::string& temporary, const std::string& fileName, std::string* reason) {
    if (!platform::RenameReplacing(temporary, fileName)) return Failed("rename", errno, reason);
    if (const int error = platform::SyncFolder(FolderOf(fileName))) {
        CLogger::GetSingleton()->Write("Xml warning, could not flush the folder of: " + fileName + " (" +
                                       std::strerror(error) + ")\n");
    }
    platform::PersistFolders();
    return true;
}

bool ReplaceFileContent(const std::string& fileName, const std::string& bytes, std::string* reason) {
    std::string temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < NAME_ATTEMPTS && !file; ++attempt) {
        temporary = TemporaryNameBeside(fileName);
        file = platform::CreateNewFile(temporary);
        if (!file && errno != EEXIST) break;
    }
    if (!file) return Failed("open", errno, reason);
    const char* step = nullptr;
    const int error = WriteAndClose(file, bytes, step);
    if (!step && MoveFileOver(temporary, fileName, reason)) return true;
    if (step) Failed(step, error, reason);
    std::remove(temporary.c_str());
    return false;
}

}  // namespace tarn
