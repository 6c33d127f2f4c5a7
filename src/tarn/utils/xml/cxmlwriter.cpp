// Writes a CXmlNode tree as our XML dialect: one tag or text per line, two spaces per level,
// nothing escaped. Walks the tree without recursion, so any depth is safe.
#include "tarn/utils/xml/cxmlwriter.h"

#include <algorithm>
#include <charconv>
#include <typeinfo>
#include <utility>
#include <vector>

#include "tarn/utils/xml/cxmlnode.h"

namespace tarn {

namespace {

// Appends the value as text, as its ToText gives it, without a text stream for the common
// types. Floating-point values are formatted like a default stream: six significant digits.
void AppendValue(std::string& out, const CAnyContainer& value) {
    if (const std::optional<std::string_view> text = value.TextView()) {
        out.append(*text);
        return;
    }
    char digits[64];
    std::to_chars_result result{digits, std::errc()};
    if (const int* number = value.GetPointer<int>()) {
        result = std::to_chars(digits, digits + sizeof(digits), *number);
    } else if (const bool* flag = value.GetPointer<bool>()) {
        result = std::to_chars(digits, digits + sizeof(digits), *flag ? 1 : 0);
    } else if (const float* single = value.GetPointer<float>()) {
        result = std::to_chars(digits, digits + sizeof(digits), static_cast<double>(*single), std::chars_format::general, 6);
    } else if (const double* number = value.GetPointer<double>()) {
        result = std::to_chars(digits, digits + sizeof(digits), *number, std::chars_format::general, 6);
    } else {
        out += value.ToText();
        return;
    }
    out.append(digits, result.ptr);
}

}  // namespace

// The start tag of a node, attributes in name order, each followed by one space.
void CXmlWriter::AppendStartTag(std::string& out, const CXmlNode& node, std::vector<int>& order) {
    out += '<';
    out += node.GetName();
    // Read through the store, so that a tree read from a document stays cheap to free.
    const CXmlAttributeStore& attributes = node.myAttributes;
    if (attributes.Size() > 0) {
        order.resize(static_cast<std::size_t>(attributes.Size()));
        for (int i = 0; i < attributes.Size(); ++i) order[i] = i;
        if (!attributes.IsSorted()) {
            std::sort(order.begin(), order.end(),
                      [&](int a, int b) { return attributes.NameAt(a) < attributes.NameAt(b); });
        }
        out += ' ';
        for (const int i : order) {
            out += attributes.NameAt(i);
            out += "=\"";
            AppendValue(out, attributes.ValueAt(i));
            out += "\" ";
        }
    }
    out += ">\n";
}

namespace {

void AppendIndent(std::string& out, int depth) { out.append(static_cast<std::size_t>(std::max(depth, 0)) * 2, ' '); }

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
    std::string line;
    line += '<';
    line += name;
    if (!attributes.empty()) {
        line += ' ';
        for (const auto& attribute : attributes) {
            line += attribute.first;
            line += "=\"";
            AppendValue(line, attribute.second);
            line += "\" ";
        }
    }
    line += ">\n";
    Indent(out);
    out << line;
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
    if (typeid(*this) == typeid(CXmlWriter)) {
        WriteTreeDirectly(node, out);
    } else {
        WriteTreeByOperations(node, out);
    }
}

void CXmlWriter::WriteTreeByOperations(const CXmlNode& node, std::ostream& out) {
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

void CXmlWriter::WriteTreeDirectly(const CXmlNode& node, std::ostream& out) {
    // The same lines as the three operations write, gathered in a buffer that goes to the
    // stream whenever it holds enough.
    const std::size_t kFlushAt = 1 << 16;
    std::string buffer;
    buffer.reserve(kFlushAt + 1024);
    std::vector<int> order;
    auto openNode = [&](const CXmlNode& opened) {
        AppendIndent(buffer, myDepth);
        AppendStartTag(buffer, opened, order);
        ++myDepth;
        if (!opened.GetContent().empty()) {
            AppendIndent(buffer, myDepth);
            buffer += opened.GetContent();
            buffer += '\n';
        }
    };
    std::vector<std::pair<const CXmlNode*, int>> open;
    openNode(node);
    open.emplace_back(&node, 0);
    while (!open.empty()) {
        if (buffer.size() >= kFlushAt) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
        auto& top = open.back();
        if (top.second < top.first->GetChildCount()) {
            const CXmlNode* child = top.first->GetChild(top.second++);
            openNode(*child);
            open.emplace_back(child, 0);
            continue;
        }
        --myDepth;
        AppendIndent(buffer, myDepth);
        buffer += "</";
        buffer += top.first->GetName();
        buffer += ">\n";
        open.pop_back();
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

}  // namespace tarn
