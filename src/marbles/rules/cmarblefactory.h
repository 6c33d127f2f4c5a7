// Makes a plain marble for every body a level load adds to the world: the rules without any
// drawing, for tools, tests and a game that shows nothing.
#ifndef TARN_MARBLES_RULES_CMARBLEFACTORY_H
#define TARN_MARBLES_RULES_CMARBLEFACTORY_H

#include "marbles/physics/irigidbodylistenerfactory.h"

namespace marbles {

class CMarbleFactory : public IRigidBodyListenerFactory {
public:
    // A new CMarble; the world that asked owns it.
    IRigidBodyListener* CreateListener() override;
};

}  // namespace marbles

#endif
