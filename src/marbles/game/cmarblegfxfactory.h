// Makes the drawn marble for every body a level load adds to the world, each wired to the
// game logic that takes its clicks and to what every marble reads from here: the mapping to
// the screen and whether the pointer reaches the marbles.
#ifndef TARN_MARBLES_GAME_CMARBLEGFXFACTORY_H
#define TARN_MARBLES_GAME_CMARBLEGFXFACTORY_H

#include "marbles/game/cscreenmapping.h"
#include "marbles/physics/irigidbodylistenerfactory.h"

namespace marbles {

class CMarblesLogic;

class CMarbleGfxFactory : public IRigidBodyListenerFactory {
public:
    // A new CMarbleGfx with this factory's logic, reading the mapping and the input switch
    // from this factory, which must outlive it; the world that asked owns it.
    IRigidBodyListener* CreateListener() override;

    // Not owned; given to every marble made afterwards.
    void SetGameLogic(CMarblesLogic* logic) { myGameLogic = logic; }
    CMarblesLogic* GetGameLogic() const { return myGameLogic; }
    // Read by the marbles each time they move.
    void SetMapping(const CScreenMapping& mapping) { myMapping = mapping; }
    const CScreenMapping& GetMapping() const { return myMapping; }
    // While disabled (the game is paused) every marble ignores the pointer and the buttons.
    void SetInputEnabled(bool enabled) { myInputEnabled = enabled; }
    bool IsInputEnabled() const { return myInputEnabled; }

private:
    CMarblesLogic* myGameLogic = nullptr;
    CScreenMapping myMapping;
    bool myInputEnabled = true;
};

}  // namespace marbles

#endif
