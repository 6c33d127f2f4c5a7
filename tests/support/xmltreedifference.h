// Compares a tree of the current XML reader with the frozen reader's tree of the same text, for
// the differential test and the differential fuzz target.
#ifndef TESTS_SUPPORT_XMLTREEDIFFERENCE_H
#define TESTS_SUPPORT_XMLTREEDIFFERENCE_H

#include <string>
#include <string_view>
#include <utility>

#include "xmlreferencereader.h"

namespace tarn {
class CXmlNode;
}

namespace testsupport {

// The first difference between the two trees, walked in document order (names, contents,
// attributes in order, their lookup by name, children, parent links); "" when they are equal.
// Two null roots are equal.
std::string XmlTreeDifference(const CReferenceXmlNode* expected, const tarn::CXmlNode* actual);

// The current reader's first problem (line and reason, see CXmlParser::GetErrorLine) when the
// text is fed line by line through ParseLine, split as ParseText splits it.
std::pair<int, std::string> XmlProblemLineByLine(std::string_view text);

}  // namespace testsupport

#endif
