// Level files: the physics model into the world, the screen's pictures with their defaults,
// the marble sprite table (first definition of a type wins), and bad files that load nothing.
#include <gtest/gtest.h>

#include "marbles/level/clevelfile.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/physicsscenes.h"
#include "marbles/rules/cmarblefactory.h"
#include "marbles/rules/cmarbleregistry.h"
#include "support/testsupport.h"

using namespace marbles;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

const std::string FIRST_LEVEL = std::string(MARBLES_SOURCE_DIR) + "/tests/marbles/data/pilelevel.xml";

class LevelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        CMarbleSpriteTable::GetSingleton()->Clear();
        myPhysics.SetListenerFactory(&myFactory);
    }
    void TearDown() override {
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::ResetEngine();
    }
    unsigned Bodies() { return myPhysics.GetWorld()->GetBodyCount(); }

    testsupport::CTempDir myDir;
    CMarbleFactory myFactory;
    CPhysicsTask myPhysics;
    CLevelFile myLevel{&myPhysics};
};

const char* const TWO_BODIES =
    "<MarblesLevel>\n"
    "  <PhysicsModel>\n"
    "    <RigidBody shape='1' staticObject='1' color='-1' initId='1'>\n"
    "      <Radius x='5' y='1'/><Position x='0' y='3'/><Velocity x='0' y='0'/>\n"
    "    </RigidBody>\n"
    "    <RigidBody shape='0' inverseMass='1' inverseMomentOfInertia='8' color='2' initId='2'>\n"
    "      <Radius x='0.5' y='0.5'/><Position x='0' y='1.5'/><Velocity x='0' y='0'/>\n"
    "    </RigidBody>\n"
    "  </PhysicsModel>\n"
    "</MarblesLevel>\n";

// The least a level needs besides its pictures: one marble.
const std::string ONE_MARBLE =
    "<PhysicsModel><RigidBody shape='0' color='0'><Radius x='0.5' y='0.5'/></RigidBody></PhysicsModel>";

std::string Marble(const std::string& attributes, const std::string& radius, const std::string& position) {
    return "<RigidBody shape='0' color='0' " + attributes + "><Radius x='" + radius + "' y='" + radius +
           "'/><Position " + position + "/></RigidBody>";
}

}  // namespace

TEST_F(LevelFileTest, TheFirstLevelLoadsIntoThePhysicsAndTheSpriteTable) {
    ASSERT_TRUE(myLevel.Load(FIRST_LEVEL));
    EXPECT_EQ(Bodies(), 22u);
    ASSERT_TRUE(myLevel.HasGraphics());
    EXPECT_EQ(myLevel.GetGraphics().myBackgroundImage, "data/gfx/background.jpg");
    EXPECT_EQ(myLevel.GetGraphics().myAnimation1Image, "");
    EXPECT_EQ(CMarbleSpriteTable::GetSingleton()->GetSpriteFile(1), "data/gfx/marble_green.xml");
    EXPECT_EQ(CMarbleSpriteTable::GetSingleton()->GetSpriteFile(3), "");
    // Marbles join the registry at the first step after loading.
    EXPECT_TRUE(CMarbleRegistry::GetSingleton()->IsEmpty());
    myPhysics.Step(50);
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 18u);
    // The next load replaces every body, and with them the marbles.
    WriteFile("two.xml", TWO_BODIES);
    ASSERT_TRUE(myLevel.Load("two.xml"));
    EXPECT_EQ(Bodies(), 2u);
    EXPECT_TRUE(CMarbleRegistry::GetSingleton()->IsEmpty());
    EXPECT_FALSE(myLevel.HasGraphics());
}

TEST_F(LevelFileTest, GraphicsTakeDefaultsForAbsentAttributes) {
    WriteFile("level.xml", "<MarblesLevel><Graphics animation2_image='spin.xml' level_failed_image='lost.png'/>" +
                               ONE_MARBLE + "</MarblesLevel>");
    ASSERT_TRUE(myLevel.Load("level.xml"));
    const CLevelFile::CGraphics& graphics = myLevel.GetGraphics();
    EXPECT_EQ(graphics.myBackgroundImage, "backkis");
    EXPECT_EQ(graphics.myAnimation1Image, "");
    EXPECT_EQ(graphics.myAnimation2Image, "spin.xml");
    EXPECT_EQ(graphics.myLevelCompleteImage, "data/level_complete.xml");
    EXPECT_EQ(graphics.myLevelFailedImage, "lost.png");
}

TEST_F(LevelFileTest, TheFirstSpriteFileOfATypeWinsAcrossLevels) {
    WriteFile("one.xml",
              "<MarblesLevel><Graphics><SpriteData>"
              "<Sprite marble_type='5' sprite_file='five.xml'/>"
              "<Sprite marble_type='5' sprite_file='again.xml'/>"
              "<Sprite marble_type='2' sprite_file='two.xml'/>"
              "<Sprite marble_type='x' sprite_file='bad.xml'/>"
              "<Sprite sprite_file='untyped.xml'/><Sprite marble_type='7'/>"
              "<Other marble_type='8' sprite_file='other.xml'/>"
              "</SpriteData></Graphics>" + ONE_MARBLE + "</MarblesLevel>");
    WriteFile("two.xml",
              "<MarblesLevel><Graphics><SpriteData>"
              "<Sprite marble_type='2' sprite_file='later.xml'/><Sprite marble_type='-1' sprite_file='minus.xml'/>"
              "</SpriteData></Graphics>" + ONE_MARBLE + "</MarblesLevel>");
    ASSERT_TRUE(myLevel.Load("one.xml"));
    ASSERT_TRUE(myLevel.Load("two.xml"));
    const std::map<std::int32_t, std::string> expected{{-1, "minus.xml"}, {2, "two.xml"}, {5, "five.xml"}};
    EXPECT_EQ(CMarbleSpriteTable::GetSingleton()->GetEntries(), expected);
}

TEST_F(LevelFileTest, SavedLevelsLoadTheSameBodiesAndSprites) {
    ASSERT_TRUE(myLevel.Load(FIRST_LEVEL));
    ASSERT_TRUE(myLevel.Save("saved.xml"));
    const std::string saved = ReadFile("saved.xml");
    // Sprites in ascending type order, "marble_type" before "sprite_file".
    EXPECT_NE(saved.find("    <SpriteData>\n"
                         "      <Sprite marble_type=\"0\" sprite_file=\"data/gfx/marble_red.xml\" >\n"
                         "      </Sprite>\n"
                         "      <Sprite marble_type=\"1\""),
              std::string::npos)
        << saved;
    CPhysicsTask other;
    CLevelFile reloaded(&other);
    ASSERT_TRUE(reloaded.Load("saved.xml"));
    ASSERT_EQ(other.GetWorld()->GetBodyCount(), Bodies());
    for (unsigned i = 0; i < Bodies(); ++i) {
        const RigidBody& a = myPhysics.GetWorld()->GetBody(i);
        const RigidBody& b = other.GetWorld()->GetBody(i);
        EXPECT_EQ(a.initId, b.initId);
        EXPECT_EQ(a.color, b.color);
        EXPECT_EQ(a.position.x, b.position.x);
        EXPECT_EQ(a.position.y, b.position.y);
        EXPECT_EQ(a.orientation, b.orientation);
    }
    EXPECT_EQ(reloaded.GetGraphics().myBackgroundImage, "data/gfx/background.jpg");
    ASSERT_TRUE(reloaded.Save("saved_again.xml"));
    EXPECT_EQ(ReadFile("saved_again.xml"), saved);
}

TEST_F(LevelFileTest, BadFilesLoadNothingAndKeepTheWorld) {
    WriteFile("two.xml", TWO_BODIES);
    ASSERT_TRUE(myLevel.Load("two.xml"));
    const char* const bad[] = {
        "",
        "\n  \n",
        "garbage without markup",
        "<LevelList><PhysicsModel/></LevelList>",
        "\xff\xfe\x00\x01<<<&&&",
    };
    for (const char* text : bad) {
        WriteFile("bad.xml", text);
        EXPECT_FALSE(myLevel.Load("bad.xml")) << text;
        EXPECT_EQ(Bodies(), 2u) << text;
    }
    EXPECT_FALSE(myLevel.Load("missing.xml"));
    EXPECT_EQ(Bodies(), 2u);
}

TEST_F(LevelFileTest, LevelsThatCannotBePlayedLoadNothingAndSayWhichBody) {
    WriteFile("two.xml", TWO_BODIES);
    ASSERT_TRUE(myLevel.Load("two.xml"));
    const std::string box = "<RigidBody shape='1' color='-1' initId='4'><Radius x='5' y='1'/></RigidBody>";
    std::string crowd;
    for (int k = 0; k < 1001; ++k) crowd += Marble("", "0.5", "x='0' y='0'");
    const std::pair<std::string, std::string> cases[] = {
        {"", "the level has no \"PhysicsModel\""},
        {"<PhysicsModel/>", "the level has no bodies"},
        {"<PhysicsModel>" + box + "</PhysicsModel>", "the level has no marbles"},
        {"<PhysicsModel>" + crowd + "</PhysicsModel>", "the level holds 1001 bodies, more than 1000"},
        {"<PhysicsModel>" + box + Marble("initId='9'", "0.5", "x='nan' y='0'") + "</PhysicsModel>",
         "body 1 (initId 9): \"x\" of \"Position\" is not a finite number: nan"},
        {"<PhysicsModel>" + Marble("inverseMass='inf'", "0.5", "x='0' y='0'") + "</PhysicsModel>",
         "body 0 (initId 0): \"inverseMass\" is not a finite number: inf"},
        {"<PhysicsModel>" + Marble("", "0.5", "x='1e308' y='0'") + "</PhysicsModel>",
         "body 0 (initId 0): \"x\" of \"Position\" is not a finite number: 1e308"},
        {"<PhysicsModel>" + Marble("", "0.5", "x='2' y='seven'") + "</PhysicsModel>",
         "body 0 (initId 0): \"y\" of \"Position\" is not a finite number: seven"},
        {"<PhysicsModel>" + Marble("", "0.5", "x='0' y='-1e30'") + "</PhysicsModel>",
         "body 0 (initId 0): position (0, -1e+30) is farther than 1000 from the origin"},
        {"<PhysicsModel>" + Marble("", "0", "x='0' y='0'") + "</PhysicsModel>", "body 0 (initId 0): radius 0 is not in (0, 100]"},
        {"<PhysicsModel>" + Marble("", "-1", "x='0' y='0'") + "</PhysicsModel>", "body 0 (initId 0): radius -1 is not in (0, 100]"},
        {"<PhysicsModel>" + Marble("", "1e30", "x='0' y='0'") + "</PhysicsModel>",
         "body 0 (initId 0): radius 1e+30 is not in (0, 100]"},
    };
    for (const auto& [model, problem] : cases) {
        WriteFile("bad.xml", "<MarblesLevel>" + model + "</MarblesLevel>");
        EXPECT_FALSE(myLevel.Load("bad.xml")) << problem;
        EXPECT_EQ(myLevel.GetProblem(), problem);
        EXPECT_EQ(Bodies(), 2u) << problem;
    }
}

TEST_F(LevelFileTest, MalformedModelsNeverCrash) {
    const char* const models[] = {
        // Cut off inside a body.
        "<MarblesLevel><PhysicsModel><RigidBody shape='0' color='1'><Radius x='0.5'",
        // Unknown shapes, unreadable and extreme numbers, missing children.
        "<MarblesLevel><PhysicsModel>"
        "<RigidBody shape='7' color='1'><Position x='1' y='1'/></RigidBody>"
        "<RigidBody shape='0' color='1' inverseMass='nan'><Radius x='-3' y='q'/><Position x='1e39' y='-inf'/></RigidBody>"
        "<RigidBody shape='1' color='999999999999'><Radius x='1e30' y='1e30'/></RigidBody>"
        "<RigidBody/><Junk/>"
        "</PhysicsModel></MarblesLevel>",
    };
    // Both are refused whole: the cut-off document, and the bodies with absurd numbers.
    const unsigned expectedBodies[] = {0, 0};
    for (std::size_t k = 0; k < std::size(models); ++k) {
        WriteFile("level.xml", models[k]);
        EXPECT_EQ(myLevel.Load("level.xml"), expectedBodies[k] > 0) << k;
        ASSERT_EQ(Bodies(), expectedBodies[k]) << k;
        std::vector<bool> finite;
        for (unsigned i = 0; i < Bodies(); ++i) finite.push_back(physicsscenes::AllFinite(myPhysics.GetWorld()->GetBody(i)));
        for (int step = 0; step < 20; ++step) myPhysics.Step(50);
        for (unsigned i = 0; i < Bodies(); ++i) {
            const bool stillFinite = physicsscenes::AllFinite(myPhysics.GetWorld()->GetBody(i));
            EXPECT_TRUE(stillFinite || !finite[i]) << k << " body " << i;
        }
    }
}
