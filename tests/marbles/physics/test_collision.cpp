// Contact tests of the narrow phase: circle-circle, circle-box, box-box and the segment routines.
#include <gtest/gtest.h>

#include <cmath>

#include "marbles/physics/collision.h"
#include "physicsscenes.h"

using namespace marbles;
using physicsscenes::Box;
using physicsscenes::Circle;

namespace {

void ExpectNear(Vector2 actual, float x, float y, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
}

bool TestBoxes(const RigidBody& a, const RigidBody& b, ContactPoints& out) {
    return BoxBox(a, OrientationAxis(a.orientation), b, OrientationAxis(b.orientation), out);
}

}  // namespace

TEST(CircleCircle, OverlappingCirclesTouchAlongTheLineOfCentres) {
    ContactPoints out;
    ASSERT_TRUE(CircleCircle(Circle(1.5f, 0, 1), Circle(0, 0, 1), out));
    EXPECT_EQ(out.count, 1);
    ExpectNear(out.normal, 1, 0);
    ExpectNear(out.pointA[0], 0.5f, 0);
    ExpectNear(out.pointB[0], 1, 0);

    ASSERT_TRUE(CircleCircle(Circle(0, 2, 1), Circle(0, 0, 1), out)) << "exactly touching";
    ExpectNear(out.normal, 0, 1);
}

TEST(CircleCircle, ApartOrDeeplyOverlappingCirclesGiveNothing) {
    ContactPoints out;
    EXPECT_FALSE(CircleCircle(Circle(2.01f, 0, 1), Circle(0, 0, 1), out));
    // The centre of one circle inside the other: passes through.
    EXPECT_FALSE(CircleCircle(Circle(0.9f, 0, 1), Circle(0, 0, 1), out));
    EXPECT_FALSE(CircleCircle(Circle(1.5f, 0, 0.2f), Circle(0, 0, 2), out));
    EXPECT_FALSE(CircleCircle(Circle(0, 0, 0.2f), Circle(0, 0.5f, 0.6f), out));
    EXPECT_FALSE(CircleCircle(Circle(3, 3, 1), Circle(3, 3, 1), out)) << "same centre";
    EXPECT_EQ(out.count, 0);
}

TEST(CircleCircle, PointCirclesOnOneSpotTouchWithAZeroNormal) {
    ContactPoints out;
    ASSERT_TRUE(CircleCircle(Circle(1, 1, 0), Circle(1, 1, 0), out));
    ExpectNear(out.normal, 0, 0, 0);
}

TEST(CircleBox, CircleOnAFaceTouchesAlongTheFaceNormal) {
    ContactPoints out;
    // Box of half size 2 x 1 at the origin; y grows downwards, the circle rests on top.
    ASSERT_TRUE(CircleBox(Circle(0.5f, -1.4f, 0.5f), Box(0, 0, 2, 1), OrientationAxis(0), out));
    ExpectNear(out.normal, 0, -1);
    ExpectNear(out.pointB[0], 0.5f, -1);
    ExpectNear(out.pointA[0], 0.5f, -0.9f);
}

TEST(CircleBox, CircleNearACornerTouchesTheCorner) {
    ContactPoints out;
    ASSERT_TRUE(CircleBox(Circle(2.3f, 1.4f, 0.6f), Box(0, 0, 2, 1), OrientationAxis(0), out));
    ExpectNear(out.pointB[0], 2, 1);
    ExpectNear(out.normal, 0.6f, 0.8f);
}

TEST(CircleBox, RotatedBoxUsesItsOwnAxes) {
    ContactPoints out;
    const float angle = 0.5f;
    const Vector2 axis = OrientationAxis(angle);
    // Centre 1.4 units out along the box's local y axis: 0.4 beyond the face of half height 1.
    const Vector2 up{-axis.y, axis.x};
    const RigidBody box = Box(3, 4, 2, 1, angle);
    ASSERT_TRUE(CircleBox(Circle(3 + 1.4f * up.x, 4 + 1.4f * up.y, 0.5f), box, axis, out));
    ExpectNear(out.normal, up.x, up.y);
    EXPECT_FALSE(CircleBox(Circle(3 + 1.6f * up.x, 4 + 1.6f * up.y, 0.5f), box, axis, out));
}

TEST(CircleBox, CentreInsideOrFarAwayGivesNothing) {
    ContactPoints out;
    EXPECT_FALSE(CircleBox(Circle(1.9f, 0.9f, 0.5f), Box(0, 0, 2, 1), OrientationAxis(0), out));
    EXPECT_FALSE(CircleBox(Circle(0, 0, 5), Box(0, 0, 2, 1), OrientationAxis(0), out));
    EXPECT_FALSE(CircleBox(Circle(0, -1.6f, 0.5f), Box(0, 0, 2, 1), OrientationAxis(0), out));
    EXPECT_EQ(out.count, 0);
}

TEST(BoxBox, BoxLyingFlatOnABoxTouchesAtTwoPoints) {
    ContactPoints out;
    // A (half 1 x 0.5) sunk 0.01 into the top face of B (half 5 x 1).
    ASSERT_TRUE(TestBoxes(Box(0, -1.49f, 1, 0.5f), Box(0, 0, 5, 1), out));
    ASSERT_EQ(out.count, 2);
    ExpectNear(out.normal, 0, -1);
    ExpectNear(out.pointA[0], -1, -0.99f);
    ExpectNear(out.pointA[1], 1, -0.99f);
    ExpectNear(out.pointB[0], -1, -1);
    ExpectNear(out.pointB[1], 1, -1);
}

TEST(BoxBox, ReferenceFaceOnAFlipsTheNormalSoItStillPointsFromBToA) {
    ContactPoints out;
    // The same pair with the roles swapped: the wide box is now A, below.
    ASSERT_TRUE(TestBoxes(Box(0, 0, 5, 1), Box(0, -1.49f, 1, 0.5f), out));
    ASSERT_EQ(out.count, 2);
    ExpectNear(out.normal, 0, 1);
    ExpectNear(out.pointB[0], -1, -0.99f);
    ExpectNear(out.pointA[0], -1, -1);
}

TEST(BoxBox, OverhangingBoxIsClippedToTheReferenceBox) {
    ContactPoints out;
    ASSERT_TRUE(TestBoxes(Box(4.8f, -1.49f, 1, 0.5f), Box(0, 0, 5, 1), out));
    ASSERT_EQ(out.count, 2);
    ExpectNear(out.pointA[0], 3.8f, -0.99f);
    ExpectNear(out.pointA[1], 5, -0.99f);
    ExpectNear(out.pointB[1], 5, -1);
}

TEST(BoxBox, TiltedBoxTouchesWithOneCorner) {
    ContactPoints out;
    // A square standing on a corner, that corner 0.05 below the top face of B.
    const float reach = 0.5f * std::sqrt(2.0f);
    ASSERT_TRUE(TestBoxes(Box(0, -1 - reach + 0.05f, 0.5f, 0.5f, 0.7853982f), Box(0, 0, 5, 1), out));
    ASSERT_EQ(out.count, 1);
    ExpectNear(out.normal, 0, -1);
    ExpectNear(out.pointA[0], 0, -0.95f, 1e-4f);
    ExpectNear(out.pointB[0], 0, -1, 1e-4f);
}

TEST(BoxBox, ThreePenetratingCornersGiveNothing) {
    ContactPoints out;
    const RigidBody tilted = Box(0, -0.6f, 0.5f, 0.5f, 0.3f);
    const RigidBody floor = Box(0, 0, 5, 1);
    // Three of the tilted box's corners lie below the floor's top face (y = -1).
    const Vector2 axis = OrientationAxis(0.3f);
    int below = 0;
    for (float sx : {-0.5f, 0.5f})
        for (float sy : {-0.5f, 0.5f})
            if (tilted.position.y + sx * axis.y + sy * axis.x > -1.0f) ++below;
    ASSERT_EQ(below, 3);
    EXPECT_FALSE(TestBoxes(tilted, floor, out));
    EXPECT_EQ(out.count, 0);
}

TEST(BoxBox, SeparatedBoxesGiveNothing) {
    ContactPoints out;
    EXPECT_FALSE(TestBoxes(Box(0, -2.1f, 1, 1), Box(0, 0, 5, 1), out));
    // Corner to corner, apart along the diagonal only: found by a rotated box's axis.
    EXPECT_FALSE(TestBoxes(Box(2.3f, 2.3f, 1, 1, 0.7853982f), Box(0, 0, 1, 1), out));
    EXPECT_EQ(out.count, 0);
}

TEST(BoxBox, ZeroSizeBoxesGiveFinitePointsOrNothing) {
    ContactPoints out;
    EXPECT_FALSE(TestBoxes(Box(0, 0, 0, 0), Box(0, 0, 0, 0), out));
    // A point box inside a box is its own reference face: the other box's corners behind it touch.
    for (float x : {0.0f, 0.3f, 0.99f, 1.0f, 1.5f}) {
        TestBoxes(Box(x, 0.2f, 0, 0), Box(0, 0, 1, 1, 0.1f), out);
        for (int p = 0; p < out.count; ++p) {
            EXPECT_TRUE(std::isfinite(out.pointA[p].x) && std::isfinite(out.pointA[p].y));
            EXPECT_TRUE(std::isfinite(out.pointB[p].x) && std::isfinite(out.pointB[p].y));
        }
        EXPECT_TRUE(std::isfinite(out.normal.x) && std::isfinite(out.normal.y));
    }
}

TEST(Segment, ClosestPointIsClampedToTheEnds) {
    const Vector2 a{0, 0};
    const Vector2 b{4, 0};
    ExpectNear(ClosestPointOnSegment(a, b, Vector2{-3, 2}), 0, 0, 0);
    ExpectNear(ClosestPointOnSegment(a, b, Vector2{1.5f, -2}), 1.5f, 0, 0);
    ExpectNear(ClosestPointOnSegment(a, b, Vector2{9, 1}), 4, 0, 0);
    ExpectNear(ClosestPointOnSegment(a, a, Vector2{9, 1}), 0, 0, 0);  // zero length
}

TEST(Segment, IntersectionOnlyInsideTheSegmentAndNotWhenParallel) {
    Vector2 x{-7, -7};
    EXPECT_TRUE(IntersectSegmentPlane(Vector2{0, 0}, Vector2{4, 0}, Vector2{1, 5}, Vector2{1, 0}, x));
    ExpectNear(x, 1, 0);
    x = Vector2{-7, -7};
    EXPECT_FALSE(IntersectSegmentPlane(Vector2{0, 0}, Vector2{4, 0}, Vector2{5, 0}, Vector2{1, 0}, x));
    EXPECT_FALSE(IntersectSegmentPlane(Vector2{0, 0}, Vector2{4, 0}, Vector2{1, 1}, Vector2{0, 1}, x));
    EXPECT_FALSE(IntersectSegmentPlane(Vector2{2, 2}, Vector2{2, 2}, Vector2{2, 2}, Vector2{1, 0}, x));
    ExpectNear(x, -7, -7, 0);
}

TEST(Segment, ClippingKeepsTheEndBehindThePlane) {
    Vector2 a{0, 0};
    Vector2 b{4, 0};
    ClipSegmentToPlane(a, b, Vector2{3, 0}, Vector2{1, 0});
    ExpectNear(a, 0, 0, 0);
    ExpectNear(b, 3, 0);
    a = Vector2{0, 0};
    b = Vector2{4, 0};
    ClipSegmentToPlane(a, b, Vector2{1, 0}, Vector2{-1, 0});
    ExpectNear(a, 1, 0);
    ExpectNear(b, 4, 0, 0);
    ClipSegmentToPlane(a, b, Vector2{9, 0}, Vector2{1, 0});
    ExpectNear(a, 1, 0);
    ExpectNear(b, 4, 0, 0);
}
