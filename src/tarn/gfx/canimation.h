// A named sequence of frames that an animated sprite steps through, in a loop or once, on
// the sprite's own clock.
#ifndef TARN_GFX_CANIMATION_H
#define TARN_GFX_CANIMATION_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/gfx/iframe.h"

namespace tarn {

class CSprite;
class CXmlFileSys;

class CAnimation {
public:
    explicit CAnimation(const std::string& name = std::string(), bool loop = true);
    CAnimation(const CAnimation&) = delete;
    CAnimation& operator=(const CAnimation&) = delete;

    // Appends frame (owned).
    void AddFrame(std::unique_ptr<IFrame> frame);
    // Shows frame index on sprite at time now and returns the frame to show next: the same
    // until the frame has lasted its length, then the following one (the first again when
    // looping; a sprite whose non-looping animation ends is stopped on its last frame). An
    // index outside the frames starts from the first. Without frames, index is returned.
    int Step(CSprite* sprite, int index, types::ticks now);
    // When the current frame needs the next step; the last step time when nothing is shown yet.
    types::ticks GetNextTime() const;
    // Forgets the shown frame: the next Step starts its frame afresh.
    void Restart();

    const std::string& GetName() const { return myName; }
    int GetFrameCount() const { return static_cast<int>(myFrames.size()); }
    bool IsLooping() const { return myLoop; }
    int GetCurrentFrame() const { return myCurrentFrame; }

    // Attributes "name" and "loop", then one "Frame" element per frame. Reading appends the
    // frames of every "Frame" child that has a "type".
    void Serialize(CXmlFileSys* filesys);

private:
    std::string myName;
    std::vector<std::unique_ptr<IFrame>> myFrames;
    // -1 until a frame is shown.
    int myCurrentFrame;
    types::ticks myFrameStart;
    types::ticks myLastStep;
    bool myLoop;
};

}  // namespace tarn

#endif
