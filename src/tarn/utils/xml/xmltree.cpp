// Loading a whole XML file into a node tree and writing a tree to a stream.
// These join the reader, the tree builder and the writer for callers that want a whole document.
#include "tarn/utils/xml/xmltree.h"

#include <filesystem>

#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"
#include "tarn/utils/xml/cxmlwriter.h"

namespace tarn {

namespace {

// Reads the file whole and parses it; the tree keeps the file's text for its attribute values.
// A file that cannot be opened yields just the two document events, as ParseFile does.
CXmlNode* ReadTree(const std::string& fileName, CXmlParser& parser) {
    CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    CXmlParser::ReadWholeFile(fileName, data, size);
    const std::string_view text(data.get(), data ? size : 0);
    builder.KeepDocument(std::move(data), size);
    parser.ParseText(text);
    return builder.TakeRoot();
}

}  // namespace

CXmlNode* LoadXmlTree(const std::string& fileName) {
    CXmlParser parser;
    return ReadTree(fileName, parser);
}

CXmlNode* LoadXmlTree(const std::string& fileName, std::string* problem) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        *problem = "the file cannot be opened";
        return nullptr;
    }
    CXmlParser parser;
    CXmlNode* root = ReadTree(fileName, parser);
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
