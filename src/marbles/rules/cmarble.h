// A marble as the rules see it: the companion of one body of the physics world, with the type,
// place and size of its last update, its index, and its selection and highlight state.
#ifndef TARN_MARBLES_RULES_CMARBLE_H
#define TARN_MARBLES_RULES_CMARBLE_H

#include <cstdint>

#include "marbles/physics/irigidbodylistener.h"
#include "marbles/physics/vector2.h"

namespace marbles {

struct RigidBody;

// Whether the game makes a marble of body: a circle whose type is not -1 (the type a marble
// starts with, so such a circle never takes one).
bool IsMarbleBody(const RigidBody& body);

// Made for every body by the world's listener factory; the world owns and deletes it. A circle
// body whose color is not -1 turns it into a live marble at its first update: it then joins the
// marble registry, and leaves it when destroyed. Derived classes (the drawn marble) add what
// shows on screen through the three hooks; they never change what the rules read.
class CMarble : public IRigidBodyListener {
public:
    CMarble() = default;
    // Leaves the marble registry if it joined it.
    ~CMarble() override;
    CMarble(const CMarble&) = delete;
    CMarble& operator=(const CMarble&) = delete;

    // From the physics step: takes the type and radius at the first update of a circle body
    // (and joins the registry), then follows the body's position and radius. An unchanged
    // position changes nothing else (OnMoved is not called).
    void Update(float positionX, float positionY, float orientation, float extentX, float extentY,
                std::int32_t shape, std::int32_t color) override;
    void SetIndex(unsigned index) override { myIndex = index; }

    // Sets the selected flag and shows or hides the highlight with it.
    void SetSelected(bool selected);
    // Shows or hides the highlight; asking for the state it already has does nothing.
    void SetHighlight(bool on);

    // -1 until a circle body's first update gives the marble its type.
    std::int32_t GetType() const { return myType; }
    Vector2 GetPosition() const { return myPosition; }
    float GetRadius() const { return myRadius; }
    unsigned GetIndex() const { return myIndex; }
    bool IsSelected() const { return mySelected; }
    bool IsHighlightShown() const { return myHighlightShown; }
    bool IsRegistered() const { return myRegistered; }

protected:
    // The marble just took its type; called once, before it joins the registry.
    virtual void OnTypeAssigned() {}
    // Position and radius just changed (world units).
    virtual void OnMoved() {}
    // The highlight was just switched on or off.
    virtual void OnHighlightChanged(bool /*on*/) {}

private:
    unsigned myIndex = 0;
    std::int32_t myType = -1;
    Vector2 myPosition;
    float myRadius = 0.0f;
    bool mySelected = false;
    bool myHighlightShown = false;
    bool myRegistered = false;
    // Whether an update has placed the marble yet.
    bool myPlaced = false;
};

}  // namespace marbles

#endif
