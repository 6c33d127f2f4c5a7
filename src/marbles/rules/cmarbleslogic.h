// The player's selection: clicked marbles of one type that touch one another in a chain; the
// third one queues all three bodies for removal from the level's physics.
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
    // the selection reaches three, the three are queued for removal and the selection empties;
    // nothing is destroyed during the call. A click on a queued marble is ignored. A null
    // marble or missing physics is a broken invariant: asserted, and the click is ignored.
    void OnMarbleClicked(CMarble* marble);
    // Removes the bodies of the queued marbles, in the order they were selected, which destroys
    // those marbles. The game calls it at its next update, outside any mouse dispatch.
    void ApplyPendingRemovals();
    bool HasPendingRemovals() const { return !myPendingRemovals.empty(); }
    // True when marble may join the selection: the selection is empty, or marble has the
    // selected type and lies within 2.5 radii of a selected marble (a selected marble always).
    bool CanSelect(const CMarble* marble) const;
    // Empties the selection and the removal queue; highlights, selected flags and the selected
    // type stay.
    void ClearSelection();

    std::int32_t GetSelectedType() const { return mySelectedType; }
    const std::vector<CMarble*>& GetSelection() const { return mySelection; }

    void OnMarbleRemoved(CMarble* marble) override;

private:
    void ToggleSelection(CMarble* marble);
    void DropSelection();
    bool IsPendingRemoval(const CMarble* marble) const;
    void RemoveBodyOf(CMarble* marble);

    CPhysicsTask* myPhysics = nullptr;
    std::int32_t mySelectedType = -1;
    std::vector<CMarble*> mySelection;
    // Completed chains waiting for ApplyPendingRemovals, in selection order.
    std::vector<CMarble*> myPendingRemovals;
};

}  // namespace marbles

#endif
