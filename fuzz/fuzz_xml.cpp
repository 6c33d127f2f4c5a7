// Fuzz target for the XML reader: any bytes are read into a tree; a tree that results is
// written, read back and written again. Trees made only of what the dialect can carry must
// come back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/fuzzxml.h"
#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/xmltree.h"

namespace {

std::string Write(const tarn::CXmlNode& node) {
    std::ostringstream out;
    tarn::WriteXmlTree(&node, out);
    return out.str();
}

bool HasAnyOf(const std::string& text, std::string_view characters) {
    return text.find_first_of(characters.data(), 0, characters.size()) != std::string::npos;
}

const std::string_view kNotInNames("<>/=\" \t\r\n\0", 11);
const std::string_view kNotInValues("<>\"\r\n\0", 6);
const std::string_view kNotInContent("<>&\r\n\0", 6);

bool IsSafeName(const std::string& name) {
    return !name.empty() && name[0] != '!' && name[0] != '?' && !HasAnyOf(name, kNotInNames);
}

// Whether every name, value and content of the tree survives writing and reading.
bool IsSafeTree(const tarn::CXmlNode& root) {
    std::vector<const tarn::CXmlNode*> pending{&root};
    while (!pending.empty()) {
        const tarn::CXmlNode* node = pending.back();
        pending.pop_back();
        if (!IsSafeName(node->GetName()) || HasAnyOf(node->GetContent(), kNotInContent)) return false;
        for (int i = 0; i < node->GetAttributeCount(); ++i) {
            if (!IsSafeName(node->GetAttributeName(i))) return false;
            if (HasAnyOf(node->GetAttributeValue(i).ToText(), kNotInValues)) return false;
        }
        for (int i = 0; i < node->GetChildCount(); ++i) pending.push_back(node->GetChild(i));
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<tarn::CXmlNode> tree = fuzzsupport::ReadXmlTree(input);
    if (!tree) return 0;
    const std::string written = Write(*tree);
    std::unique_ptr<tarn::CXmlNode> again = fuzzsupport::ReadXmlTree(written);
    const std::string rewritten = again ? Write(*again) : std::string();
    // Trees with empty names or characters the dialect cannot carry need not survive.
    if (IsSafeTree(*tree) && rewritten != written) std::abort();
    return 0;
}
