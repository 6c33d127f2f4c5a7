// Reading just the bodies of a level file into a world of their own, for the tools and
// benchmarks that step or solve a level without the game around it.
#ifndef TARN_MARBLES_LEVEL_LEVELPHYSICS_H
#define TARN_MARBLES_LEVEL_LEVELPHYSICS_H

#include <memory>
#include <string>

#include "marbles/physics/cphysicsworld.h"

namespace marbles {

// The bodies of the file's first "PhysicsModel", read without warnings into a new world owned
// by the caller; null when the file cannot be read, its root is not "MarblesLevel" or it has
// no physics model.
std::unique_ptr<CPhysicsWorld> LoadLevelPhysics(const std::string& fileName);

}  // namespace marbles

#endif
