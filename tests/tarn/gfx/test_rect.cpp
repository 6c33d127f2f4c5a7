// Known-answer tests of the rectangle rules: intersection, containment, hit test, clipping,
// including rectangles whose edges lie beyond the 32-bit range.
#include <gtest/gtest.h>

#include <climits>

#include "tarn/gfx/crect.h"

namespace {

using tarn::CRect;

TEST(Rect, EmptyOnlyWhenWidthAndHeightAreZero) {
    EXPECT_TRUE(CRect().IsEmpty());
    EXPECT_TRUE(CRect(5, -3, 0, 0).IsEmpty());
    EXPECT_FALSE(CRect(0, 0, 0, 1).IsEmpty());
    EXPECT_FALSE(CRect(0, 0, -1, 0).IsEmpty());
}

TEST(Rect, Intersects) {
    const CRect base(10, 10, 20, 20);
    const struct {
        CRect other;
        bool expected;
    } table[] = {
        {CRect(0, 0, 10, 10), false},    // touching corner
        {CRect(30, 10, 5, 5), false},    // touching right edge
        {CRect(10, 30, 5, 5), false},    // touching bottom edge
        {CRect(29, 29, 5, 5), true},     // one pixel overlap
        {CRect(0, 0, 11, 11), true},
        {CRect(15, 15, 1, 1), true},     // inside
        {CRect(0, 0, 100, 100), true},   // around
        {CRect(-5, 15, 10, 1), false},   // left of it
        {CRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), false},
        {CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), false},
        {CRect(INT_MIN, INT_MIN, -1, -1), false},
        {CRect(20, 20, -5, -5), false},  // negative sizes have no area
        {CRect(20, 20, 0, 5), false},    // neither has a zero size
    };
    for (const auto& entry : table) {
        EXPECT_EQ(entry.expected, base.Intersects(entry.other))
            << entry.other.x << "," << entry.other.y << "," << entry.other.w << "," << entry.other.h;
        EXPECT_EQ(entry.expected, entry.other.Intersects(base));
    }
}

TEST(Rect, IsInside) {
    const CRect bounds(0, 0, 100, 50);
    EXPECT_TRUE(CRect(0, 0, 100, 50).IsInside(bounds));
    EXPECT_TRUE(CRect(10, 10, 90, 40).IsInside(bounds));
    EXPECT_FALSE(CRect(10, 10, 91, 40).IsInside(bounds));
    EXPECT_FALSE(CRect(-1, 0, 10, 10).IsInside(bounds));
    EXPECT_FALSE(CRect(0, 1, 10, 50).IsInside(bounds));
    EXPECT_FALSE(CRect(INT_MAX, 0, INT_MAX, 1).IsInside(bounds));
    EXPECT_FALSE(bounds.IsInside(CRect(10, 10, 5, 5)));
}

TEST(Rect, ContainsIsHalfOpen) {
    const CRect rect(10, 20, 5, 3);
    EXPECT_TRUE(rect.Contains(10, 20));
    EXPECT_TRUE(rect.Contains(14, 22));
    EXPECT_FALSE(rect.Contains(15, 22));
    EXPECT_FALSE(rect.Contains(14, 23));
    EXPECT_FALSE(rect.Contains(9, 20));
    EXPECT_FALSE(CRect(0, 0, 0, 0).Contains(0, 0));
    EXPECT_TRUE(CRect(INT_MAX - 1, 0, INT_MAX, 1).Contains(INT_MAX, 0));
}

TEST(Rect, ClipGivesTheOverlapOrNothing) {
    const CRect screen(0, 0, 640, 480);
    const struct {
        CRect rect;
        CRect expected;
    } table[] = {
        {CRect(10, 10, 20, 20), CRect(10, 10, 20, 20)},
        {CRect(-10, -20, 30, 30), CRect(0, 0, 20, 10)},
        {CRect(630, 470, 100, 100), CRect(630, 470, 10, 10)},
        {CRect(640, 0, 10, 10), CRect()},
        {CRect(-100, -100, 100, 100), CRect()},
        {CRect(-5, -5, INT_MAX, INT_MAX), CRect(0, 0, 640, 480)},
        {CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), CRect()},
        {CRect(5, 5, -3, -3), CRect()},
    };
    for (const auto& entry : table) {
        EXPECT_EQ(entry.expected, entry.rect.Clip(screen))
            << entry.rect.x << "," << entry.rect.y << "," << entry.rect.w << "," << entry.rect.h;
    }
    const CRect huge(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    const CRect clipped = CRect(-10, -10, INT_MAX, INT_MAX).Clip(CRect(-20, -20, INT_MAX, INT_MAX));
    EXPECT_EQ(CRect(-10, -10, INT_MAX - 10, INT_MAX - 10), clipped);
    EXPECT_TRUE(huge.Clip(huge) == huge);
}

}  // namespace
