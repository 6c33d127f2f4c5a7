// Process-wide graphics settings: the depth and flags of new surfaces (published by the window
// task once its video mode is open), the smoothing of scaled and rotated images, and the two
// screen-flip console variables.
#include "tarn/gfx/cgfxsettings.h"

namespace tarn {

CGfxSettings& GetGfxSettings() {
    static CGfxSettings settings;
    return settings;
}

}  // namespace tarn
