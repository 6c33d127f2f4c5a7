// Reading a fuzz input into an XML tree the way the game reads a file, for the fuzz targets
// that read XML. Header only, so that every target keeps its one source file.
#ifndef FUZZ_SUPPORT_FUZZXML_H
#define FUZZ_SUPPORT_FUZZXML_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"

namespace fuzzsupport {

// The tree read from text, or null when it holds no element.
inline std::unique_ptr<tarn::CXmlNode> ReadXmlTree(std::string_view text) {
    tarn::CXmlParser parser;
    tarn::CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseText(text);
    return std::unique_ptr<tarn::CXmlNode>(builder.TakeRoot());
}

inline std::unique_ptr<tarn::CXmlNode> ReadXmlTree(const std::uint8_t* data, std::size_t size) {
    return ReadXmlTree(std::string_view(reinterpret_cast<const char*>(data), size));
}

}  // namespace fuzzsupport

#endif
