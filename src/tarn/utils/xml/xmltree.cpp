// Loading a whole XML file into a node tree and writing a tree to a stream.
// These join the reader, the tree builder and the writer for callers that want a whole document.
#include "xmltree.h"

#include "cxmlnode.h"
#include "cxmlparser.h"
#include "cxmltreebuilder.h"
#include "cxmlwriter.h"

namespace tarn {

CXmlNode* LoadXmlTree(const std::string& fileName) {
    CXmlParser parser;
    CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseFile(fileName);
    return builder.TakeRoot();
}

void WriteXmlTree(const CXmlNode* node, std::ostream& out) {
    if (!node) return;
    CXmlWriter writer;
    writer.WriteTree(*node, out);
}

}  // namespace tarn
