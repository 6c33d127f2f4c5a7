// Fuzz target holding the XML reader to its frozen earlier version: any bytes must give the same
// tree as that reader gives, and whole documents the same first problem as lines fed one by one.
// Replays the corpus of fuzz_xml.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "support/fuzzxml.h"
#include "support/xmlreferencereader.h"
#include "support/xmltreedifference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tarn::CXmlParser parser;
    tarn::CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseText(text);
    std::unique_ptr<tarn::CXmlNode> tree(builder.TakeRoot());
    const std::string difference = testsupport::XmlTreeDifference(testsupport::ReferenceXmlText(text).root, tree.get());
    if (!difference.empty()) {
        std::fprintf(stderr, "the reader differs from its earlier version: %s\n", difference.c_str());
        std::abort();
    }
    if (testsupport::XmlProblemLineByLine(text) != std::make_pair(parser.GetErrorLine(), parser.GetError())) {
        std::fprintf(stderr, "line %d: %s, but not so line by line\n", parser.GetErrorLine(), parser.GetError().c_str());
        std::abort();
    }
    return 0;
}
