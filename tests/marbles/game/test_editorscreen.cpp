// The editor screen headless: the mouse and keys as the player uses them (place, drag, resize
// by the corner, right click, Delete, Ctrl+Z and Ctrl+Y, clicks on the palette strip), and
// Prove, Save, Test and Show as they reach the files and the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "marbles/editor/sharedlevel.h"
#include "marbles/game/ceditorpalette.h"
#include "marbles/game/ceditorscreen.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/game/ieditorhost.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/tasks/task_sdl/keynames.h"
#include "tarn/utils/logger/clogger.h"

using namespace marbles;

namespace {

class CHost : public IEditorHost {
public:
    void TestLevel(const std::string& level, const std::string& solution) override { myTested = level + "|" + solution; }
    void AddOwnLevel(const std::string& level) override { myAdded = level; }
    std::string myTested;
    std::string myAdded;
};

class EditorScreen : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        tarn::CLogger::DeleteSingleton();
        ASSERT_TRUE(myDisplay.IsOpen());
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    }
    void TearDown() override {
        myScreen.reset();
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::ResetEngine();
    }
    void Open(const CEditorLayout& layout = CEditorLayout()) {
        myScreen = std::make_unique<CEditorScreen>(&myHost, "mine", layout);
    }
    // A press and release of button at the screen point (x, y), as the dispatcher gives them.
    void Click(int x, int y, int button = 1) {
        myScreen->OnMouseMove(x, y);
        myScreen->OnMouseDown(button);
        myScreen->OnMouseUp(button);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        myScreen->OnMouseMove(x0, y0);
        myScreen->OnMouseDown(1);
        myScreen->OnMouseMove((x0 + x1) / 2, (y0 + y1) / 2);
        myScreen->OnMouseMove(x1, y1);
        myScreen->OnMouseUp(1);
    }
    void Key(const char* name) {
        myScreen->OnKeyDown(tarn::KeyNameToCode(name));
        myScreen->OnKeyUp(tarn::KeyNameToCode(name));
    }
    const std::vector<CEditorLayout::Piece>& Pieces() const { return myScreen->GetEditor().GetLayout().GetPieces(); }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay{640, 480};
    CHost myHost;
    std::unique_ptr<CEditorScreen> myScreen;
};

}  // namespace

TEST_F(EditorScreen, TheMouseAndKeysPlaceMoveResizeDeleteUndoAndRedo) {
    Open();
    Click(320, 448);  // world (0, 18): a marble of the first type
    myScreen->GetPalette()->Press(2);
    Click(352, 448);
    Click(352, 10);  // the palette's strip: no piece
    ASSERT_EQ(Pieces().size(), 5u);
    EXPECT_EQ(Pieces()[3].type, 0);
    EXPECT_EQ(Pieces()[4].type, 2);
    EXPECT_EQ(Pieces()[4].position.x, 2.0f);
    EXPECT_EQ(Pieces()[4].position.y, 18.0f);

    Drag(352, 448, 384, 400);  // onto (4, 15)
    EXPECT_EQ(Pieces()[4].position.x, 4.0f);
    EXPECT_EQ(Pieces()[4].position.y, 15.0f);
    myScreen->GetPalette()->Press(CEditorLayout::TYPE_COUNT);  // the box
    Click(320, 256);  // a box of 2 by 0.5 at (0, 6)
    ASSERT_EQ(Pieces().size(), 6u);
    EXPECT_EQ(Pieces()[5].kind, CEditorLayout::PIECE_BOX);
    Drag(352, 264, 384, 272);  // its corner (2, 6.5) to (4, 7): half sides 4 by 1
    EXPECT_EQ(Pieces()[5].extent.x, 4.0f);
    EXPECT_EQ(Pieces()[5].extent.y, 1.0f);

    Click(320, 448, 4);  // right click: the first marble goes
    ASSERT_EQ(Pieces().size(), 5u);
    Click(384, 400);  // choose the moved marble, then Delete
    Key("delete");
    ASSERT_EQ(Pieces().size(), 4u);
    EXPECT_EQ(Pieces()[3].kind, CEditorLayout::PIECE_BOX);

    // Ctrl+Z takes back the delete, the right click, the resize; Ctrl+Y does one again.
    myScreen->OnKeyDown(tarn::KeyNameToCode("left ctrl"));
    for (int k = 0; k < 3; ++k) Key("z");
    EXPECT_EQ(Pieces().size(), 6u);
    EXPECT_EQ(Pieces()[5].extent.x, 2.0f);
    Key("y");
    EXPECT_EQ(Pieces()[5].extent.x, 4.0f);
    myScreen->OnKeyUp(tarn::KeyNameToCode("left ctrl"));
    Key("z");  // without Ctrl: nothing
    EXPECT_EQ(Pieces()[5].extent.x, 4.0f);
    EXPECT_EQ(myScreen->GetHudLines()[0], "Marbles 2:  type 0: 1  type 2: 1");
    EXPECT_EQ(myScreen->GetHudLines()[1], "Warning: type 0: 1 marbles, not a multiple of three");

    // Hidden (its level is tested), it takes no input.
    myScreen->Hide();
    Click(100, 300);
    EXPECT_EQ(Pieces().size(), 6u);
}

TEST_F(EditorScreen, ProveSaveTestAndShowReachTheFilesAndTheGame) {
    CEditorLayout layout;
    for (int i = 0; i < 9; ++i) layout.Place(CEditorLayout::Marble(i / 3, {-8.0f + 2.0f * i, 18.0f}));
    Open(layout);
    myScreen->Save();
    EXPECT_TRUE(std::filesystem::exists("mine/drafts/mylevel01.xml"));
    EXPECT_FALSE(std::filesystem::exists("mine/mylevel01.xml"));
    EXPECT_EQ(myHost.myAdded, "");
    myScreen->ShowSolution();
    EXPECT_EQ(myHost.myTested, "");
    EXPECT_EQ(myScreen->GetHudLines()[1], "Prove the level first");

    myScreen->Prove();
    EXPECT_TRUE(myScreen->StopProof());
    EXPECT_FALSE(myScreen->StopProof());
    myScreen->Prove();
    for (int frame = 0; frame < 1000 && myScreen->IsProving(); ++frame) myScreen->Update();
    ASSERT_TRUE(myScreen->IsProven());
    EXPECT_EQ(myScreen->GetHudLines()[2], "Proven winnable: 3 moves");
    myScreen->Save();
    EXPECT_EQ(myHost.myAdded, "mine/mylevel01.xml");
    EXPECT_EQ(CheckSharedLevel("mine/mylevel01.xml", "mine/mylevel01.solution"), "");

    myScreen->Test();
    EXPECT_EQ(myHost.myTested, "mine/drafts/test.xml|");
    myScreen->ShowSolution();
    EXPECT_EQ(myHost.myTested, "mine/drafts/test.xml|mine/drafts/test.solution");
    // A change after the proof takes it back.
    Click(0 + 320, 300);
    EXPECT_FALSE(myScreen->IsProven());
}
