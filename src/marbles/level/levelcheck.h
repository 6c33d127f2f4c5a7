// What a level's world must hold to be played: some bodies, at least one marble, no more than
// the game can step at a steady pace, and every number of every body finite and of sane size.
#ifndef TARN_MARBLES_LEVEL_LEVELCHECK_H
#define TARN_MARBLES_LEVEL_LEVELCHECK_H

#include <string>

namespace tarn {
class CXmlNode;
}

namespace marbles {

class CPhysicsWorld;

// The most bodies a level may hold (the shipped levels hold fewer than 70).
constexpr unsigned MAX_LEVEL_BODIES = 1000;
// The farthest a body may lie from the origin on either axis, in world units (the screen
// shows about 40 by 30).
constexpr float MAX_LEVEL_COORDINATE = 1000.0f;
// The largest radius or half side of a body, in world units.
constexpr float MAX_LEVEL_EXTENT = 100.0f;

// Why the "PhysicsModel" element model cannot be read as written: the first attribute of a
// "RigidBody" (or of its "Radius", "Position", "Velocity") that is not a finite number a float
// holds ("body 1 (initId 9): \"x\" of \"Position\" is not a finite number: nan"), or "".
// Such a number would otherwise be skipped and the body read with a default in its place.
std::string CheckBodyNumbers(const tarn::CXmlNode* model);

// Why world cannot be played as a level, naming the first body at fault
// ("body 3 (initId 17): radius 0 is not in (0, 100]"), or "" when it can.
std::string CheckLevelBodies(const CPhysicsWorld& world);

}  // namespace marbles

#endif
