// Reading a file whose kind and size are checked first: only a regular file (links followed)
// no larger than the limit for its kind is read, and reading never throws.
#include "tarn/io/regularfile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <new>
#include <system_error>

#include "tarn/utils/logger/clogger.h"

namespace tarn {

namespace {

namespace fs = std::filesystem;

// Why path may not be read ("" when it may); missing tells the caller the file is not there.
std::string Objection(const std::string& path, std::uint64_t maxBytes, std::uint64_t& fileSize, bool& missing) {
    missing = path.empty();
    if (missing) return "the file cannot be opened";
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        missing = true;
        return "the file cannot be opened";
    }
    if (error) return "the file cannot be examined: " + error.message();
    if (status.type() == fs::file_type::directory) return "it is a folder, not a file";
    if (status.type() != fs::file_type::regular) return "it is not a regular file (a device, pipe or socket)";
    fileSize = fs::file_size(path, error);
    if (error) return "the file cannot be examined: " + error.message();
    if (fileSize > maxBytes) {
        return "it holds " + std::to_string(fileSize) + " bytes, more than the " + std::to_string(maxBytes) +
               " allowed for its kind";
    }
    return std::string();
}

// Hands why to the caller, or logs it when the caller gave nowhere to put it; false.
bool Refuse(const std::string& path, const std::string& reason, bool missing, std::string* why) {
    if (why) {
        *why = reason;
    } else if (!missing) {
        CLogger::GetSingleton()->Warning() << "Refused to read the file " << path << ": " << reason << "\n";
    }
    return false;
}

// Reads at most maxBytes + 1 bytes of file, so a file larger than announced is noticed
// without reading on; a buffer that fills up grows by doubling. Empty reason on success.
std::string ReadBounded(std::FILE* file, std::uint64_t expected, std::uint64_t maxBytes, std::unique_ptr<char[]>& data,
                        std::size_t& size) {
    const std::uint64_t limit = maxBytes < std::numeric_limits<std::uint64_t>::max() ? maxBytes + 1 : maxBytes;
    std::uint64_t capacity = (expected < maxBytes ? expected : maxBytes) + 1;
    size = 0;
    for (;;) {
        std::unique_ptr<char[]> larger(new (std::nothrow) char[static_cast<std::size_t>(capacity) + 1]);
        if (!larger) return "there is not enough memory to read it";
        if (data) std::copy(data.get(), data.get() + size, larger.get());
        data = std::move(larger);
        size += std::fread(data.get() + size, 1, static_cast<std::size_t>(capacity) - size, file);
        if (std::ferror(file)) return "the file cannot be read";
        if (size < capacity) break;
        if (capacity >= limit) return "it grew past the " + std::to_string(maxBytes) + " bytes allowed while being read";
        capacity = capacity * 2 < limit ? capacity * 2 : limit;
    }
    data[size] = '\0';
    return std::string();
}

}  // namespace

bool CheckRegularFile(const std::string& path, std::uint64_t maxBytes, std::string* why) {
    std::uint64_t fileSize = 0;
    bool missing = false;
    const std::string reason = Objection(path, maxBytes, fileSize, missing);
    return reason.empty() || Refuse(path, reason, missing, why);
}

bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::unique_ptr<char[]>& data,
                     std::size_t& size, std::string* why) {
    data.reset();
    size = 0;
    std::uint64_t fileSize = 0;
    bool missing = false;
    std::string reason = Objection(path, maxBytes, fileSize, missing);
    if (!reason.empty()) return Refuse(path, reason, missing, why);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return Refuse(path, "the file cannot be opened", false, why);
    reason = ReadBounded(file, fileSize, maxBytes, data, size);
    std::fclose(file);
    if (reason.empty()) return true;
    data.reset();
    size = 0;
    return Refuse(path, reason, false, why);
}

bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& bytes, std::string* why) {
    bytes.clear();
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    if (!ReadRegularFile(path, maxBytes, data, size, why)) return false;
    try {
        bytes.assign(data.get(), size);
    } catch (const std::bad_alloc&) {
        return Refuse(path, "there is not enough memory to read it", false, why);
    }
    return true;
}

}  // namespace tarn
