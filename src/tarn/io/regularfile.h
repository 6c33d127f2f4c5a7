// Reading a file whose kind and size are checked first: only a regular file (links followed)
// no larger than the limit for its kind is read, so a folder, a device such as /dev/zero, a
// pipe or a huge file is refused before a byte is read, and reading never throws.
#ifndef TARN_IO_REGULARFILE_H
#define TARN_IO_REGULARFILE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarn {

// The largest file of each kind the program reads, in bytes: far above any real content (the
// largest shipped file is well under a megabyte), low enough that reading one cannot exhaust
// memory.
struct CFileLimits {
    static constexpr std::uint64_t kPicture = 32u << 20;  // PNG, GIF, JPEG, BMP, TGA
    static constexpr std::uint64_t kXml = 8u << 20;       // levels, level lists, sprite files
    static constexpr std::uint64_t kScript = 1u << 20;    // start-up and loaded scripts
    static constexpr std::uint64_t kSound = 64u << 20;    // music and sound effects
    static constexpr std::uint64_t kText = 1u << 20;      // font tables, solution files
};

// Every function below answers false for a path that is missing, not a regular file, or
// larger than maxBytes. why, when given, receives the reason and the caller reports it; when
// null, the refusal of a file that exists is logged here as a warning naming the file (a
// missing file is left to the caller, as it is an ordinary case for most readers).

// Whether path may be read; for readers that open the file themselves (the sound library).
bool CheckRegularFile(const std::string& path, std::uint64_t maxBytes, std::string* why = nullptr);

// Reads the whole file into data (size bytes, plus a zero byte after them that size does not
// count); a file that grows past maxBytes while it is read is refused too. On false data is
// null and size 0.
bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::unique_ptr<char[]>& data,
                     std::size_t& size, std::string* why = nullptr);

// The same into a string (replaced; empty on false).
bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& bytes, std::string* why = nullptr);

}  // namespace tarn

#endif
