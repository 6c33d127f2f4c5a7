// The player's selection: clicked marbles of one type that touch one another in a chain; the
// third one removes all three bodies from the level's physics.
#ifndef TARN_MARBLES_RULES_CMARBLESLOGIC_H
#define TARN_MARBLES_RULES_CMARBLESLOGIC_H

#include <cstdint>
#include <vector>

#include "marbles/rules/imarbleregistrylistener.h"

namespace marbles {

class CMarble;
class CPhysicsTask;

class CMarblesLogic : public IMarbleRegistryListener {
public:
    // Listens to the marble registry, so a selected marble destroyed by other means (a level
    // load) leaves the selection instead of staying behind as a dangling pointer.
    CMarblesLogic();
    ~CMarblesLogic() override;
    CMarblesLogic(const CMarblesLogic&) = delete;
    CMarblesLogic& operator=(const CMarblesLogic&) = delete;

    // The level's physics (not owned), where the bodies of a completed group are removed.
    void SetPhysics(CPhysicsTask* physics) { myPhysics = physics; }
    CPhysicsTask* GetPhysics() const { return myPhysics; }

    // The player pressed the left button on marble. Extends the selection when marble may join
    // it, deselects it when it is selected, and otherwise starts a new selection with it. When
    // the selection reaches three, their bodies are removed, which destroys the three marbles
    // (marble included): the caller must not touch marble afterwards. A null marble or missing
    // physics is a broken invariant: asserted, and the click is ignored.
    void OnMarbleClicked(CMarble* marble);
    // True when marble may join the selection: the selection is empty, or marble has the
    // selected type and lies within 2.5 radii of a selected marble (a selected marble always).
    bool CanSelect(const CMarble* marble) const;
    // Empties the selection; highlights, selected flags and the selected type stay.
    void ClearSelection() { mySelection.clear(); }

    std::int32_t GetSelectedType() const { return mySelectedType; }
    const std::vector<CMarble*>& GetSelection() const { return mySelection; }

    void OnMarbleRemoved(CMarble* marble) override;

private:
    void ToggleSelection(CMarble* marble);
    void DropSelection();
    void RemoveSelectedBodies();

    CPhysicsTask* myPhysics = nullptr;
    std::int32_t mySelectedType = -1;
    std::vector<CMarble*> mySelection;
};

}  // namespace marbles

#endif
