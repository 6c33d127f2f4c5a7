// One body of the physics world: a circle or an oriented box with its motion state.
// Stored by value in the world and copied bit for bit when the array grows or a body moves.
#ifndef TARN_MARBLES_PHYSICS_RIGIDBODY_H
#define TARN_MARBLES_PHYSICS_RIGIDBODY_H

#include <cstdint>

#include "marbles/physics/vector2.h"

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

class IRigidBodyListener;

enum ERigidBodyShape : std::int32_t { SHAPE_CIRCLE = 0, SHAPE_BOX = 1 };
enum ERigidBodyMotion : std::int32_t { MOTION_DYNAMIC = 0, MOTION_STATIC = 1, MOTION_DORMANT = 2 };

struct RigidBody {
    // SHAPE_CIRCLE or SHAPE_BOX; bodies of any other shape take part in no contact.
    std::int32_t shape = SHAPE_CIRCLE;
    // Circle: x is the radius. Box: half width and half height in the box's own axes.
    Vector2 extent;
    Vector2 position;
    // Position before the last integration; written by the step only.
    Vector2 previousPosition;
    // Radians; a box's local x axis is (cos, sin), its local y axis (-sin, cos).
    float orientation = 0.0f;
    Vector2 velocity;
    float angularVelocity = 0.0f;
    // 0 for an immovable body.
    float inverseMass = 0.0f;
    // 0 for a body that must not spin.
    float inverseMomentOfInertia = 0.0f;
    // MOTION_DYNAMIC, MOTION_STATIC, or MOTION_DORMANT (no gravity or damping until struck).
    std::int32_t staticObject = MOTION_DYNAMIC;
    // Opaque to the physics; the game's marble type.
    std::int32_t color = 0;
    // Owned by the world that holds the body; null if none.
    IRigidBodyListener* listener = nullptr;
    // Identifier from the level file, only printed by the body dump.
    std::int32_t initId = 0;
};

// Stored form of a "RigidBody" element: attributes "shape", "orientation", "angularVelocity",
// "inverseMass", "inverseMomentOfInertia", "staticObject", "color", "initId", then the child
// elements "Radius" (extent), "Position" and "Velocity". Reading sets each field present and
// leaves the others unchanged; the listener is neither read nor written, and the previous
// position is set to the position read.
void Serialize(RigidBody& body, tarn::CXmlFileSys* filesys);

}  // namespace marbles

#endif
