// The stored form of a rectangle: the integer attributes "x", "y", "w", "h" of the
// rectangle's own element, read and written through the serialization context.
#include "tarn/gfx/rectserialize.h"

#include "tarn/utils/xml/cxmlfilesys.h"

namespace tarn {

void Serialize(CRect& rect, CXmlFileSys* filesys) {
    if (filesys->IsReading()) {
        filesys->ReadAttribute("x", rect.x);
        filesys->ReadAttribute("y", rect.y);
        filesys->ReadAttribute("w", rect.w);
        filesys->ReadAttribute("h", rect.h);
        return;
    }
    filesys->AddAttribute("x", rect.x);
    filesys->AddAttribute("y", rect.y);
    filesys->AddAttribute("w", rect.w);
    filesys->AddAttribute("h", rect.h);
}

}  // namespace tarn
