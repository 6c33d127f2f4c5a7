// Scene builders and state comparisons shared by the physics tests.
#ifndef TESTS_MARBLES_PHYSICS_PHYSICSSCENES_H
#define TESTS_MARBLES_PHYSICS_PHYSICSSCENES_H

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/rigidbody.h"

namespace physicsscenes {

using marbles::CPhysicsWorld;
using marbles::RigidBody;

inline RigidBody Circle(float x, float y, float radius, float inverseMass = 1.0f,
                        std::int32_t motion = marbles::MOTION_DYNAMIC) {
    RigidBody b;
    b.shape = marbles::SHAPE_CIRCLE;
    b.extent = {radius, radius};
    b.position = {x, y};
    b.inverseMass = inverseMass;
    b.inverseMomentOfInertia = radius > 0.0f ? 2.0f * inverseMass / (radius * radius) : 0.0f;
    b.staticObject = motion;
    return b;
}

inline RigidBody Box(float x, float y, float halfWidth, float halfHeight, float angle = 0.0f,
                     float inverseMass = 1.0f, std::int32_t motion = marbles::MOTION_DYNAMIC) {
    RigidBody b;
    b.shape = marbles::SHAPE_BOX;
    b.extent = {halfWidth, halfHeight};
    b.position = {x, y};
    b.orientation = angle;
    b.inverseMass = inverseMass;
    const float w = 2.0f * halfWidth;
    const float h = 2.0f * halfHeight;
    b.inverseMomentOfInertia = w * w + h * h > 0.0f ? 12.0f * inverseMass / (w * w + h * h) : 0.0f;
    b.staticObject = motion;
    return b;
}

inline RigidBody Wall(float x, float y, float halfWidth, float halfHeight) {
    return Box(x, y, halfWidth, halfHeight, 0.0f, 0.0f, marbles::MOTION_STATIC);
}

// Four static walls of the given thickness around the open rectangle (left, top)-(right, bottom).
inline void AddWalls(CPhysicsWorld& world, float left, float top, float right, float bottom,
                     float thickness = 2.0f) {
    const float cx = 0.5f * (left + right);
    const float cy = 0.5f * (top + bottom);
    const float hw = 0.5f * (right - left) + 2.0f * thickness;
    const float hh = 0.5f * (bottom - top) + 2.0f * thickness;
    world.AddBody(Wall(cx, bottom + thickness, hw, thickness));
    world.AddBody(Wall(cx, top - thickness, hw, thickness));
    world.AddBody(Wall(left - thickness, cy, thickness, hh));
    world.AddBody(Wall(right + thickness, cy, thickness, hh));
}

inline std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Every field a step may change or read, as exact bits (the listener pointer left out).
inline bool SameBits(const RigidBody& a, const RigidBody& b) {
    const float fa[] = {a.extent.x, a.extent.y, a.position.x, a.position.y, a.previousPosition.x,
                        a.previousPosition.y, a.orientation, a.velocity.x, a.velocity.y,
                        a.angularVelocity, a.inverseMass, a.inverseMomentOfInertia};
    const float fb[] = {b.extent.x, b.extent.y, b.position.x, b.position.y, b.previousPosition.x,
                        b.previousPosition.y, b.orientation, b.velocity.x, b.velocity.y,
                        b.angularVelocity, b.inverseMass, b.inverseMomentOfInertia};
    for (std::size_t k = 0; k < sizeof fa / sizeof fa[0]; ++k)
        if (Bits(fa[k]) != Bits(fb[k])) return false;
    return a.shape == b.shape && a.staticObject == b.staticObject && a.color == b.color &&
           a.initId == b.initId;
}

// FNV-1a over the bits of every body.
inline std::uint64_t HashBodies(const CPhysicsWorld& world) {
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](std::uint32_t word) {
        for (int k = 0; k < 4; ++k) {
            hash ^= (word >> (8 * k)) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
        const RigidBody& b = world.GetBody(i);
        mix(static_cast<std::uint32_t>(b.shape));
        for (float f : {b.extent.x, b.extent.y, b.position.x, b.position.y, b.previousPosition.x,
                        b.previousPosition.y, b.orientation, b.velocity.x, b.velocity.y,
                        b.angularVelocity, b.inverseMass, b.inverseMomentOfInertia})
            mix(Bits(f));
        mix(static_cast<std::uint32_t>(b.staticObject));
        mix(static_cast<std::uint32_t>(b.color));
        mix(static_cast<std::uint32_t>(b.initId));
    }
    return hash;
}

inline bool AllFinite(const RigidBody& b) {
    for (float f : {b.position.x, b.position.y, b.velocity.x, b.velocity.y, b.orientation,
                    b.angularVelocity})
        if (!std::isfinite(f)) return false;
    return true;
}

}  // namespace physicsscenes

#endif
