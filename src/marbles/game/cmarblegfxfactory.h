// Makes the drawn marble for every body a level load adds to the world, each wired to the
// game logic that takes its clicks.
#ifndef TARN_MARBLES_GAME_CMARBLEGFXFACTORY_H
#define TARN_MARBLES_GAME_CMARBLEGFXFACTORY_H

#include "marbles/physics/irigidbodylistenerfactory.h"

namespace marbles {

class CMarblesLogic;

class CMarbleGfxFactory : public IRigidBodyListenerFactory {
public:
    // A new CMarbleGfx with this factory's logic; the world that asked owns it.
    IRigidBodyListener* CreateListener() override;

    // Not owned; given to every marble made afterwards.
    void SetGameLogic(CMarblesLogic* logic) { myGameLogic = logic; }
    CMarblesLogic* GetGameLogic() const { return myGameLogic; }

private:
    CMarblesLogic* myGameLogic = nullptr;
};

}  // namespace marbles

#endif
