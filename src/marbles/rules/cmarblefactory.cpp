// Makes a plain marble for every body a level load adds to the world.
#include "marbles/rules/cmarblefactory.h"

#include "marbles/rules/cmarble.h"

namespace marbles {

IRigidBodyListener* CMarbleFactory::CreateListener() { return new CMarble(); }

}  // namespace marbles
