// Compares a tree of the current XML reader with the frozen reader's tree of the same text, for
// the differential test and the differential fuzz target.
#include "xmltreedifference.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/cxmlparser.h"

namespace testsupport {

std::string XmlTreeDifference(const CReferenceXmlNode* expected, const tarn::CXmlNode* actual) {
    if (!expected || !actual) {
        return expected == nullptr && actual == nullptr ? "" : "one root is null";
    }
    std::vector<std::pair<const CReferenceXmlNode*, const tarn::CXmlNode*>> pending{{expected, actual}};
    while (!pending.empty()) {
        const auto [e, a] = pending.back();
        pending.pop_back();
        const std::string where = "in <" + e->name + ">: ";
        if (a->GetName() != e->name) return where + "name [" + a->GetName() + "]";
        if (a->GetContent() != e->content) return where + "content [" + a->GetContent() + "]";
        if (a->GetAttributeCount() != static_cast<int>(e->attributes.size())) return where + "attribute count";
        for (int i = 0; i < a->GetAttributeCount(); ++i) {
            if (a->GetAttributeName(i) != e->attributes[i].first) return where + "attribute name " + e->attributes[i].first;
            if (a->GetAttributeValue(i).ToText() != e->attributes[i].second) return where + "value of " + e->attributes[i].first;
            if (!a->GetAttributeValue(i).IsType<std::string>()) return where + "value type of " + e->attributes[i].first;
            if (a->GetAttribute(e->attributes[i].first).ToText() != e->attributes[i].second) return where + "lookup";
        }
        if (a->GetChildCount() != static_cast<int>(e->children.size())) return where + "child count";
        for (int i = a->GetChildCount() - 1; i >= 0; --i) {
            if (a->GetChild(i)->GetParent() != a) return where + "parent of a child";
            pending.emplace_back(e->children[i], a->GetChild(i));
        }
    }
    return "";
}

std::pair<int, std::string> XmlProblemLineByLine(std::string_view text) {
    tarn::CXmlParser parser;
    parser.StartChecks();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        parser.ParseLine(line);
        start = end + 1;
    }
    parser.FinishChecks();
    return {parser.GetErrorLine(), parser.GetError()};
}

}  // namespace testsupport
