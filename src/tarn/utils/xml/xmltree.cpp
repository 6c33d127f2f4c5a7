// Loading a whole XML file into a node tree and writing a tree to a stream.
// These join the reader, the tree builder and the writer for callers that want a whole document.
#include "tarn/utils/xml/xmltree.h"

#include "tarn/io/regularfile.h"
#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"
#include "tarn/utils/xml/cxmlwriter.h"

namespace tarn {

namespace {

// Parses a file's text; the tree keeps the text for its attribute values. No text yields
// just the two document events, as ParseFile does for a file it cannot read.
CXmlNode* ParseDocument(std::unique_ptr<char[]> data, std::size_t size, CXmlParser& parser) {
    CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    const std::string_view text(data.get(), data ? size : 0);
    builder.KeepDocument(std::move(data), size);
    parser.ParseText(text);
    return builder.TakeRoot();
}

}  // namespace

CXmlNode* LoadXmlTree(const std::string& fileName) {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    CXmlParser::ReadWholeFile(fileName, data, size);
    CXmlParser parser;
    return ParseDocument(std::move(data), size, parser);
}

CXmlNode* LoadXmlTree(const std::string& fileName, std::string* problem) {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    if (!ReadRegularFile(fileName, CFileLimits::kXml, data, size, problem)) return nullptr;
    CXmlParser parser;
    CXmlNode* root = ParseDocument(std::move(data), size, parser);
    problem->clear();
    if (!parser.GetError().empty())
        *problem = "line " + std::to_string(parser.GetErrorLine()) + ": " + parser.GetError();
    return root;
}

void WriteXmlTree(const CXmlNode* node, std::ostream& out) {
    if (!node) return;
    CXmlWriter writer;
    writer.WriteTree(*node, out);
}

}  // namespace tarn
