// A marble as the rules see it: follows its body's updates and joins or leaves the marble
// registry.
#include "marbles/rules/cmarble.h"

#include "marbles/rules/cmarbleregistry.h"
#include "marbles/physics/rigidbody.h"

namespace marbles {

bool IsMarbleBody(const RigidBody& body) { return body.shape == SHAPE_CIRCLE && body.color != -1; }

CMarble::~CMarble() {
    if (myRegistered) CMarbleRegistry::GetSingleton()->Remove(this);
}

void CMarble::Update(float positionX, float positionY, float /*orientation*/, float extentX,
                     float /*extentY*/, std::int32_t shape, std::int32_t color) {
    if (shape == SHAPE_CIRCLE && color != myType) {
        myType = color;
        // Taken here too: a marble whose body rests exactly on the initial position (0, 0)
        // would otherwise keep a radius of 0 and could never join a chain.
        myRadius = extentX;
        OnTypeAssigned();
        if (!myRegistered) {
            CMarbleRegistry::GetSingleton()->Add(this);
            myRegistered = true;
        }
    }
    // The first report places the marble wherever its body is, the origin included.
    if (myPlaced && positionX == myPosition.x && positionY == myPosition.y) return;
    myPlaced = true;
    myPosition = Vector2{positionX, positionY};
    myRadius = extentX;
    OnMoved();
}

void CMarble::SetSelected(bool selected) {
    mySelected = selected;
    SetHighlight(selected);
}

void CMarble::SetHighlight(bool on) {
    if (on == myHighlightShown) return;
    myHighlightShown = on;
    OnHighlightChanged(on);
}

}  // namespace marbles
