// The game's handle on its physics world: owns one world for its whole life and forwards the
// operations the game needs. The marbles task derives from it.
#ifndef TARN_MARBLES_PHYSICS_CPHYSICSTASK_H
#define TARN_MARBLES_PHYSICS_CPHYSICSTASK_H

#include <memory>

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

class CPhysicsWorld;
class IRigidBodyListenerFactory;

class CPhysicsTask {
public:
    // Creates the world (about 10 MB, allocated once).
    CPhysicsTask();
    // Destroys the world, which deletes the listeners of its bodies.
    virtual ~CPhysicsTask();
    CPhysicsTask(const CPhysicsTask&) = delete;
    CPhysicsTask& operator=(const CPhysicsTask&) = delete;

    // Not owned; asked for one listener per body loaded afterwards.
    void SetListenerFactory(IRigidBodyListenerFactory* factory);
    // Advances the world by the given milliseconds (at most 50 count).
    void Step(unsigned milliseconds);
    // Removes a body; the last body takes its index. Out-of-range indices are ignored.
    void RemoveBody(unsigned index);
    // Logs one line per body: index, a tab, initId.
    void DumpBodies() const;
    // True when the bodies' mean squared speed is below 1. Computed once after each change
    // made through this task (step, removal, loading) and remembered until the next one.
    bool IsAtRest() const;
    // Reads the world's bodies from, or writes them to, the context's node (a physics model).
    void SerializePhysicsModel(tarn::CXmlFileSys* filesys);

    // The world; never null during the life of the task.
    CPhysicsWorld* GetWorld() { return myWorld.get(); }
    const CPhysicsWorld* GetWorld() const { return myWorld.get(); }

private:
    std::unique_ptr<CPhysicsWorld> myWorld;
    mutable bool myRestKnown = false;
    mutable bool myAtRest = true;
};

}  // namespace marbles

#endif
