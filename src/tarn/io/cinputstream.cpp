// One file opened for reading, as handed out by the file system. Closed when released or
// destroyed.
#include "tarn/io/cinputstream.h"

namespace tarn {

// Binary, so a read returns exactly the file's bytes on every platform.
CInputStream::CInputStream(const std::string& path) : myStream(path.c_str(), std::ios::in | std::ios::binary) {}

bool CInputStream::IsGood() const { return myStream.is_open() && myStream.good(); }

std::size_t CInputStream::Read(char* buffer, std::size_t count) {
    if (!buffer || count == 0 || !myStream.is_open()) return 0;
    myStream.read(buffer, static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(myStream.gcount());
}

void CInputStream::Close() {
    if (myStream.is_open()) myStream.close();
}

}  // namespace tarn
