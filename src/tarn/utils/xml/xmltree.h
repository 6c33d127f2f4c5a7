// Loading a whole XML file into a node tree and writing a tree to a stream.
// These join the reader, the tree builder and the writer for callers that want a whole document.
#ifndef TARN_UTILS_XML_XMLTREE_H
#define TARN_UTILS_XML_XMLTREE_H

#include <ostream>
#include <string>

namespace tarn {

class CXmlNode;

// Reads fileName into a tree. Returns the root, which the caller deletes, or null when the
// file cannot be opened, is refused (not a regular file of at most 8 MB; logged) or holds no
// element.
CXmlNode* LoadXmlTree(const std::string& fileName);

// As above, and problem (not null) receives "" when the file was a whole document, or else
// why and where reading stopped ("line 12: the document ends inside the element "Level"", "the
// file cannot be opened", "it is a folder, not a file"). A damaged document still returns
// whatever tree was read; a file that is not a regular file of at most 8 MB is not read.
CXmlNode* LoadXmlTree(const std::string& fileName, std::string* problem);

// Writes node and its subtree to out. A null node writes nothing.
void WriteXmlTree(const CXmlNode* node, std::ostream& out);

}  // namespace tarn

#endif
