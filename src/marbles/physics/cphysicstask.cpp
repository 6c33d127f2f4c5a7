// The game's handle on its physics world: owns one world for its whole life and forwards the
// operations the game needs.
#include "marbles/physics/cphysicstask.h"

#include "marbles/physics/cphysicsworld.h"

namespace marbles {

CPhysicsTask::CPhysicsTask() : myWorld(new CPhysicsWorld()) {}

CPhysicsTask::~CPhysicsTask() = default;

void CPhysicsTask::SetListenerFactory(IRigidBodyListenerFactory* factory) {
    if (myWorld) myWorld->SetListenerFactory(factory);
}

void CPhysicsTask::Step(unsigned milliseconds) {
    myRestKnown = false;
    if (myWorld) myWorld->Step(static_cast<float>(milliseconds) / 1000.0f);
}

void CPhysicsTask::RemoveBody(unsigned index) {
    myRestKnown = false;
    if (myWorld) myWorld->RemoveBody(index);
}

void CPhysicsTask::DumpBodies() const {
    if (myWorld) myWorld->DumpBodies();
}

void CPhysicsTask::SerializePhysicsModel(tarn::CXmlFileSys* filesys) {
    myRestKnown = false;
    if (myWorld && filesys) myWorld->Serialize(filesys);
}

bool CPhysicsTask::IsAtRest() const {
    if (!myRestKnown) {
        myAtRest = !myWorld || myWorld->IsAtRest();
        myRestKnown = true;
    }
    return myAtRest;
}

}  // namespace marbles
