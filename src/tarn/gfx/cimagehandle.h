// A handle that holds one image for whoever shows it: the image goes back through the
// graphics facade when the handle lets go of it, unless the holder only borrowed it.
#ifndef TARN_GFX_CIMAGEHANDLE_H
#define TARN_GFX_CIMAGEHANDLE_H

#include <memory>

#include "tarn/gfx/gfx.h"

namespace tarn {

class IPixel;

// Who gives an image back: its holder (owned) or someone else (borrowed, e.g. the screen).
enum class ImageOwnership { Owned, Borrowed };

// The deleter of CImageHandle: ReleaseImage for an owned image, nothing for a borrowed one.
struct CImageRelease {
    ImageOwnership ownership = ImageOwnership::Owned;
    void operator()(IPixel* image) const {
        if (ownership == ImageOwnership::Owned) ReleaseImage(image);
    }
};

// Moving the handle hands on the image together with its ownership; resetting or assigning
// releases the old image under the old ownership.
using CImageHandle = std::unique_ptr<IPixel, CImageRelease>;

inline CImageHandle HoldImage(IPixel* image, ImageOwnership ownership) {
    return CImageHandle(image, CImageRelease{ownership});
}

inline bool IsBorrowed(const CImageHandle& handle) {
    return handle && handle.get_deleter().ownership == ImageOwnership::Borrowed;
}

}  // namespace tarn

#endif
