// The rigid-body world of a level: circles and oriented boxes under gravity, stepped in a fixed
// order (forces, contact detection, impulses, integration, listener notification).
#ifndef TARN_MARBLES_PHYSICS_CPHYSICSWORLD_H
#define TARN_MARBLES_PHYSICS_CPHYSICSWORLD_H

#include <cstdint>
#include <memory>
#include <vector>

#include "marbles/physics/cbroadphase.h"
#include "marbles/physics/collision.h"
#include "marbles/physics/contact.h"
#include "marbles/physics/rigidbody.h"

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

class IRigidBodyListenerFactory;

class CPhysicsWorld {
public:
    // Contacts one step can hold; later contacts of that step are dropped.
    static constexpr unsigned CONTACT_CAPACITY = 200000;
    // Contact visits one step's impulse passes may make.
    static constexpr unsigned VISIT_LIMIT = 200000;
    // Pair tests the broad phase's exact fallback may make in one step (all pairs of about
    // 6,000 bodies); beyond it the step goes on without the rest, and says so.
    static constexpr std::uint64_t FALLBACK_PAIR_BUDGET = 20000000;

    // How a step finds the pairs it tests. Both find the same contacts in the same order;
    // testing all pairs is quadratic and only kept to check the broad phase against. The
    // broad phase itself tests the remaining pairs one by one once its grid's work budget is
    // spent (bodies heaped on one spot), rather than miss any.
    enum EDetection { DETECT_BROAD_PHASE, DETECT_ALL_PAIRS };

    // Allocates the contact array once, for the life of the world.
    CPhysicsWorld();
    // Deletes the listeners of the bodies still present.
    ~CPhysicsWorld();
    CPhysicsWorld(const CPhysicsWorld&) = delete;
    CPhysicsWorld& operator=(const CPhysicsWorld&) = delete;

    // Not owned; null asks for no listeners.
    void SetListenerFactory(IRigidBodyListenerFactory* factory) { myListenerFactory = factory; }
    IRigidBodyListenerFactory* GetListenerFactory() const { return myListenerFactory; }

    void SetDetection(EDetection detection) { myDetection = detection; }
    EDetection GetDetection() const { return myDetection; }

    // Advances the world by dt seconds, at most 0.05; a negative or NaN dt counts as 0.
    // Bodies with a non-finite number stay frozen and touch nothing; impulses or moves that
    // would make a number non-finite are not applied. Not to be called from a listener. A
    // sleeping world does nothing at all.
    void Step(float dt);

    // A sleeping world keeps every body where it is, unmoved and unheard, until it is woken:
    // by SetAsleep(false), or by adding or removing a body. Changes made through GetBody do
    // not wake it.
    void SetAsleep(bool asleep) { myAsleep = asleep; }
    bool IsAsleep() const { return myAsleep; }

    // Appends a copy of body with a listener from the factory (or none); the copy's listener
    // field is replaced. Returns the new body's index.
    unsigned AddBody(const RigidBody& body);
    // Deletes the body's listener and moves the last body into its slot, telling that body's
    // listener its new index. Ignored for an index out of range.
    void RemoveBody(unsigned index);
    // Deletes every listener and empties the world.
    void RemoveAllBodies();

    unsigned GetBodyCount() const { return static_cast<unsigned>(myBodies.size()); }
    // Precondition: index < GetBodyCount(). Stays valid until the body count changes.
    RigidBody& GetBody(unsigned index);
    const RigidBody& GetBody(unsigned index) const;

    // True when the mean squared speed of the bodies is below 1 (a world without bodies rests).
    // Bodies whose velocity is not finite are left out: they never move.
    bool IsAtRest() const;
    // One log line per body: its index, a tab, its initId.
    void DumpBodies() const;

    // The physics model: the body list as the "RigidBody" children of the context's node, in
    // index order (other children are ignored). Reading first deletes every listener and
    // empties the world, then appends each body read with a listener from the factory.
    void Serialize(tarn::CXmlFileSys* filesys);

    // The detection and resolution phases of Step on their own, for timing and for tests.
    void DetectContacts();
    void ResolveContacts();
    // The contacts of the last detection. Their body pointers are valid until the body count
    // changes.
    unsigned GetContactCount() const { return myContactCount; }
    // Contact visits made by the last resolution.
    unsigned GetVisitCount() const { return myVisitCount; }
    // Whether the last step left pairs untested (bodies heaped beyond every budget); the
    // first such step of the world writes a warning to the log.
    bool IsDetectionCut() const { return myDetectionCut; }
    const Contact& GetContact(unsigned index) const;

private:
    void GrowWorkAreas();
    void ClassifyBodies();
    void ApplyForces(float dt);
    void Detect();
    void DetectAllPairs();
    // Tests body first and every later body against all bodies after it, while the pairs of
    // a body fit in budget; false when the budget stopped it.
    bool DetectAllPairsFrom(unsigned first, std::uint64_t budget);
    void ReportCutDetection(unsigned first);
    void DetectBroadPhase();
    void TestPair(unsigned i, unsigned j);
    void AddContacts(RigidBody& a, RigidBody& b, const ContactPoints& points);
    bool ResolveContact(const Contact& contact);
    void Integrate(float dt);
    void Notify();

    IRigidBodyListenerFactory* myListenerFactory = nullptr;
    std::vector<RigidBody> myBodies;
    std::unique_ptr<Contact[]> myContacts;
    unsigned myContactCount = 0;
    unsigned myVisitCount = 0;
    EDetection myDetection = DETECT_BROAD_PHASE;
    // While the listeners hear a step: they must not add, remove or step bodies then.
    bool myNotifying = false;
    bool myAsleep = false;
    // The last step's detection was cut short; the log has said so once for this world.
    bool myDetectionCut = false;
    bool myCutReported = false;
    // Per-body work areas of a step, grown when bodies are added.
    std::vector<Vector2> myAxes;
    // 1 for a body whose numbers are all finite: only those feel forces and move.
    std::vector<std::uint8_t> myMoves;
    // 1 for a moving circle or box of non-negative size: only those touch anything.
    std::vector<std::uint8_t> mySolid;
    CBroadPhase myBroadPhase;
};

}  // namespace marbles

#endif
