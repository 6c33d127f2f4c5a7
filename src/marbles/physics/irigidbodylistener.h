// Follows one body of the physics world: told its state after every step and its index.
// The world owns the listeners it holds and deletes them with their bodies.
#ifndef TARN_MARBLES_PHYSICS_IRIGIDBODYLISTENER_H
#define TARN_MARBLES_PHYSICS_IRIGIDBODYLISTENER_H

#include <cstdint>

namespace marbles {

class IRigidBodyListener {
public:
    virtual ~IRigidBodyListener() = default;
    // Called once per body at the end of every step, in body-index order.
    virtual void Update(float positionX, float positionY, float orientation, float extentX,
                        float extentY, std::int32_t shape, std::int32_t color) = 0;
    // The body's current index: right after every Update, and when a removal moves the body.
    virtual void SetIndex(unsigned index) = 0;
};

}  // namespace marbles

#endif
