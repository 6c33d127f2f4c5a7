// A point or direction of the two-dimensional physics world: its stored form in XML.
#include "marbles/physics/vector2.h"

#include "tarn/utils/xml/cxmlfilesys.h"

namespace marbles {

void Serialize(Vector2& vector, tarn::CXmlFileSys* filesys) {
    if (filesys->IsReading()) {
        filesys->ReadAttribute("x", vector.x);
        filesys->ReadAttribute("y", vector.y);
        return;
    }
    filesys->AddAttribute("x", vector.x);
    filesys->AddAttribute("y", vector.y);
}

}  // namespace marbles
