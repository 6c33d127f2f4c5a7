// Tests of the animation scheduler and frame sequencing against a hand-moved clock: frames
// change at the first drawn frame after their length, non-looping animations stop and leave
// the scheduler (ending that call's walk), the time multiplier, and out-of-range frames.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/testsupport.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/canimation.h"
#include "tarn/gfx/canimationupdater.h"
#include "tarn/gfx/cframerect.h"
#include "tarn/gfx/cgfxtask.h"

namespace {

using tarn::CAnimatedSprite;
using tarn::CAnimation;
using tarn::CAnimationUpdater;
using tarn::CFrameRect;
using tarn::CRect;

std::unique_ptr<CAnimation> Frames(const std::string& name, int count, tarn::types::ticks length, bool loop = true) {
    auto animation = std::make_unique<CAnimation>(name, loop);
    for (int i = 0; i < count; ++i) animation->AddFrame(std::make_unique<CFrameRect>(CRect(i * 8, 0, 8, 8), length));
    return animation;
}

bool Scheduled(const CAnimatedSprite* sprite) {
    for (const CAnimatedSprite* listed : CAnimationUpdater::GetSingleton()->GetSprites()) {
        if (listed == sprite) return true;
    }
    return false;
}

class AnimationUpdater : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(CAnimationUpdater::GetSingleton()->GetSprites().empty()); }
    CAnimationUpdater* Updater() { return CAnimationUpdater::GetSingleton(); }
};

TEST_F(AnimationUpdater, ALoopingAnimationChangesFramesAtTheFirstStepAfterEachLength) {
    testsupport::CManualClock clock(5000);
    tarn::CGfxTask gfx;  // draws without a screen: the scheduler still runs
    ASSERT_TRUE(gfx.Start());
    CAnimatedSprite sprite;
    sprite.AddAnimation(Frames("spin", 3, 100));
    sprite.SetAnimation("spin");
    EXPECT_TRUE(Scheduled(&sprite));

    std::string frames;
    for (int step = 1; step <= 23; ++step) {
        clock.Advance(16);
        gfx.Update();
        frames += std::to_string(sprite.GetCurrentFrame());
    }
    // Steps at 16, 32, ...: the frames change at 128, 240 and 352 ms.
    EXPECT_EQ("00000001111111222222200", frames);
    // With the multiplier 1 the sprite's clock is the drawing clock at its last update (at 352;
    // the drawing at 368 found it not due).
    EXPECT_EQ(368u, gfx.GetDrawingTime());
    EXPECT_EQ(352u, sprite.GetAnimationTime());
    sprite.Stop();
    EXPECT_FALSE(Scheduled(&sprite));
}

TEST_F(AnimationUpdater, TimeZeroIsAValidTimeOnTheDrawingClock) {
    using tarn::types::ticks;
    const struct {
        ticks first;
        ticks length;
        const char* changes;
    } cases[] = {
        // The drawing clock reads 0 at the first presented frame.
        {0, 100, "112 224 336 "},
        {16, 100, "128 240 352 "},
        // Started past 2^31 ms; the clock wraps to 0 on a frame change.
        {0xFFFFFFD0u, 48, "0 48 96 144 192 240 288 336 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        CAnimatedSprite sprite;
        sprite.AddAnimation(Frames("spin", 3, c.length));
        sprite.SetAnimation("spin");
        std::string changes;
        int shown = 0;
        for (ticks now = c.first; now != 368; now += 16) {
            Updater()->Update(now);
            if (sprite.GetCurrentFrame() != shown) changes += std::to_string(now) + " ";
            shown = sprite.GetCurrentFrame();
        }
        EXPECT_EQ(c.changes, changes);
        sprite.Stop();
    }
}

TEST_F(AnimationUpdater, OnlyDueSpritesAreStepped) {
    CAnimatedSprite fast;
    CAnimatedSprite slow;
    fast.AddAnimation(Frames("a", 2, 20));
    slow.AddAnimation(Frames("a", 2, 500));
    slow.Play();
    fast.Play();
    Updater()->Update(1000);
    EXPECT_EQ(&fast, Updater()->GetSprites().front());  // due at 1020, before 1500
    Updater()->Update(1100);
    EXPECT_EQ(1100u, fast.GetAnimationTime());
    EXPECT_EQ(1000u, slow.GetAnimationTime());
}

TEST_F(AnimationUpdater, ANonLoopingAnimationStopsOnItsLastFrameAndEndsTheWalk) {
    CAnimatedSprite once;
    CAnimatedSprite other;
    once.AddAnimation(Frames("once", 2, 50, false));
    other.AddAnimation(Frames("loop", 1, 50));
    once.Play();
    other.Play();
    Updater()->Update(10);
    Updater()->Update(60);
    EXPECT_EQ(1, once.GetCurrentFrame());
    Updater()->Update(110);
    EXPECT_EQ(1, once.GetCurrentFrame());
    EXPECT_FALSE(once.IsPlaying());
    EXPECT_FALSE(Scheduled(&once));
    // The other sprite was due too, but waits for the next call.
    EXPECT_EQ(60u, other.GetAnimationTime());
    Updater()->Update(111);
    EXPECT_EQ(111u, other.GetAnimationTime());
    other.Stop();
}

TEST_F(AnimationUpdater, TheTimeMultiplierScalesTheSpritesClock) {
    CAnimatedSprite sprite;
    sprite.AddAnimation(Frames("a", 3, 100));
    sprite.SetTimeMultiply(2.0f);
    sprite.Play();
    Updater()->Update(16);
    EXPECT_EQ(66u, sprite.GetNextUpdateTime());
    Updater()->Update(50);
    EXPECT_EQ(0, sprite.GetCurrentFrame());
    Updater()->Update(66);
    EXPECT_EQ(116u, sprite.GetAnimationTime());
    EXPECT_EQ(1, sprite.GetCurrentFrame());
    sprite.SetTimeMultiply(0.5f);
    Updater()->Update(166);
    EXPECT_EQ(1, sprite.GetCurrentFrame());
    // A multiplier of zero or below stops the sprite's clock; it never runs backwards.
    sprite.SetTimeMultiply(-3.0f);
    const tarn::types::ticks before = sprite.GetAnimationTime();
    Updater()->Update(400);
    EXPECT_EQ(before, sprite.GetAnimationTime());
    EXPECT_EQ(400u + tarn::CAnimatedSprite::kDefaultMinimumUpdateTime, sprite.GetNextUpdateTime());
    sprite.Reset();
    EXPECT_EQ(0u, sprite.GetAnimationTime());
}

TEST_F(AnimationUpdater, SelectingAnimationsByName) {
    CAnimatedSprite sprite;
    sprite.AddAnimation(Frames("normal", 3, 10));
    sprite.AddAnimation(Frames("highlight", 2, 10));
    EXPECT_EQ("normal", sprite.GetAnimationName());
    EXPECT_FALSE(sprite.IsPlaying());
    sprite.SetAnimation("normal");
    Updater()->Update(100);
    Updater()->Update(110);
    EXPECT_EQ(1, sprite.GetCurrentFrame());
    sprite.SetAnimation("normal");  // the current one goes on
    EXPECT_EQ(1, sprite.GetCurrentFrame());
    sprite.SetAnimation("highlight");
    EXPECT_EQ("highlight", sprite.GetAnimationName());
    EXPECT_EQ(0, sprite.GetCurrentFrame());
    EXPECT_EQ(2, sprite.GetFrameCount());
    Updater()->Update(200);
    Updater()->Update(210);
    EXPECT_EQ(1, sprite.GetCurrentFrame());
    sprite.SetAnimation("no such");  // keeps the current one, from its first frame
    EXPECT_EQ("highlight", sprite.GetAnimationName());
    EXPECT_EQ(0, sprite.GetCurrentFrame());
    sprite.Stop();
}

TEST_F(AnimationUpdater, FramesOutsideTheAnimationAndEmptyAnimationsAreSafe) {
    CAnimatedSprite sprite;
    sprite.AddAnimation(Frames("a", 2, 10));
    sprite.Play();
    sprite.SetCurrentFrame(7);
    Updater()->Update(100);
    EXPECT_EQ(0, sprite.GetCurrentFrame());
    sprite.SetCurrentFrame(-3);  // taken as the first frame, which has had its time
    Updater()->Update(200);
    EXPECT_EQ(1, sprite.GetCurrentFrame());
    sprite.Stop();

    CAnimatedSprite empty;
    empty.AddAnimation(std::make_unique<CAnimation>("none"));
    empty.Play();
    Updater()->Update(1000);
    EXPECT_EQ(1250u, empty.GetNextUpdateTime());
    Updater()->Update(1100);
    EXPECT_EQ(1000u, empty.GetAnimationTime());
    EXPECT_EQ(0, empty.GetCurrentFrame());

    // A playing sprite that is deleted leaves the scheduler.
    auto doomed = std::make_unique<CAnimatedSprite>();
    doomed->AddAnimation(Frames("a", 2, 10));
    doomed->Play();
    doomed.reset();
    Updater()->Update(2000);
    empty.Stop();
}

TEST_F(AnimationUpdater, AWrappedFrameDecidesWhenItsFrameEnds) {
    CFrameRect outer(CRect(0, 0, 8, 8), 10);
    outer.SetWrapped(std::make_unique<CFrameRect>(CRect(8, 0, 8, 8), 300));
    EXPECT_FALSE(outer.Apply(nullptr, 50));
    EXPECT_TRUE(outer.Apply(nullptr, 300));
    EXPECT_EQ(300u, outer.GetFrameLength());
    EXPECT_EQ(300u, outer.GetNextUpdateDelay());

    CAnimation animation("a");
    auto frame = std::make_unique<CFrameRect>(CRect(), 10);
    frame->SetWrapped(std::make_unique<CFrameRect>(CRect(), 300));
    animation.AddFrame(std::move(frame));
    animation.AddFrame(std::make_unique<CFrameRect>(CRect(), 10));
    EXPECT_EQ(0, animation.Step(nullptr, 0, 0));
    EXPECT_EQ(0, animation.Step(nullptr, 0, 100));
    EXPECT_EQ(1, animation.Step(nullptr, 0, 300));
}

}  // namespace
