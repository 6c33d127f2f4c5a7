// The rigid-body world of a level: circles and oriented boxes under gravity, stepped in a fixed
// order (forces, contact detection, impulses, integration, listener notification).
#include "marbles/physics/cphysicsworld.h"

#include <cmath>
#include <cstdint>

#include "marbles/physics/irigidbodylistener.h"
#include "marbles/physics/irigidbodylistenerfactory.h"
#include "tarn/utils/logger/cassert.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace marbles {

namespace {

const float MAX_STEP = 0.05f;
const float GRAVITY = 9.83f;
const float DAMPING = 0.99f;
const float RESTITUTION = 1.0f;
// Every applied impulse vector is scaled by this first, so the second body of a contact
// receives the square of it.
const float IMPULSE_SCALE = 0.9f;

bool Finite(float value) { return std::isfinite(value); }
bool Finite(Vector2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

bool IsKnownShape(std::int32_t shape) { return shape == SHAPE_CIRCLE || shape == SHAPE_BOX; }

// Whether every number the step reads from the body is finite.
bool HasFiniteState(const RigidBody& b) {
    const bool extent = b.shape == SHAPE_BOX ? Finite(b.extent) : Finite(b.extent.x);
    return extent && Finite(b.position) && Finite(b.velocity) && Finite(b.orientation) &&
           Finite(b.angularVelocity) && Finite(b.inverseMass) && Finite(b.inverseMomentOfInertia);
}

bool HasSize(const RigidBody& b) {
    if (b.shape == SHAPE_BOX) return b.extent.x >= 0.0f && b.extent.y >= 0.0f;
    return b.extent.x >= 0.0f;
}

// Velocity of the body's material at point p.
Vector2 VelocityAt(const RigidBody& b, Vector2 p) {
    const Vector2 r = p - b.position;
    return Vector2{b.velocity.x - b.angularVelocity * r.y, b.velocity.y + b.angularVelocity * r.x};
}

// The motion of one body after an impulse, held back until both bodies' results are known.
struct Kick {
    Vector2 velocity;
    float angularVelocity;
};

// Scales impulse by the impulse scale (the caller's vector changes) and returns the motion of
// body b after receiving it at the point p - b.position = r.
Kick Receive(const RigidBody& b, Vector2& impulse, Vector2 r) {
    impulse = IMPULSE_SCALE * impulse;
    Kick kick;
    kick.velocity = b.velocity + b.inverseMass * impulse;
    kick.angularVelocity =
        b.angularVelocity + b.inverseMomentOfInertia * (r.x * impulse.y - r.y * impulse.x);
    return kick;
}

void Apply(RigidBody& b, const Kick& kick) {
    if (b.staticObject == MOTION_DORMANT) b.staticObject = MOTION_DYNAMIC;
    b.velocity = kick.velocity;
    b.angularVelocity = kick.angularVelocity;
}

}  // namespace

CPhysicsWorld::CPhysicsWorld() : myContacts(new Contact[CONTACT_CAPACITY]) {}

CPhysicsWorld::~CPhysicsWorld() { RemoveAllBodies(); }

unsigned CPhysicsWorld::AddBody(const RigidBody& body) {
    cassert(!myNotifying);
    myAsleep = false;
    myBodies.push_back(body);
    myBodies.back().listener = myListenerFactory ? myListenerFactory->CreateListener() : nullptr;
    GrowWorkAreas();
    return static_cast<unsigned>(myBodies.size() - 1);
}

void CPhysicsWorld::RemoveBody(unsigned index) {
    cassert(!myNotifying) cvalue(index);
    if (index >= myBodies.size()) return;
    myAsleep = false;
    IRigidBodyListener* listener = myBodies[index].listener;
    myBodies[index].listener = nullptr;
    delete listener;
    myBodies[index] = myBodies.back();
    myBodies.pop_back();
    myContactCount = 0;
    if (index < myBodies.size() && myBodies[index].listener)
        myBodies[index].listener->SetIndex(index);
}

void CPhysicsWorld::RemoveAllBodies() {
    cassert(!myNotifying);
    myAsleep = false;
    for (RigidBody& body : myBodies) {
        IRigidBodyListener* listener = body.listener;
        body.listener = nullptr;
        delete listener;
    }
    myBodies.clear();
    myContactCount = 0;
}

RigidBody& CPhysicsWorld::GetBody(unsigned index) {
    cassert(index < myBodies.size()) cvalue(index);
    return myBodies[index];
}

const RigidBody& CPhysicsWorld::GetBody(unsigned index) const {
    cassert(index < myBodies.size()) cvalue(index);
    return myBodies[index];
}

const Contact& CPhysicsWorld::GetContact(unsigned index) const {
    cassert(index < myContactCount) cvalue(index);
    return myContacts[index];
}

bool CPhysicsWorld::IsAtRest() const {
    double sum = 0.0;
    std::size_t counted = 0;
    for (const RigidBody& body : myBodies) {
        if (!Finite(body.velocity)) continue;
        const double x = body.velocity.x;
        const double y = body.velocity.y;
        sum += x * x + y * y;
        ++counted;
    }
    if (counted == 0) return true;
    return sum / static_cast<double>(counted) < 1.0;
}

void CPhysicsWorld::DumpBodies() const {
    tarn::CLogger& log = *tarn::CLogger::GetSingleton();
    for (std::size_t i = 0; i < myBodies.size(); ++i) log << i << "\t" << myBodies[i].initId << "\n";
}

void CPhysicsWorld::Serialize(tarn::CXmlFileSys* filesys) {
    if (filesys->IsWriting()) {
        TARN_XML_HERE(filesys);
        for (const RigidBody& body : myBodies) filesys->Write(body, "RigidBody");
        return;
    }
    RemoveAllBodies();
    const tarn::CXmlNode* model = filesys->GetNode();
    if (!model) return;
    for (int k = 0; k < model->GetChildCount(); ++k) {
        tarn::CXmlNode* child = model->GetChild(k);
        if (child->GetName() != "RigidBody") continue;
        RigidBody body;
        tarn::CXmlFileSys reader(child, tarn::CXmlFileSys::MODE_READ);
        marbles::Serialize(body, &reader);
        AddBody(body);
    }
}

void CPhysicsWorld::Step(float dt) {
    cassert(!myNotifying);
    if (myAsleep) return;
    if (!(dt >= 0.0f)) dt = 0.0f;
    if (dt > MAX_STEP) dt = MAX_STEP;
    ClassifyBodies();
    ApplyForces(dt);
    Detect();
    ResolveContacts();
    Integrate(dt);
    Notify();
}

void CPhysicsWorld::DetectContacts() {
    ClassifyBodies();
    Detect();
}

void CPhysicsWorld::GrowWorkAreas() {
    const std::size_t count = myBodies.size();
    if (myAxes.size() >= count) return;
    const std::size_t room = count + count / 2;
    myAxes.resize(room);
    myMoves.resize(room);
    mySolid.resize(room);
    myBroadPhase.Reserve(room);
}

void CPhysicsWorld::ClassifyBodies() {
    GrowWorkAreas();
    for (std::size_t i = 0; i < myBodies.size(); ++i) {
        const RigidBody& body = myBodies[i];
        const bool moves = HasFiniteState(body);
        myMoves[i] = moves;
        mySolid[i] = moves && IsKnownShape(body.shape) && HasSize(body);
        if (body.shape == SHAPE_BOX) myAxes[i] = OrientationAxis(body.orientation);
    }
}

void CPhysicsWorld::ApplyForces(float dt) {
    for (std::size_t i = 0; i < myBodies.size(); ++i) {
        RigidBody& body = myBodies[i];
        if (body.staticObject != MOTION_DYNAMIC || !myMoves[i]) continue;
        body.velocity.y += dt * GRAVITY;
        body.velocity.x *= DAMPING;
        body.velocity.y *= DAMPING;
    }
}

void CPhysicsWorld::Detect() {
    myContactCount = 0;
    myDetectionCut = false;
    if (myDetection == DETECT_ALL_PAIRS) {
        DetectAllPairs();
    } else {
        DetectBroadPhase();
    }
}

void CPhysicsWorld::DetectAllPairs() { DetectAllPairsFrom(0, UINT64_MAX); }

bool CPhysicsWorld::DetectAllPairsFrom(unsigned first, std::uint64_t budget) {
    const unsigned count = GetBodyCount();
    for (unsigned i = first; i < count && myContactCount < CONTACT_CAPACITY; ++i) {
        const std::uint64_t pairs = count - i - 1;
        if (pairs > budget) return false;
        budget -= pairs;
        for (unsigned j = i + 1; j < count && myContactCount < CONTACT_CAPACITY; ++j) TestPair(i, j);
    }
    return true;
}

void CPhysicsWorld::ReportCutDetection(unsigned first) {
    myDetectionCut = true;
    if (myCutReported) return;
    myCutReported = true;
    tarn::CLogger::GetSingleton()->Warning()
        << "Physics: too many bodies heaped together; contacts of bodies from " << first
        << " on were not searched (reported once)\n";
}

void CPhysicsWorld::DetectBroadPhase() {
    const unsigned count = GetBodyCount();
    myBroadPhase.Build(myBodies.data(), myAxes.data(), mySolid.data(), count);
    for (unsigned i = 0; i < count && myContactCount < CONTACT_CAPACITY; ++i) {
        // Out of the grid's budget (bodies heaped in a few cells): the bodies from i on are
        // tested pair by pair, which finds the same contacts in the same order.
        if (!myBroadPhase.Query(i)) {
            if (!DetectAllPairsFrom(i, FALLBACK_PAIR_BUDGET)) ReportCutDetection(i);
            return;
        }
        const std::uint32_t* candidates = myBroadPhase.GetCandidates();
        const std::size_t found = myBroadPhase.GetCandidateCount();
        for (std::size_t k = 0; k < found && myContactCount < CONTACT_CAPACITY; ++k)
            TestPair(i, candidates[k]);
    }
}

void CPhysicsWorld::TestPair(unsigned i, unsigned j) {
    RigidBody& a = myBodies[i];
    RigidBody& b = myBodies[j];
    if (a.staticObject == MOTION_STATIC && b.staticObject == MOTION_STATIC) return;
    if (!mySolid[i] || !mySolid[j]) return;
    ContactPoints points;
    if (a.shape == SHAPE_CIRCLE) {
        if (b.shape == SHAPE_CIRCLE) {
            if (CircleCircle(a, b, points)) AddContacts(a, b, points);
        } else if (CircleBox(a, b, myAxes[j], points)) {
            AddContacts(a, b, points);
        }
    } else if (b.shape == SHAPE_CIRCLE) {
        if (CircleBox(b, a, myAxes[i], points)) AddContacts(b, a, points);
    } else if (BoxBox(a, myAxes[i], b, myAxes[j], points)) {
        AddContacts(a, b, points);
    }
}

void CPhysicsWorld::AddContacts(RigidBody& a, RigidBody& b, const ContactPoints& points) {
    for (int p = 0; p < points.count && myContactCount < CONTACT_CAPACITY; ++p) {
        Contact& c = myContacts[myContactCount++];
        c.bodyA = &a;
        c.bodyB = &b;
        c.pointA = points.pointA[p];
        c.pointB = points.pointB[p];
        c.normal = points.normal;
        c.point = Vector2{0.5f * c.pointA.x + 0.5f * c.pointB.x, 0.5f * c.pointA.y + 0.5f * c.pointB.y};
    }
}

void CPhysicsWorld::ResolveContacts() {
    unsigned visits = 0;
    bool applied = true;
    while (applied && visits < VISIT_LIMIT) {
        applied = false;
        for (unsigned k = 0; k < myContactCount && visits < VISIT_LIMIT; ++k) {
            ++visits;
            if (ResolveContact(myContacts[k])) applied = true;
        }
    }
    myVisitCount = visits;
}

bool CPhysicsWorld::ResolveContact(const Contact& contact) {
    RigidBody& a = *contact.bodyA;
    RigidBody& b = *contact.bodyB;
    const Vector2 n = contact.normal;
    const float approach = Dot(VelocityAt(a, contact.point) - VelocityAt(b, contact.point), n);
    if (!(approach < 0.0f)) return false;

    const Vector2 ra = contact.point - a.position;
    const Vector2 rb = contact.point - b.position;
    const float ca = ra.x * n.y - ra.y * n.x;
    const float cb = rb.x * n.y - rb.y * n.x;
    const float resistance = a.inverseMass + b.inverseMass + ca * ca * a.inverseMomentOfInertia +
                             cb * cb * b.inverseMomentOfInertia;
    const float j = -(1.0f + RESTITUTION) * approach / resistance;
    Vector2 impulse = j * n;
    const Kick kickA = Receive(a, impulse, ra);
    impulse = -impulse;
    const Kick kickB = Receive(b, impulse, rb);
    // An impulse that would leave a non-finite motion (massless pairs, overflow) is not applied,
    // so one broken body cannot spread NaN or infinity to its neighbours.
    if (!Finite(kickA.velocity) || !Finite(kickA.angularVelocity) || !Finite(kickB.velocity) ||
        !Finite(kickB.angularVelocity))
        return false;
    Apply(a, kickA);
    Apply(b, kickB);
    return true;
}

void CPhysicsWorld::Integrate(float dt) {
    for (std::size_t i = 0; i < myBodies.size(); ++i) {
        RigidBody& body = myBodies[i];
        if (body.staticObject == MOTION_STATIC || !myMoves[i]) continue;
        body.previousPosition = body.position;
        const Vector2 position = body.position + dt * body.velocity;
        const float orientation = body.orientation + dt * body.angularVelocity;
        // A move that overflows leaves the body where it is, so finite bodies stay finite.
        if (!Finite(position) || !Finite(orientation)) continue;
        body.position = position;
        body.orientation = orientation;
    }
}

void CPhysicsWorld::Notify() {
    myNotifying = true;
    for (std::size_t i = 0; i < myBodies.size(); ++i) {
        const RigidBody& body = myBodies[i];
        if (!body.listener) continue;
        body.listener->Update(body.position.x, body.position.y, body.orientation, body.extent.x,
                              body.extent.y, body.shape, body.color);
        body.listener->SetIndex(static_cast<unsigned>(i));
    }
    myNotifying = false;
}

}  // namespace marbles
