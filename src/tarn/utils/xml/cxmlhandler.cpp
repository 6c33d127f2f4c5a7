// Receiver of the XML reader's events: document start and end, text, element start and end.
// The view events turn into the text and map events unless a handler takes them itself.
#include "tarn/utils/xml/cxmlhandler.h"

namespace tarn {

void CXmlHandler::OnCharacters(std::string_view text) { Characters(std::string(text)); }

void CXmlHandler::OnStartElement(std::string_view name, const CXmlAttributeView* attributes, int count) {
    CXmlAttributeMap map;
    for (int i = 0; i < count; ++i) {
        map.emplace_hint(map.end(), std::string(attributes[i].name), CAnyContainer(std::string(attributes[i].value)));
    }
    StartElement(std::string(name), map);
}

void CXmlHandler::OnEndElement(std::string_view name) { EndElement(std::string(name)); }

}  // namespace tarn
