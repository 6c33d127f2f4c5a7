// Timers against a hand-moved global clock: pause, resume, reset, derivative and the 2^32 wrap.
#include <gtest/gtest.h>

#include "support/testsupport.h"
#include "tarn/utils/timer/ctimer.h"

using tarn::CTimer;
using testsupport::CManualClock;

TEST(Timer, CountsFromZeroOnTheGlobalClock) {
    CManualClock clock(1000);
    CTimer timer;
    EXPECT_EQ(timer.GetTime(), 0u);
    clock.Advance(1500);
    EXPECT_EQ(timer.GetTime(), 1500u);
    EXPECT_DOUBLE_EQ(timer.GetSeconds(), 1.5);
    EXPECT_EQ(tarn::GetGlobalClock()->GetTime(), 2500u);
}

TEST(Timer, PauseHoldsTheTimeAndResumeContinuesFromIt) {
    CManualClock clock(0);
    CTimer timer;
    clock.Advance(500);
    timer.Pause();
    clock.Advance(100);
    timer.Pause();  // a second pause keeps the first paused time
    clock.Advance(100);
    EXPECT_EQ(timer.GetTime(), 500u);
    EXPECT_EQ(timer.Resume(), 200u);
    EXPECT_EQ(timer.GetTime(), 500u);
    clock.Advance(10);
    EXPECT_EQ(timer.GetTime(), 510u);
    EXPECT_EQ(timer.Resume(), 0u);  // resuming a running timer changes nothing
    EXPECT_EQ(timer.GetTime(), 510u);
}

TEST(Timer, ResetKeepsThePausedState) {
    CManualClock clock(0);
    CTimer timer;
    clock.Advance(300);
    timer.Pause();
    timer.Reset();
    clock.Advance(50);
    EXPECT_EQ(timer.GetTime(), 0u);
    timer.Resume();
    clock.Advance(20);
    EXPECT_EQ(timer.GetTime(), 20u);
}

TEST(Timer, DerivativeMeasuresSinceTheLastMark) {
    CManualClock clock(0);
    CTimer timer;
    clock.Advance(40);
    EXPECT_EQ(timer.GetDerivate(), 40u);
    EXPECT_EQ(timer.UpdateDerivate(), 40u);
    clock.Advance(16);
    EXPECT_EQ(timer.GetDerivate(), 16u);
    EXPECT_DOUBLE_EQ(timer.GetDerivateSeconds(), 0.016);
}

TEST(Timer, WorksAcrossTheTickWrap) {
    CManualClock clock(0xFFFFFF00u);
    CTimer timer;
    clock.Advance(0x200);  // the clock wraps past 2^32
    EXPECT_EQ(clock.Now(), 0x100u);
    EXPECT_EQ(timer.GetTime(), 0x200u);
    timer.Pause();
    clock.Advance(1000);
    EXPECT_EQ(timer.Resume(), 1000u);
    EXPECT_EQ(timer.GetTime(), 0x200u);
}

TEST(Timer, MeasuresAgainstABaseTimer) {
    CManualClock clock(0);
    CTimer base;
    CTimer child(&base);
    clock.Advance(100);
    base.Pause();
    clock.Advance(100);
    EXPECT_EQ(child.GetTime(), 100u);  // the child follows its paused base
    base.Resume();
    clock.Advance(5);
    EXPECT_EQ(child.GetTime(), 105u);
}

TEST(Timer, AssignmentCopiesStateButNotTheBase) {
    CManualClock clock(0);
    CTimer base;
    CTimer a(&base);
    CTimer b;
    clock.Advance(70);
    b.Pause();
    a = b;
    EXPECT_TRUE(a.IsPaused());
    EXPECT_EQ(a.GetTime(), 70u);
    base.Pause();
    a.Resume();
    clock.Advance(30);
    EXPECT_EQ(a.GetTime(), 70u);  // still measured against the paused base
}
