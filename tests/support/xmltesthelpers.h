// Helpers for the XML tests: a compact text form of a node tree and parsing lines into a tree.
// The text form is name[attr=value;...]'content'(child,child,...), walked without recursion.
#ifndef TESTS_SUPPORT_XMLTESTHELPERS_H
#define TESTS_SUPPORT_XMLTESTHELPERS_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/xml/cxmlnode.h"

namespace testsupport {

// The compact text form of node and its subtree ("" for null).
std::string DumpXml(const tarn::CXmlNode* node);

// Feeds the lines to a fresh parser and tree builder; the root or null.
std::unique_ptr<tarn::CXmlNode> ParseXmlLines(const std::vector<std::string>& lines);

// Writes node with WriteXmlTree and returns the text.
std::string WriteXmlText(const tarn::CXmlNode& node);

}  // namespace testsupport

#endif
