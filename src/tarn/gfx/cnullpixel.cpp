// The shared null image: what every image creation returns instead of null. It is empty,
// draws nothing, reports zero sizes, and is never deleted.
#include "tarn/gfx/cnullpixel.h"

namespace tarn {

CNullPixel* CNullPixel::GetInstance() {
    static CNullPixel instance;
    return &instance;
}

}  // namespace tarn
