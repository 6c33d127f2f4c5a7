// One file opened for reading, as handed out by the file system. Closed when released or
// destroyed.
#ifndef TARN_IO_CINPUTSTREAM_H
#define TARN_IO_CINPUTSTREAM_H

#include <cstddef>
#include <fstream>
#include <string>

namespace tarn {

class CInputStream {
public:
    // Opens the file; IsGood tells whether that worked.
    explicit CInputStream(const std::string& path);
    CInputStream(const CInputStream&) = delete;
    CInputStream& operator=(const CInputStream&) = delete;

    bool IsGood() const;
    // Reads up to count bytes into buffer; the number read (0 at the end or when closed).
    std::size_t Read(char* buffer, std::size_t count);
    void Close();

private:
    std::ifstream myStream;
};

}  // namespace tarn

#endif
