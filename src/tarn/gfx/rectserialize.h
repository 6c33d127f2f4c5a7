// The stored form of a rectangle: the integer attributes "x", "y", "w", "h" of the
// rectangle's own element, read and written through the serialization context.
#ifndef TARN_GFX_RECTSERIALIZE_H
#define TARN_GFX_RECTSERIALIZE_H

#include "tarn/gfx/crect.h"

namespace tarn {

class CXmlFileSys;

// Reading leaves a field whose attribute is missing or not a number unchanged.
void Serialize(CRect& rect, CXmlFileSys* filesys);

}  // namespace tarn

#endif
