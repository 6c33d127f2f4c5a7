// Receiver of the XML reader's events: document start and end, text, element start and end.
// Every event has an empty default, so a handler overrides only what it needs.
#ifndef TARN_UTILS_XML_CXMLHANDLER_H
#define TARN_UTILS_XML_CXMLHANDLER_H

#include <map>
#include <string>

#include "tarn/utils/containers/canycontainer.h"

namespace tarn {

// An element's attributes as the reader delivers them: sorted by name, byte-wise.
using CXmlAttributeMap = std::map<std::string, CAnyContainer>;

class CXmlHandler {
public:
    virtual ~CXmlHandler() = default;
    virtual void StartDocument() {}
    virtual void EndDocument() {}
    // Text between tags, trimmed and never empty; entities are not yet replaced.
    virtual void Characters(const std::string&) {}
    virtual void StartElement(const std::string&, const CXmlAttributeMap&) {}
    virtual void EndElement(const std::string&) {}
};

}  // namespace tarn

#endif
