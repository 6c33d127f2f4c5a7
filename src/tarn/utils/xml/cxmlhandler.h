// Receiver of the XML reader's events: document start and end, text, element start and end.
// Every event has an empty default, so a handler overrides only what it needs.
#ifndef TARN_UTILS_XML_CXMLHANDLER_H
#define TARN_UTILS_XML_CXMLHANDLER_H

#include <map>
#include <string>
#include <string_view>

#include "tarn/utils/containers/canycontainer.h"

namespace tarn {

// An element's attributes as the reader delivers them: sorted by name, byte-wise.
using CXmlAttributeMap = std::map<std::string, CAnyContainer>;

// One attribute of a start tag as the reader found it: views into its own buffers.
struct CXmlAttributeView {
    std::string_view name;
    std::string_view value;
};

class CXmlHandler {
public:
    virtual ~CXmlHandler() = default;
    virtual void StartDocument() {}
    virtual void EndDocument() {}
    // Text between tags, trimmed and never empty; entities are not yet replaced.
    virtual void Characters(const std::string&) {}
    virtual void StartElement(const std::string&, const CXmlAttributeMap&) {}
    virtual void EndElement(const std::string&) {}

    // The events as the reader makes them, on views that are valid during the call only; the
    // attributes are sorted by name, byte-wise, without repeated names. By default each one
    // makes the text (and map) and calls the event above; a handler that can use views
    // overrides these instead and saves the copies.
    virtual void OnCharacters(std::string_view text);
    virtual void OnStartElement(std::string_view name, const CXmlAttributeView* attributes, int count);
    virtual void OnEndElement(std::string_view name);
};

}  // namespace tarn

#endif
