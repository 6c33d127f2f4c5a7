// Memory for a tree read from a document: nodes, their child and attribute arrays and the
// attribute texts are carved from a few large blocks, and the whole tree's memory is freed at once.
#include "tarn/utils/xml/cxmlarena.h"

#include <algorithm>
#include <cstring>

namespace tarn {

namespace {
// Blocks start small, so that a tiny document costs little, and double up to a limit.
const std::size_t kFirstBlock = 16 * 1024;
const std::size_t kLargestBlock = 4 * 1024 * 1024;
}  // namespace

std::string_view CXmlArena::CopyText(std::string_view text) {
    if (text.empty()) return std::string_view();
    char* copy = static_cast<char*>(Allocate(text.size(), 1));
    std::memcpy(copy, text.data(), text.size());
    return std::string_view(copy, text.size());
}

void CXmlArena::NewBlock(std::size_t atLeast) {
    std::size_t size = myBlocks.empty() ? kFirstBlock : std::min(myCapacity * 2, kLargestBlock);
    size = std::max(size, atLeast);
    myBlocks.emplace_back(new char[size]);
    myBlock = myBlocks.back().get();
    myUsed = 0;
    myCapacity = size;
}

}  // namespace tarn
