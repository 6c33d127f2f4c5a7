// The stored form of bodies: "RigidBody" elements with their attributes and the "Radius",
// "Position" and "Velocity" children, written and read back.
#include <gtest/gtest.h>

#include <string>

#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/rigidbody.h"
#include "physicsscenes.h"
#include "support/testsupport.h"
#include "tarn/utils/xml/cxmlfilesys.h"

using namespace marbles;
using physicsscenes::SameBits;

namespace {

RigidBody ReadBody(const std::string& element) {
    testsupport::WriteFile("body.xml", element);
    RigidBody body;
    tarn::XmlLoad(body, "body.xml");
    return body;
}

}  // namespace

TEST(RigidBodyXml, WritesTheAttributesThenRadiusPositionAndVelocity) {
    testsupport::CTempDir dir;
    CPhysicsWorld world;
    RigidBody b;
    b.shape = SHAPE_BOX;
    b.extent = {2, 0.5f};
    b.position = {1.25f, -3};
    b.previousPosition = {9, 9};
    b.orientation = 0.1f;
    b.velocity = {0, 1e-7f};
    b.angularVelocity = -2;
    b.inverseMass = 0.5f;
    b.inverseMomentOfInertia = 0.123456789f;
    b.staticObject = MOTION_DORMANT;
    b.color = 3;
    b.initId = 17;
    world.AddBody(b);
    world.AddBody(RigidBody());
    ASSERT_TRUE(tarn::XmlSave(world, "model.xml", "PhysicsModel"));
    // The writer lists attributes by name; numbers carry six significant digits.
    EXPECT_EQ(testsupport::ReadFile("model.xml"),
              "<PhysicsModel>\n"
              "  <RigidBody angularVelocity=\"-2\" color=\"3\" initId=\"17\" inverseMass=\"0.5\" "
              "inverseMomentOfInertia=\"0.123457\" orientation=\"0.1\" shape=\"1\" staticObject=\"2\" >\n"
              "    <Radius x=\"2\" y=\"0.5\" >\n"
              "    </Radius>\n"
              "    <Position x=\"1.25\" y=\"-3\" >\n"
              "    </Position>\n"
              "    <Velocity x=\"0\" y=\"1e-07\" >\n"
              "    </Velocity>\n"
              "  </RigidBody>\n"
              "  <RigidBody angularVelocity=\"0\" color=\"0\" initId=\"0\" inverseMass=\"0\" "
              "inverseMomentOfInertia=\"0\" orientation=\"0\" shape=\"0\" staticObject=\"0\" >\n"
              "    <Radius x=\"0\" y=\"0\" >\n"
              "    </Radius>\n"
              "    <Position x=\"0\" y=\"0\" >\n"
              "    </Position>\n"
              "    <Velocity x=\"0\" y=\"0\" >\n"
              "    </Velocity>\n"
              "  </RigidBody>\n"
              "</PhysicsModel>\n");
}

TEST(RigidBodyXml, ReadsEveryFieldAndStartsAtItsPosition) {
    testsupport::CTempDir dir;
    const RigidBody b = ReadBody(
        "<RigidBody shape=\"1\" orientation=\"-0.25\" angularVelocity=\"3.5\" inverseMass=\"0.2\" "
        "inverseMomentOfInertia=\"1.5\" staticObject=\"1\" color=\"9\" initId=\"-4\" >\n"
        "<Radius x=\"4\" y=\"0.75\" />\n"
        "<Position x=\"-12.5\" y=\"6\" />\n"
        "<Velocity x=\"1e-3\" y=\"-2\" />\n"
        "</RigidBody>\n");
    EXPECT_EQ(b.shape, SHAPE_BOX);
    EXPECT_EQ(b.orientation, -0.25f);
    EXPECT_EQ(b.angularVelocity, 3.5f);
    EXPECT_EQ(b.inverseMass, 0.2f);
    EXPECT_EQ(b.inverseMomentOfInertia, 1.5f);
    EXPECT_EQ(b.staticObject, MOTION_STATIC);
    EXPECT_EQ(b.color, 9);
    EXPECT_EQ(b.initId, -4);
    EXPECT_EQ(b.extent.x, 4.0f);
    EXPECT_EQ(b.extent.y, 0.75f);
    EXPECT_EQ(b.position.x, -12.5f);
    EXPECT_EQ(b.position.y, 6.0f);
    EXPECT_EQ(b.previousPosition.x, -12.5f);
    EXPECT_EQ(b.velocity.x, 0.001f);
    EXPECT_EQ(b.velocity.y, -2.0f);
    EXPECT_EQ(b.listener, nullptr);
}

TEST(RigidBodyXml, MissingOrUnreadableValuesLeaveTheirFieldsAtZero) {
    testsupport::CTempDir dir;
    const RigidBody b = ReadBody(
        "<RigidBody shape=\"box\" orientation=\"nan\" inverseMass=\"1e99\" color=\"\" initId=\"7\" >\n"
        "<Position y=\"inf\" x=\"2\" />\n"
        "<Velocity >\n"
        "</Velocity>\n"
        "</RigidBody>\n");
    RigidBody expected;
    expected.initId = 7;
    expected.position = {2, 0};
    expected.previousPosition = {2, 0};
    EXPECT_TRUE(SameBits(b, expected));
}

TEST(RigidBodyXml, WrittenBodiesReadBackUnchanged) {
    testsupport::CTempDir dir;
    CPhysicsWorld written;
    for (int k = 0; k < 5; ++k) {
        RigidBody b = physicsscenes::Box(0.5f * k, -1.25f * k, 1 + k, 0.25f, -0.125f * k, 0.5f,
                                         k % 3);
        b.shape = k % 2;
        b.velocity = {0.75f, -k * 0.5f};
        b.angularVelocity = 0.0625f * k;
        b.inverseMomentOfInertia = 0.75f;  // six significant digits carry it exactly
        b.color = k;
        b.initId = 100 - k;
        b.previousPosition = b.position;
        written.AddBody(b);
    }
    ASSERT_TRUE(tarn::XmlSave(written, "model.xml", "PhysicsModel"));
    CPhysicsWorld read;
    ASSERT_TRUE(tarn::XmlLoad(read, "model.xml"));
    ASSERT_EQ(read.GetBodyCount(), written.GetBodyCount());
    for (unsigned i = 0; i < read.GetBodyCount(); ++i)
        EXPECT_TRUE(SameBits(read.GetBody(i), written.GetBody(i))) << i;
}
