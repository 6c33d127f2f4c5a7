// Makes the drawn marble for every body a level load adds to the world.
#include "marbles/game/cmarblegfxfactory.h"

#include "marbles/game/cmarblegfx.h"

namespace marbles {

IRigidBodyListener* CMarbleGfxFactory::CreateListener() { return new CMarbleGfx(myGameLogic, this); }

}  // namespace marbles
