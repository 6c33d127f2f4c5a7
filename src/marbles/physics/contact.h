// One point of contact found by a physics step; valid only during the step that produced it.
#ifndef TARN_MARBLES_PHYSICS_CONTACT_H
#define TARN_MARBLES_PHYSICS_CONTACT_H

#include "marbles/physics/rigidbody.h"
#include "marbles/physics/vector2.h"

namespace marbles {

struct Contact {
    RigidBody* bodyA = nullptr;
    RigidBody* bodyB = nullptr;
    // Contact point on the surface of body A.
    Vector2 pointA;
    // Contact point on the surface of body B.
    Vector2 pointB;
    // Unit vector pointing from body B towards body A.
    Vector2 normal;
    // Midpoint of pointA and pointB, where velocities are sampled and impulses applied.
    Vector2 point;
};

}  // namespace marbles

#endif
