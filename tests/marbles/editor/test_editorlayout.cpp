// The editor's layout: pieces placed, moved, resized and removed (never the walls), and the
// level file it writes, read back by the editor and by the game's own level reader.
#include <gtest/gtest.h>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/level/levelphysics.h"
#include "marbles/rules/cmarble.h"
#include "support/testsupport.h"

using namespace marbles;

namespace {

CEditorLayout ThreeTypes() {
    CEditorLayout layout;
    for (int i = 0; i < 9; ++i) layout.Place(CEditorLayout::Marble(i % 3, {-8.0f + 2.0f * i, 17.5f}));
    unsigned box = layout.Place(CEditorLayout::Box({0.0f, 8.0f}, {4.0f, 0.5f}));
    layout.Move(box, {1.5f, 9.25f});
    layout.SetBackground("data/gfx/levels/chapter1_level07.xml");
    return layout;
}

}  // namespace

TEST(EditorLayout, ChangesPiecesButNeverTheWalls) {
    CEditorLayout layout;
    ASSERT_EQ(layout.GetPieces().size(), 3u);
    const unsigned marble = layout.Place(CEditorLayout::Marble(2, {0.0f, 10.0f}));
    const unsigned box = layout.Place(CEditorLayout::Box({5.0f, 5.0f}, {2.0f, 1.0f}));
    EXPECT_EQ(layout.GetPieces()[marble].initId, 4);
    EXPECT_EQ(layout.GetPieces()[box].initId, 5);
    struct Case {
        const char* what;
        bool ok;
        bool done;
    };
    const Case cases[] = {
        {"move a wall", false, layout.Move(0, {1.0f, 1.0f})},
        {"resize a wall", false, layout.Resize(1, {2.0f, 2.0f})},
        {"remove a wall", false, layout.Remove(2)},
        {"move past the end", false, layout.Move(9, {1.0f, 1.0f})},
        {"resize a marble", false, layout.Resize(marble, {2.0f, 2.0f})},
        {"move a marble", true, layout.Move(marble, {5.0f, 5.5f})},
        {"resize a box", true, layout.Resize(box, {100.0f, 0.0f})},
    };
    for (const Case& c : cases) EXPECT_EQ(c.done, c.ok) << c.what;
    EXPECT_EQ(layout.GetPieces()[box].extent.x, CEditorLayout::MAX_BOX_EXTENT);
    EXPECT_EQ(layout.GetPieces()[box].extent.y, CEditorLayout::MIN_BOX_EXTENT);
    // The marble now lies on the box: a click there takes the marble; beside it, the box.
    EXPECT_EQ(layout.FindAt({5.0f, 5.2f}), static_cast<int>(marble));
    EXPECT_EQ(layout.FindAt({12.0f, 5.0f}), static_cast<int>(box));
    EXPECT_EQ(layout.FindAt({0.0f, -5.0f}), -1);
    ASSERT_TRUE(layout.Remove(marble));
    EXPECT_EQ(layout.CountMarbles(), 0u);
    EXPECT_EQ(layout.Place(CEditorLayout::Marble(0, {})), 4u);
    EXPECT_EQ(layout.GetPieces()[4].initId, 6);  // never an initId used before in this layout
}

TEST(EditorLayout, SavedLevelReadsBackIdenticallyAndPlaysInTheGame) {
    testsupport::CTempDir dir;
    const CEditorLayout layout = ThreeTypes();
    ASSERT_TRUE(layout.Save("mine.xml"));
    CEditorLayout read;
    ASSERT_TRUE(read.Load("mine.xml"));
    EXPECT_EQ(read, layout);
    ASSERT_TRUE(read.Save("again.xml"));
    EXPECT_EQ(testsupport::ReadFile("again.xml"), testsupport::ReadFile("mine.xml"));
    EXPECT_EQ((std::array<unsigned, 6>{3, 3, 3, 0, 0, 0}), read.CountByType());

    // The game reads the same bodies: marbles that move, a box and walls that do not.
    const auto world = LoadLevelPhysics("mine.xml");
    ASSERT_TRUE(world);
    ASSERT_EQ(world->GetBodyCount(), 13u);
    unsigned marbles = 0;
    for (unsigned i = 0; i < world->GetBodyCount(); ++i) {
        const RigidBody& body = world->GetBody(i);
        marbles += IsMarbleBody(body) ? 1 : 0;
        EXPECT_EQ(body.inverseMass > 0.0f, IsMarbleBody(body)) << i;
    }
    EXPECT_EQ(marbles, 9u);
    EXPECT_NE(testsupport::ReadFile("mine.xml").find("data/gfx/marbles/marble5.xml"), std::string::npos);
}

TEST(EditorLayout, OpensShippedLevelsAndRefusesDamagedOnes) {
    testsupport::CTempDir dir;
    CEditorLayout shipped;
    ASSERT_TRUE(shipped.Load(std::string(MARBLES_SOURCE_DIR) + "/game/data/levels/chapter1_level05.xml"));
    EXPECT_EQ(shipped.CountMarbles(), 21u);
    EXPECT_EQ(shipped.GetBackground(), "data/gfx/levels/chapter1_level05.xml");
    unsigned fixed = 0;
    for (const auto& piece : shipped.GetPieces()) fixed += piece.fixed ? 1 : 0;
    EXPECT_EQ(fixed, 3u);
    // The copy keeps the shipped bodies as the game reads them.
    ASSERT_TRUE(shipped.Save("copy.xml"));
    const auto original = LoadLevelPhysics(std::string(MARBLES_SOURCE_DIR) + "/game/data/levels/chapter1_level05.xml");
    const auto copy = LoadLevelPhysics("copy.xml");
    ASSERT_EQ(copy->GetBodyCount(), original->GetBodyCount());
    for (unsigned i = 0; i < copy->GetBodyCount(); ++i) {
        const RigidBody& a = original->GetBody(i);
        const RigidBody& b = copy->GetBody(i);
        EXPECT_TRUE(a.shape == b.shape && a.color == b.color && a.initId == b.initId && a.position.x == b.position.x &&
                    a.position.y == b.position.y && a.orientation == b.orientation && a.extent.x == b.extent.x &&
                    a.inverseMass == b.inverseMass && a.staticObject == b.staticObject)
            << i;
    }

    const std::string whole = testsupport::ReadFile("copy.xml");
    const char* const damaged[][2] = {
        {"cut off", ""},
        {"no level", "<LevelList />"},
        {"no bodies", "<MarblesLevel><PhysicsModel /></MarblesLevel>"},
        {"a number that is none", "<MarblesLevel><PhysicsModel><RigidBody><Position x=\"nan\" /></RigidBody>"
                                  "</PhysicsModel></MarblesLevel>"},
    };
    for (const auto& c : damaged) {
        testsupport::WriteFile("bad.xml", *c[1] ? c[1] : whole.substr(0, whole.size() / 2));
        CEditorLayout kept = ThreeTypes();
        std::string problem;
        EXPECT_FALSE(kept.Load("bad.xml", &problem)) << c[0];
        EXPECT_FALSE(problem.empty()) << c[0];
        EXPECT_EQ(kept, ThreeTypes()) << c[0];
    }
}
