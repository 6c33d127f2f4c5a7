// The narrow phase of the physics step: contact tests between circles and oriented boxes,
// and the segment routines the box test clips with. Pure functions of the bodies they get.
#ifndef TARN_MARBLES_PHYSICS_COLLISION_H
#define TARN_MARBLES_PHYSICS_COLLISION_H

#include "marbles/physics/rigidbody.h"
#include "marbles/physics/vector2.h"

namespace marbles {

// The points found by one test. Every point shares the normal, which points from B towards A.
struct ContactPoints {
    int count = 0;
    Vector2 normal;
    Vector2 pointA[2];
    Vector2 pointB[2];
};

// (cos, sin) of an orientation, taken in double precision and stored as floats: a box's
// local x axis; its local y axis is (-sin, cos).
Vector2 OrientationAxis(float orientation);

// Circles a and b. Touching or overlapping circles give one point, except when the centre of
// one lies inside the other: such deep overlaps give none. False when out.count is 0.
bool CircleCircle(const RigidBody& a, const RigidBody& b, ContactPoints& out);

// Circle against a box whose local x axis is boxAxis. No point when the circle's centre lies
// inside the box. The circle is A.
bool CircleBox(const RigidBody& circle, const RigidBody& box, Vector2 boxAxis, ContactPoints& out);

// Boxes a and b (separating axes, reference face, incident corners clipped to the reference
// box): one or two points, or none when apart or when three incident corners penetrate.
bool BoxBox(const RigidBody& a, Vector2 axisA, const RigidBody& b, Vector2 axisB,
            ContactPoints& out);

// The point of segment (a, b) closest to p.
Vector2 ClosestPointOnSegment(Vector2 a, Vector2 b, Vector2 p);

// Where segment (a, b) crosses the line through q with normal m. False (x untouched) for a
// zero-length segment, a segment parallel to the line, or a crossing outside the segment.
bool IntersectSegmentPlane(Vector2 a, Vector2 b, Vector2 q, Vector2 m, Vector2& x);

// Cuts segment (a, b) at the line through q with normal m, keeping the end on the side
// opposite to m. A segment that does not cross the line stays unchanged.
void ClipSegmentToPlane(Vector2& a, Vector2& b, Vector2 q, Vector2 m);

}  // namespace marbles

#endif
