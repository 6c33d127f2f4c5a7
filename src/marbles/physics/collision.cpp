// The narrow phase of the physics step: contact tests between circles and oriented boxes,
// and the segment routines the box test clips with.
#include "marbles/physics/collision.h"

#include <cmath>

namespace marbles {

namespace {

// An oriented box as the box test sees it: centre, half extents, local axes, corners.
struct Box {
    Vector2 centre;
    Vector2 half;
    Vector2 axis[2];
    Vector2 corner[4];
};

Box MakeBox(const RigidBody& body, Vector2 axis) {
    Box box;
    box.centre = body.position;
    box.half = body.extent;
    box.axis[0] = axis;
    box.axis[1] = Vector2{-axis.y, axis.x};
    const Vector2 hx = box.half.x * box.axis[0];
    const Vector2 hy = box.half.y * box.axis[1];
    box.corner[0] = box.centre - hx - hy;
    box.corner[1] = box.centre + hx - hy;
    box.corner[2] = box.centre - hx + hy;
    box.corner[3] = box.centre + hx + hy;
    return box;
}

// Half the length of the box's shadow on the line along l.
float Projection(const Box& box, Vector2 l) {
    return std::fabs(Dot(box.axis[0], l)) * box.half.x + std::fabs(Dot(box.axis[1], l)) * box.half.y;
}

// The face of a box with its outward normal, found by the separating-axis search.
struct ReferenceFace {
    int box = 0;
    int face = 0;
    Vector2 normal;
};

// False when one of the four box axes separates the boxes; otherwise the face of least overlap.
bool FindReferenceFace(const Box boxes[2], ReferenceFace& found) {
    const Vector2 d = boxes[1].centre - boxes[0].centre;
    bool hasBest = false;
    float best = -1.0f;
    for (int i = 0; i < 2; ++i) {
        for (int k = 0; k < 2; ++k) {
            const Vector2 l = boxes[i].axis[k];
            const float along = Dot(d, l);
            const float dist = std::fabs(along);
            const float reach = Projection(boxes[0], l) + Projection(boxes[1], l);
            if (reach < dist) return false;
            const float overlap = reach - dist;
            if (hasBest && !(overlap < best)) continue;
            const bool flipped = (i == 0) ? along <= 0.0f : along >= 0.0f;
            found.box = i;
            found.face = flipped ? 2 * k + 1 : 2 * k;
            found.normal = flipped ? -l : l;
            best = overlap;
            hasBest = true;
        }
    }
    return true;
}

// The corner pairs of the four faces: +x, -x, +y, -y.
const int theFaceCorners[4][2] = {{1, 3}, {0, 2}, {2, 3}, {0, 1}};

}  // namespace

Vector2 OrientationAxis(float orientation) {
    const double angle = orientation;
    return Vector2{static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
}

bool CircleCircle(const RigidBody& a, const RigidBody& b, ContactPoints& out) {
    out.count = 0;
    const float ra = a.extent.x;
    const float rb = b.extent.x;
    Vector2 n = a.position - b.position;
    const float d = Length(n);
    if (d > 0.0f) n = Vector2{n.x / d, n.y / d};
    if (ra + rb < d) return false;
    if (d < ra || d < rb) return false;
    out.normal = n;
    out.pointA[0] = a.position - ra * n;
    out.pointB[0] = b.position + rb * n;
    out.count = 1;
    return true;
}

bool CircleBox(const RigidBody& circle, const RigidBody& box, Vector2 boxAxis, ContactPoints& out) {
    out.count = 0;
    const Vector2 c = circle.position;
    const float r = circle.extent.x;
    const Vector2 axis[2] = {boxAxis, Vector2{-boxAxis.y, boxAxis.x}};
    const float half[2] = {box.extent.x, box.extent.y};
    const Vector2 rel = c - box.position;
    float clamped[2];
    float squared = 0.0f;
    int inside = 0;
    for (int k = 0; k < 2; ++k) {
        const float local = Dot(rel, axis[k]);
        if (local < -half[k]) {
            clamped[k] = -half[k];
            squared += (local + half[k]) * (local + half[k]);
        } else if (local > half[k]) {
            clamped[k] = half[k];
            squared += (local - half[k]) * (local - half[k]);
        } else {
            clamped[k] = local;
            ++inside;
        }
    }
    if (squared > r * r) return false;
    if (inside == 2) return false;
    const Vector2 onBox = box.position + clamped[0] * axis[0] + clamped[1] * axis[1];
    out.normal = Normalize(c - onBox);
    out.pointA[0] = c - r * out.normal;
    out.pointB[0] = onBox;
    out.count = 1;
    return true;
}

bool BoxBox(const RigidBody& a, Vector2 axisA, const RigidBody& b, Vector2 axisB,
            ContactPoints& out) {
    out.count = 0;
    const Box boxes[2] = {MakeBox(a, axisA), MakeBox(b, axisB)};
    ReferenceFace ref;
    if (!FindReferenceFace(boxes, ref)) return false;

    const Box& reference = boxes[ref.box];
    const Box& incident = boxes[1 - ref.box];
    const Vector2 faceStart = reference.corner[theFaceCorners[ref.face][0]];
    const Vector2 faceEnd = reference.corner[theFaceCorners[ref.face][1]];
    const float facePlane = Dot(faceStart, ref.normal);

    Vector2 penetrating[2];
    int count = 0;
    for (const Vector2& corner : incident.corner) {
        if (!(Dot(corner, ref.normal) - facePlane < 0.0f)) continue;
        if (count == 2) return false;
        penetrating[count++] = corner;
    }
    if (count == 0) return false;

    if (count == 2) {
        const Vector2 hx = reference.half.x * reference.axis[0];
        const Vector2 hy = reference.half.y * reference.axis[1];
        const Vector2 qMax = reference.centre + hx + hy;
        const Vector2 qMin = reference.centre - hx - hy;
        ClipSegmentToPlane(penetrating[0], penetrating[1], qMax, reference.axis[0]);
        ClipSegmentToPlane(penetrating[0], penetrating[1], qMax, reference.axis[1]);
        ClipSegmentToPlane(penetrating[0], penetrating[1], qMin, -reference.axis[0]);
        ClipSegmentToPlane(penetrating[0], penetrating[1], qMin, -reference.axis[1]);
    }

    // The incident points belong to A when B holds the reference face, and the other way round.
    const bool incidentIsA = ref.box == 1;
    out.normal = incidentIsA ? ref.normal : -ref.normal;
    for (int p = 0; p < count; ++p) {
        const Vector2 onFace = ClosestPointOnSegment(faceStart, faceEnd, penetrating[p]);
        out.pointA[p] = incidentIsA ? penetrating[p] : onFace;
        out.pointB[p] = incidentIsA ? onFace : penetrating[p];
    }
    out.count = count;
    return true;
}

Vector2 ClosestPointOnSegment(Vector2 a, Vector2 b, Vector2 p) {
    Vector2 dir = b - a;
    const float length = Length(dir);
    if (length > 0.0f) dir = Vector2{dir.x / length, dir.y / length};
    const float t = Dot(dir, p - a);
    if (t < 0.0f) return a;
    if (t <= length) return a + t * dir;
    return b;
}

bool IntersectSegmentPlane(Vector2 a, Vector2 b, Vector2 q, Vector2 m, Vector2& x) {
    Vector2 dir = b - a;
    const float length = Length(dir);
    if (length == 0.0f) return false;
    dir = Vector2{dir.x / length, dir.y / length};
    const float slope = Dot(m, dir);
    if (slope == 0.0f) return false;
    const float t = (Dot(m, q) - Dot(m, a)) / slope;
    if (!(t >= 0.0f && t <= length)) return false;
    x = a + t * dir;
    return true;
}

void ClipSegmentToPlane(Vector2& a, Vector2& b, Vector2 q, Vector2 m) {
    Vector2 x;
    if (!IntersectSegmentPlane(a, b, q, m, x)) return;
    if (Dot(a, m) - Dot(q, m) < 0.0f) {
        b = x;
    } else {
        a = x;
    }
}

}  // namespace marbles
