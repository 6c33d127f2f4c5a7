// The checked conversion from an image to one implementation: compares graphics type ids and
// gives null on a mismatch, so code never reinterprets an image of another kind.
#ifndef TARN_GFX_GFXCAST_H
#define TARN_GFX_GFXCAST_H

#include "tarn/gfx/ipixel.h"

namespace tarn {

// T must declare static const int kTypeId. The null image and a null pointer give null; they
// are ordinary arguments (an invisible sprite), not programming errors.
template <typename T>
T* GfxCast(IPixel* surface) {
    if (!surface || surface->GetType() != T::kTypeId) return nullptr;
    return static_cast<T*>(surface);
}

template <typename T>
const T* GfxCast(const IPixel* surface) {
    if (!surface || surface->GetType() != T::kTypeId) return nullptr;
    return static_cast<const T*>(surface);
}

}  // namespace tarn

#endif
