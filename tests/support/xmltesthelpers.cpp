// Helpers for the XML tests: a compact text form of a node tree and parsing lines into a tree.
// The text form is name[attr=value;...]'content'(child,child,...), walked without recursion.
#include "xmltesthelpers.h"

#include <sstream>
#include <utility>

#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"
#include "tarn/utils/xml/xmltree.h"

namespace testsupport {

namespace {

void DumpOpen(const tarn::CXmlNode& node, std::string& out) {
    out += node.GetName();
    if (node.GetAttributeCount() > 0) {
        out += '[';
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            if (i > 0) out += ';';
            out += node.GetAttributeName(i) + "=" + node.GetAttributeValue(i).ToText();
        }
        out += ']';
    }
    if (!node.GetContent().empty()) out += "'" + node.GetContent() + "'";
    if (node.GetChildCount() > 0) out += '(';
}

}  // namespace

std::string DumpXml(const tarn::CXmlNode* node) {
    std::string out;
    if (!node) return out;
    std::vector<std::pair<const tarn::CXmlNode*, int>> open;
    DumpOpen(*node, out);
    open.emplace_back(node, 0);
    while (!open.empty()) {
        auto& top = open.back();
        const int count = top.first->GetChildCount();
        if (top.second < count) {
            if (top.second > 0) out += ',';
            const tarn::CXmlNode* child = top.first->GetChild(top.second++);
            DumpOpen(*child, out);
            open.emplace_back(child, 0);
            continue;
        }
        if (count > 0) out += ')';
        open.pop_back();
    }
    return out;
}

std::unique_ptr<tarn::CXmlNode> ParseXmlLines(const std::vector<std::string>& lines) {
    tarn::CXmlParser parser;
    tarn::CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    builder.StartDocument();
    for (const std::string& line : lines) parser.ParseLine(line);
    builder.EndDocument();
    return std::unique_ptr<tarn::CXmlNode>(builder.TakeRoot());
}

std::string WriteXmlText(const tarn::CXmlNode& node) {
    std::ostringstream out;
    tarn::WriteXmlTree(&node, out);
    return out.str();
}

}  // namespace testsupport
