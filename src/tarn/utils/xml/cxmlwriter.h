// Writes a CXmlNode tree as our XML dialect: one tag or text per line, two spaces per level,
// nothing escaped. Walks the tree without recursion, so any depth is safe.
#ifndef TARN_UTILS_XML_CXMLWRITER_H
#define TARN_UTILS_XML_CXMLWRITER_H

#include <ostream>
#include <string>
#include <vector>

#include "tarn/utils/xml/cxmlhandler.h"

namespace tarn {

class CXmlNode;

class CXmlWriter : public CXmlHandler {
public:
    // Writes content as a line of its own; nothing for empty content.
    virtual void WriteContent(const std::string& content, std::ostream& out);
    // Writes "<name>" or "<name a=\"1\" b=\"2\" >" (each attribute followed by one space),
    // then goes one level deeper.
    virtual void WriteStartTag(const std::string& name, const CXmlAttributeMap& attributes,
                               std::ostream& out);
    // Goes one level up, then writes "</name>".
    virtual void WriteEndTag(const std::string& name, std::ostream& out);

    // Writes node and its subtree: start tag, content, children in order, end tag. A writer
    // of a derived class goes through the three operations above for every node; a plain
    // CXmlWriter writes the same text straight from the nodes, through a buffer.
    void WriteTree(const CXmlNode& node, std::ostream& out);

    int GetDepth() const { return myDepth; }

private:
    void Indent(std::ostream& out) const;
    void Open(const CXmlNode& node, std::ostream& out);
    void WriteTreeByOperations(const CXmlNode& node, std::ostream& out);
    void WriteTreeDirectly(const CXmlNode& node, std::ostream& out);

    int myDepth = 0;
};

}  // namespace tarn

#endif
