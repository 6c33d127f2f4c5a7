// Loading a whole XML file into a node tree and writing a tree to a stream.
// These join the reader, the tree builder and the writer for callers that want a whole document.
#include "tarn/utils/xml/xmltree.h"

#include <filesystem>

#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"
#include "tarn/utils/xml/cxmlwriter.h"

namespace tarn {

CXmlNode* LoadXmlTree(const std::string& fileName) {
    CXmlParser parser;
    CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseFile(fileName);
    return builder.TakeRoot();
}

CXmlNode* LoadXmlTree(const std::string& fileName, std::string* problem) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        *problem = "the file cannot be opened";
        return nullptr;
    }
    CXmlParser parser;
    CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseFile(fileName);
    problem->clear();
    if (!parser.GetError().empty())
        *problem = "line " + std::to_string(parser.GetErrorLine()) + ": " + parser.GetError();
    return builder.TakeRoot();
}

void WriteXmlTree(const CXmlNode* node, std::ostream& out) {
    if (!node) return;
    CXmlWriter writer;
    writer.WriteTree(*node, out);
}

}  // namespace tarn
