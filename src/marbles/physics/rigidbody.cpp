// One body of the physics world: its stored form, a "RigidBody" element of a physics model.
#include "marbles/physics/rigidbody.h"

#include "tarn/utils/xml/cxmlfilesys.h"

namespace marbles {

namespace {

void ReadAttributes(RigidBody& body, tarn::CXmlFileSys* filesys) {
    filesys->ReadAttribute("shape", body.shape);
    filesys->ReadAttribute("orientation", body.orientation);
    filesys->ReadAttribute("angularVelocity", body.angularVelocity);
    filesys->ReadAttribute("inverseMass", body.inverseMass);
    filesys->ReadAttribute("inverseMomentOfInertia", body.inverseMomentOfInertia);
    filesys->ReadAttribute("staticObject", body.staticObject);
    filesys->ReadAttribute("color", body.color);
    filesys->ReadAttribute("initId", body.initId);
}

void WriteAttributes(const RigidBody& body, tarn::CXmlFileSys* filesys) {
    filesys->AddAttribute("shape", body.shape);
    filesys->AddAttribute("orientation", body.orientation);
    filesys->AddAttribute("angularVelocity", body.angularVelocity);
    filesys->AddAttribute("inverseMass", body.inverseMass);
    filesys->AddAttribute("inverseMomentOfInertia", body.inverseMomentOfInertia);
    filesys->AddAttribute("staticObject", body.staticObject);
    filesys->AddAttribute("color", body.color);
    filesys->AddAttribute("initId", body.initId);
}

}  // namespace

void Serialize(RigidBody& body, tarn::CXmlFileSys* filesys) {
    TARN_XML_HERE(filesys);
    if (filesys->IsReading()) {
        ReadAttributes(body, filesys);
    } else {
        WriteAttributes(body, filesys);
    }
    TARN_SERIALIZE(filesys, body.extent, "Radius");
    TARN_SERIALIZE(filesys, body.position, "Position");
    TARN_SERIALIZE(filesys, body.velocity, "Velocity");
    if (filesys->IsReading()) body.previousPosition = body.position;
}

}  // namespace marbles
