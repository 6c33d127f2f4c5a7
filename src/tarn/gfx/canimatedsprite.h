// A sprite that shows a sprite sheet one frame at a time: it holds named animations, plays
// the current one on its own clock and is stepped by the animation scheduler.
#ifndef TARN_GFX_CANIMATEDSPRITE_H
#define TARN_GFX_CANIMATEDSPRITE_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/timer/types.h"
#include "tarn/gfx/csprite.h"

namespace tarn {

class CAnimation;

class CAnimatedSprite : public CSprite {
public:
    static const types::ticks kDefaultMinimumUpdateTime = 250;

    CAnimatedSprite();
    // Leaves the scheduler; deletes the animations.
    ~CAnimatedSprite() override;
    int GetType() const override;
    // The sprite's members, then "CurrentAnimation", "CurrentFrame", "MiniumUpdateTime",
    // "Play", "TimeMultiply" and one "Animation" element per animation. A read animation name
    // starts that animation at its first frame.
    void Serialize(CXmlFileSys* filesys) override;
    // Plays the first animation called name from its first frame; the current one goes on
    // when it already has that name, and restarts when no animation has it.
    void SetAnimation(const std::string& name) override;

    // Appends animation (owned); the first one becomes current.
    void AddAnimation(std::unique_ptr<CAnimation> animation);
    // Frames of the current animation, 0 without one.
    int GetFrameCount() const;
    int GetCurrentFrame() const { return myCurrentFrame; }
    void SetCurrentFrame(int index) { myCurrentFrame = index; }
    // The current animation's name, or "".
    std::string GetAnimationName() const;
    // Whether an animation is called name.
    bool HasAnimation(const std::string& name) const;
    // Starts playing: the sprite joins the scheduler.
    void Play();
    // Stops playing: the sprite leaves the scheduler.
    void Stop();
    // Stops, back to the first frame with the clock not started.
    void Reset();
    void SetTimeMultiply(float factor) { myTimeMultiply = factor; }
    bool IsPlaying() const { return myPlay; }

    // The wall-clock time at which the sprite needs its next step.
    types::ticks GetNextUpdateTime() const;
    // Advances the sprite's clock to wall-clock time now (scaled by the time multiplier); the
    // first call starts the clock at now.
    void UpdateTime(types::ticks now);
    // Steps the current animation at the sprite's clock, while playing.
    void StepFrame();
    types::ticks GetAnimationTime() const { return myAnimationTime; }
    // False from Play at the first frame until the first UpdateTime: such a sprite is due at
    // once, whatever the wall-clock time.
    bool IsClockStarted() const { return myClockStarted; }

private:
    // Back to the first frame with the clock not started.
    void Rewind();

    std::vector<std::unique_ptr<CAnimation>> myAnimations;
    CAnimation* myCurrentAnimation;
    int myCurrentFrame;
    types::ticks myAnimationTime;
    // Time 0 is a valid time: whether the clock runs is kept apart from its value.
    bool myClockStarted;
    // Wall-clock time of the last UpdateTime.
    types::ticks myLastUpdateTime;
    types::ticks myMiniumUpdateTime;
    bool myPlay;
    float myTimeMultiply;
};

}  // namespace tarn

#endif
