// Marbles made by hand or loaded into a real world, shared by the rules tests.
#ifndef TESTS_MARBLES_RULES_MARBLESFIXTURES_H
#define TESTS_MARBLES_RULES_MARBLESFIXTURES_H

#include <cstdint>
#include <memory>
#include <vector>

#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/rigidbody.h"
#include "marbles/rules/cmarble.h"
#include "marbles/rules/cmarbleregistry.h"

namespace marblesfixtures {

// A marble that counts how often its highlight was switched.
class CProbeMarble : public marbles::CMarble {
public:
    int myHighlightChanges = 0;

protected:
    void OnHighlightChanged(bool) override { ++myHighlightChanges; }
};

// A circle body's first update: the marble takes its type, joins the registry and moves.
inline std::unique_ptr<CProbeMarble> MakeMarble(std::int32_t type, float x, float y, float radius = 0.5f) {
    auto marble = std::make_unique<CProbeMarble>();
    marble->Update(x, y, 0.0f, radius, radius, marbles::SHAPE_CIRCLE, type);
    return marble;
}

inline void MoveMarble(marbles::CMarble& marble, float x, float y) {
    marble.Update(x, y, 0.0f, marble.GetRadius(), marble.GetRadius(), marbles::SHAPE_CIRCLE, marble.GetType());
}

// The marble following body index of world.
inline marbles::CMarble* MarbleOf(marbles::CPhysicsWorld& world, unsigned index) {
    return static_cast<marbles::CMarble*>(world.GetBody(index).listener);
}

}  // namespace marblesfixtures

#endif
