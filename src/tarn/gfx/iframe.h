// One frame of an animation: what it does to the sprite while it shows and how long it
// lasts. Frames are made by the frame factory and read and written through serialization.
#ifndef TARN_GFX_IFRAME_H
#define TARN_GFX_IFRAME_H

#include "tarn/utils/timer/types.h"

namespace tarn {

class CSprite;
class CXmlFileSys;

class IFrame {
public:
    virtual ~IFrame() = default;
    // The frame type id (0 for "frame_rect").
    virtual int GetType() const = 0;
    // Shows the frame on sprite; elapsed is the time since the animation's last step. True
    // when the frame has finished.
    virtual bool Apply(CSprite* sprite, types::ticks elapsed) = 0;
    // How long after a step the sprite needs the next one.
    virtual types::ticks GetNextUpdateDelay() const = 0;
    // How long the frame shows at least.
    virtual types::ticks GetFrameLength() const = 0;
    // Reads or writes the frame as the current element ("type" attribute and members).
    virtual void Serialize(CXmlFileSys* filesys) = 0;
};

}  // namespace tarn

#endif
