// Writes a CXmlNode tree as our XML dialect: one tag or text per line, two spaces per level,
// nothing escaped. Walks the tree without recursion, so any depth is safe.
#include "tarn/utils/xml/cxmlwriter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tarn/utils/xml/cxmlnode.h"

namespace tarn {

namespace {

// The value as text, as its ToText gives it, without a text stream for the common types.
std::string AttributeText(const CAnyContainer& value) {
    if (const std::string* text = value.GetPointer<std::string>()) return *text;
    if (const int* number = value.GetPointer<int>()) return std::to_string(*number);
    if (const bool* flag = value.GetPointer<bool>()) return *flag ? "1" : "0";
    return value.ToText();
}

}  // namespace

void CXmlWriter::Indent(std::ostream& out) const {
    static const std::string spaces(256, ' ');
    for (int left = myDepth * 2; left > 0; left -= static_cast<int>(spaces.size())) {
        out.write(spaces.data(), std::min<int>(left, static_cast<int>(spaces.size())));
    }
}

void CXmlWriter::WriteContent(const std::string& content, std::ostream& out) {
    if (content.empty()) return;
    Indent(out);
    out << content << '\n';
}

void CXmlWriter::WriteStartTag(const std::string& name, const CXmlAttributeMap& attributes,
                               std::ostream& out) {
    Indent(out);
    out << '<' << name;
    if (!attributes.empty()) {
        out << ' ';
        for (const auto& attribute : attributes) {
            out << attribute.first << "=\"" << AttributeText(attribute.second) << "\" ";
        }
    }
    out << ">\n";
    ++myDepth;
}

void CXmlWriter::WriteEndTag(const std::string& name, std::ostream& out) {
    --myDepth;
    Indent(out);
    out << "</" << name << ">\n";
}

void CXmlWriter::Open(const CXmlNode& node, std::ostream& out) {
    CXmlAttributeMap attributes;
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        attributes.emplace(node.GetAttributeName(i), node.GetAttributeValue(i));
    }
    WriteStartTag(node.GetName(), attributes, out);
    WriteContent(node.GetContent(), out);
}

void CXmlWriter::WriteTree(const CXmlNode& node, std::ostream& out) {
    // Each entry is an open element and the index of its next child to write.
    std::vector<std::pair<const CXmlNode*, int>> open;
    Open(node, out);
    open.emplace_back(&node, 0);
    while (!open.empty()) {
        auto& top = open.back();
        if (top.second < top.first->GetChildCount()) {
            const CXmlNode* child = top.first->GetChild(top.second++);
            Open(*child, out);
            open.emplace_back(child, 0);
            continue;
        }
        WriteEndTag(top.first->GetName(), out);
        open.pop_back();
    }
}

}  // namespace tarn
