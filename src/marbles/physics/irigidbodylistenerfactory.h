// Makes the listener of each body that a physics model load adds to the world.
#ifndef TARN_MARBLES_PHYSICS_IRIGIDBODYLISTENERFACTORY_H
#define TARN_MARBLES_PHYSICS_IRIGIDBODYLISTENERFACTORY_H

namespace marbles {

class IRigidBodyListener;

class IRigidBodyListenerFactory {
public:
    virtual ~IRigidBodyListenerFactory() = default;
    // A new listener whose ownership passes to the caller (the world), or null for none.
    virtual IRigidBodyListener* CreateListener() = 0;
};

}  // namespace marbles

#endif
