// Known-answer tests of the copy clipping: rectangles of any size and position end up inside
// both surfaces, with source and destination kept aligned.
#include <gtest/gtest.h>

#include <climits>

#include "tarn/gfx/blitclip.h"

namespace {

using tarn::CRect;

std::string Text(const CRect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.w) + "," + std::to_string(r.h);
}

TEST(BlitClip, KnownAnswers) {
    const CRect source(0, 0, 100, 50);
    const CRect target(0, 0, 40, 30);
    const struct {
        CRect src, dst;
        bool copies;
        CRect expectedSrc, expectedDst;
    } table[] = {
        {CRect(0, 0, 10, 10), CRect(5, 5, 10, 10), true, CRect(0, 0, 10, 10), CRect(5, 5, 10, 10)},
        // The smaller of the two sizes is copied.
        {CRect(0, 0, 10, 10), CRect(0, 0, 4, 20), true, CRect(0, 0, 4, 10), CRect(0, 0, 4, 10)},
        // Destination past the left and top edges: both origins move.
        {CRect(10, 10, 20, 20), CRect(-5, -3, 20, 20), true, CRect(15, 13, 15, 17), CRect(0, 0, 15, 17)},
        // Source past the left edge: both origins move.
        {CRect(-7, 0, 20, 5), CRect(0, 0, 20, 5), true, CRect(0, 0, 13, 5), CRect(7, 0, 13, 5)},
        // Past the right and bottom edges of the target.
        {CRect(0, 0, 100, 50), CRect(30, 25, 100, 50), true, CRect(0, 0, 10, 5), CRect(30, 25, 10, 5)},
        // Past the right edge of the source.
        {CRect(95, 45, 20, 20), CRect(0, 0, 20, 20), true, CRect(95, 45, 5, 5), CRect(0, 0, 5, 5)},
        {CRect(0, 0, 0, 0), CRect(0, 0, 10, 10), false, CRect(), CRect()},
        {CRect(0, 0, -5, 10), CRect(0, 0, 10, 10), false, CRect(), CRect()},
        {CRect(0, 0, 10, 10), CRect(40, 0, 10, 10), false, CRect(), CRect()},
        {CRect(100, 0, 10, 10), CRect(0, 0, 10, 10), false, CRect(), CRect()},
        {CRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), CRect(0, 0, INT_MAX, INT_MAX), false, CRect(), CRect()},
        {CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), CRect(0, 0, INT_MAX, INT_MAX), false, CRect(), CRect()},
        {CRect(0, 0, INT_MAX, INT_MAX), CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), false, CRect(), CRect()},
        {CRect(INT_MIN + 10, 0, INT_MAX, INT_MAX), CRect(INT_MIN, 0, INT_MAX, INT_MAX), false, CRect(), CRect()},
        {CRect(-1000, -1000, INT_MAX, INT_MAX), CRect(-990, -995, INT_MAX, INT_MAX), true, CRect(0, 0, 30, 25),
         CRect(10, 5, 30, 25)},
    };
    for (const auto& entry : table) {
        CRect src = entry.src;
        CRect dst = entry.dst;
        EXPECT_EQ(entry.copies, tarn::ClipBlit(source, src, target, dst)) << Text(entry.src) << " -> " << Text(entry.dst);
        if (!entry.copies) continue;
        EXPECT_EQ(Text(entry.expectedSrc), Text(src)) << Text(entry.src);
        EXPECT_EQ(Text(entry.expectedDst), Text(dst)) << Text(entry.dst);
        EXPECT_TRUE(src.IsInside(source));
        EXPECT_TRUE(dst.IsInside(target));
    }
}

TEST(BlitClip, EmptySurfacesTakeNothing) {
    CRect src(0, 0, 5, 5), dst(0, 0, 5, 5);
    EXPECT_FALSE(tarn::ClipBlit(CRect(), src, CRect(0, 0, 10, 10), dst));
    EXPECT_FALSE(tarn::ClipBlit(CRect(0, 0, 10, 10), src, CRect(0, 0, 0, 7), dst));
}

}  // namespace
