// Writes a CXmlNode tree as our XML dialect: one tag or text per line, two spaces per level,
// nothing escaped. Walks the tree without recursion, so any depth is safe.
#include "tarn/utils/xml/cxmlwriter.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "tarn/utils/xml/cxmlnode.h"

namespace tarn {

namespace {

// The text being written, gathered through a cursor in a buffer that goes to the stream
// whenever it is full and when the writing ends.
class CTextOut {
public:
    explicit CTextOut(std::ostream& out) : myOut(out), myData(new char[kSize]), myAt(myData.get()), myEnd(myAt + kSize) {}
    ~CTextOut() { Flush(); }
    CTextOut(const CTextOut&) = delete;
    CTextOut& operator=(const CTextOut&) = delete;

    void Put(char c) {
        if (myAt == myEnd) Flush();
        *myAt++ = c;
    }
    void Put(std::string_view text) {
        if (static_cast<std::size_t>(myEnd - myAt) < text.size()) return PutLong(text);
        std::memcpy(myAt, text.data(), text.size());
        myAt += text.size();
    }
    void PutSpaces(std::size_t count) {
        while (count > 0) {
            if (myAt == myEnd) Flush();
            const std::size_t now = std::min(count, static_cast<std::size_t>(myEnd - myAt));
            std::memset(myAt, ' ', now);
            myAt += now;
            count -= now;
        }
    }
    void Flush() {
        myOut.write(myData.get(), static_cast<std::streamsize>(myAt - myData.get()));
        myAt = myData.get();
    }

private:
    static const std::size_t kSize = 1 << 16;

    // A text longer than the room left: what is held goes first, a text longer than the
    // whole buffer goes straight to the stream.
    void PutLong(std::string_view text) {
        Flush();
        if (text.size() >= kSize) {
            myOut.write(text.data(), static_cast<std::streamsize>(text.size()));
            return;
        }
        std::memcpy(myAt, text.data(), text.size());
        myAt += text.size();
    }

    std::ostream& myOut;
    std::unique_ptr<char[]> myData;
    char* myAt;
    char* myEnd;
};

// A floating-point value in six significant digits, as printf's "%g" writes it.
std::to_chars_result GeneralDigits(char (&digits)[64], double value) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(digits, digits + sizeof(digits), value, std::chars_format::general, 6);
#else
    // Standard libraries without floating-point to_chars (the browser build's).
    const int length = std::snprintf(digits, sizeof(digits), "%.6g", value);
    return std::to_chars_result{digits + std::max(0, length), std::errc()};
#endif
}

// The value as text, as its ToText gives it, without a text stream for the common types: a
// view of the text itself, of digits or of spill. Floating-point values are formatted like a
// default stream: six significant digits.
std::string_view ValueText(const CAnyContainer& value, char (&digits)[64], std::string& spill) {
    if (const std::optional<std::string_view> text = value.TextView()) return *text;
    std::to_chars_result result{digits, std::errc()};
    if (const int* number = value.GetPointer<int>()) {
        result = std::to_chars(digits, digits + sizeof(digits), *number);
    } else if (const bool* flag = value.GetPointer<bool>()) {
        result = std::to_chars(digits, digits + sizeof(digits), *flag ? 1 : 0);
    } else if (const float* single = value.GetPointer<float>()) {
        result = GeneralDigits(digits, static_cast<double>(*single));
    } else if (const double* number = value.GetPointer<double>()) {
        result = GeneralDigits(digits, *number);
    } else {
        spill = value.ToText();
        return spill;
    }
    return std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
}

void PutValue(CTextOut& out, const CAnyContainer& value) {
    char digits[64];
    std::string spill;
    out.Put(ValueText(value, digits, spill));
}

// The start tag of a node, attributes in name order, each followed by one space. Reads
// through the store, so that a tree read from a document stays cheap to free.
void PutStartTag(CTextOut& out, const CXmlNode& node, const CXmlAttributeStore& attributes, std::vector<int>& order) {
    out.Put('<');
    out.Put(node.GetName());
    if (attributes.Size() > 0) {
        order.resize(static_cast<std::size_t>(attributes.Size()));
        for (int i = 0; i < attributes.Size(); ++i) order[i] = i;
        if (!attributes.IsSorted()) {
            std::sort(order.begin(), order.end(),
                      [&](int a, int b) { return attributes.NameAt(a) < attributes.NameAt(b); });
        }
        out.Put(' ');
        for (const int i : order) {
            out.Put(attributes.NameAt(i));
            out.Put("=\"");
            PutValue(out, attributes.ValueAt(i));
            out.Put("\" ");
        }
    }
    out.Put(">\n");
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
    std::string line;
    line += '<';
    line += name;
    if (!attributes.empty()) {
        line += ' ';
        for (const auto& attribute : attributes) {
            line += attribute.first;
            line += "=\"";
            char digits[64];
            std::string spill;
            line += ValueText(attribute.second, digits, spill);
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
    // The same lines as the three operations write.
    CTextOut text(out);
    std::vector<int> order;
    auto openNode = [&](const CXmlNode& opened) {
        text.PutSpaces(static_cast<std::size_t>(std::max(myDepth, 0)) * 2);
        PutStartTag(text, opened, opened.myAttributes, order);
        ++myDepth;
        if (!opened.GetContent().empty()) {
            text.PutSpaces(static_cast<std::size_t>(std::max(myDepth, 0)) * 2);
            text.Put(opened.GetContent());
            text.Put('\n');
        }
    };
    std::vector<std::pair<const CXmlNode*, int>> open;
    openNode(node);
    open.emplace_back(&node, 0);
    while (!open.empty()) {
        auto& top = open.back();
        if (top.second < top.first->GetChildCount()) {
            const CXmlNode* child = top.first->GetChild(top.second++);
            openNode(*child);
            open.emplace_back(child, 0);
            continue;
        }
        --myDepth;
        text.PutSpaces(static_cast<std::size_t>(std::max(myDepth, 0)) * 2);
        text.Put("</");
        text.Put(top.first->GetName());
        text.Put(">\n");
        open.pop_back();
    }
}

}  // namespace tarn
