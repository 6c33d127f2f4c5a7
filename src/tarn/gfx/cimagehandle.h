// A handle that holds one image for whoever shows it: the image goes back through the
// graphics facade when the handle lets go of it, unless the holder only borrowed it.
#ifndef TARN_GFX_CIMAGEHANDLE_H
#define TARN_GFX_CIMAGEHANDLE_H

#include <memory>

#include "tarn/gfx/gfx.h"
#include "tarn/utils/logger/cassert.h"

namespace tarn {

class IPixel;

// Who gives an image back: its holder (owned) or someone else (borrowed, e.g. the screen).
enum class ImageOwnership { Owned, Borrowed };

// Whether image is the installed screen image (never the shared null image).
inline bool IsScreenImage(const IPixel* image) { return image && image != GetNullImage() && image == GetScreen(); }

// The deleter of CImageHandle: ReleaseImage for an owned image, nothing for a borrowed one.
// The screen image belongs to the window: it is never released through a handle.
struct CImageRelease {
    ImageOwnership ownership = ImageOwnership::Owned;
    void operator()(IPixel* image) const {
        cassert(ownership == ImageOwnership::Borrowed || !IsScreenImage(image));
        if (ownership == ImageOwnership::Owned && !IsScreenImage(image)) ReleaseImage(image);
    }
};

// Moving the handle hands on the image together with its ownership; resetting or assigning
// releases the old image under the old ownership.
using CImageHandle = std::unique_ptr<IPixel, CImageRelease>;

// Holds image as asked, except the screen image, which is always borrowed.
inline CImageHandle HoldImage(IPixel* image, ImageOwnership ownership) {
    if (IsScreenImage(image)) ownership = ImageOwnership::Borrowed;
    return CImageHandle(image, CImageRelease{ownership});
}

inline bool IsBorrowed(const CImageHandle& handle) {
    return handle && handle.get_deleter().ownership == ImageOwnership::Borrowed;
}

}  // namespace tarn

#endif
