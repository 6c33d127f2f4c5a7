// Tests of the drawn marble: its sprite follows the body on the screen, boxes and untyped
// circles never show or take input, the highlight follows pointer and selection, and clicks
// pushed through SDL's queue reach the game logic (three removes the chain).
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <filesystem>
#include <set>
#include <vector>
#include <string>

#include "marbles/game/cmarblegfx.h"
#include "marbles/game/cmarblegfxfactory.h"
#include "marbles/level/clevelfile.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/rules/cmarbleslogic.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/task_sdl/ceventtasksdl.h"
#include "tarn/utils/logger/clogger.h"

using namespace marbles;

namespace {

// A static body (it never moves) of the given shape and type at (x, y), radius 0.5.
std::string Body(int shape, int color, float x, float y, int id) {
    return "<RigidBody shape='" + std::to_string(shape) + "' staticObject='1' inverseMass='0' color='" +
           std::to_string(color) + "' initId='" + std::to_string(id) + "'><Radius x='0.5' y='0.5'/><Position x='" +
           std::to_string(x) + "' y='" + std::to_string(y) + "'/><Velocity x='0' y='0'/></RigidBody>\n";
}

std::string Level(const std::string& bodies) {
    return "<MarblesLevel><PhysicsModel>\n" + bodies + "</PhysicsModel></MarblesLevel>\n";
}

void Push(SDL_Event event) { ASSERT_EQ(0, SDL_PushEvent(&event)); }

class MarbleGfx : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        std::filesystem::create_directories("data/gfx");
        std::filesystem::copy(std::string(MARBLES_SOURCE_DIR) + "/game/data/gfx/marbles", "data/gfx/marbles");
        CMarbleSpriteTable* table = CMarbleSpriteTable::GetSingleton();
        table->Clear();
        for (int type = 0; type < 3; ++type)
            table->AddSpriteFile(type, "data/gfx/marbles/marble" + std::to_string(type) + ".xml");
        myLogic.SetPhysics(&myPhysics);
        myFactory.SetGameLogic(&myLogic);
        myPhysics.SetListenerFactory(&myFactory);
        SDL_Event drained;
        while (SDL_PollEvent(&drained)) {
        }
        myEvents.Start();
    }
    void TearDown() override {
        CMarbleSpriteTable::GetSingleton()->Clear();
        testsupport::ResetEngine();
    }

    void Load(const std::string& bodies) {
        testsupport::WriteFile("level.xml", Level(bodies));
        CLevelFile level(&myPhysics);
        ASSERT_TRUE(level.Load("level.xml"));
        myPhysics.Step(50);
    }
    // The marble that joined the registry index-th.
    CMarbleGfx* Marble(unsigned index) {
        return dynamic_cast<CMarbleGfx*>(CMarbleRegistry::GetSingleton()->Get(index));
    }
    static int CentreX(const CMarbleGfx* marble) { return marble->GetRect().x + marble->GetRect().w / 2; }
    static int CentreY(const CMarbleGfx* marble) { return marble->GetRect().y + marble->GetRect().h / 2; }
    static std::string Animation(const CMarbleGfx* marble) {
        auto* sprite = dynamic_cast<tarn::CAnimatedSprite*>(marble->GetSprite().get());
        return sprite ? sprite->GetAnimationName() : "(not animated)";
    }

    void MoveTo(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = static_cast<Uint16>(x);
        event.motion.y = static_cast<Uint16>(y);
        Push(event);
        myEvents.Update();
    }
    void Press(Uint8 button) {
        for (Uint8 type : {Uint8(SDL_MOUSEBUTTONDOWN), Uint8(SDL_MOUSEBUTTONUP)}) {
            SDL_Event event{};
            event.type = type;
            event.button.button = button;
            event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            Push(event);
        }
        myEvents.Update();
    }
    void ClickOn(const CMarbleGfx* marble, Uint8 button = SDL_BUTTON_LEFT) {
        MoveTo(CentreX(marble), CentreY(marble));
        Press(button);
    }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay{640, 480};
    CPhysicsTask myPhysics;
    CMarblesLogic myLogic;
    CMarbleGfxFactory myFactory;
    tarn::CEventTaskSDL myEvents;
};

}  // namespace

TEST_F(MarbleGfx, TheSpriteIsCentredOnTheBodyAndOnlyMovedWhenTheBodyMoves) {
    Load(Body(0, 1, 1.0f, 2.0f, 1));
    ASSERT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 1u);
    CMarbleGfx* marble = Marble(0);
    ASSERT_NE(marble, nullptr);
    EXPECT_EQ(marble->GetType(), 1);
    EXPECT_EQ(marble->GetRect().w, 32);
    // World (1, 2) lands on pixel (336, 192).
    EXPECT_EQ(CentreX(marble), 336);
    EXPECT_EQ(CentreY(marble), 192);
    EXPECT_EQ(Animation(marble), "normal");
    // An unchanged position leaves the sprite where it is, even when moved by hand meanwhile.
    marble->GetSprite()->SetPosition(5, 7);
    myPhysics.Step(50);
    EXPECT_EQ(marble->GetRect().x, 5);
    EXPECT_EQ(marble->GetRect().y, 7);
}

TEST_F(MarbleGfx, ABodyFirstReportedAtTheOriginIsDrawnThere) {
    Load(Body(0, 0, 0.0f, 0.0f, 1));
    ASSERT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 1u);
    EXPECT_EQ(CentreX(Marble(0)), 320);
    EXPECT_EQ(CentreY(Marble(0)), 160);
}

TEST_F(MarbleGfx, TheFactorysMappingAndInputSwitchReachItsMarbles) {
    CScreenMapping mapping;
    mapping.myOffsetX = 100.0f;
    mapping.myOffsetY = 50.0f;
    mapping.myScaleX = 32.0f;
    myFactory.SetMapping(mapping);
    Load(Body(0, 0, 1.0f, 2.0f, 1));
    CMarbleGfx* marble = Marble(0);
    EXPECT_EQ(CentreX(marble), 132);
    EXPECT_EQ(CentreY(marble), 82);
    myFactory.SetInputEnabled(false);
    ClickOn(marble);
    EXPECT_FALSE(marble->IsSelected());
    EXPECT_EQ(Animation(marble), "normal");  // no hover glow either
    MoveTo(0, 0);
    myFactory.SetInputEnabled(true);
    ClickOn(marble);
    EXPECT_TRUE(marble->IsSelected());
}

TEST_F(MarbleGfx, ASpriteFileWithOnlyNormalAndHighlightStillShowsTheSelection) {
    // The shipped sprite of type 0 without its "selected" animation.
    const std::string full = testsupport::ReadFile("data/gfx/marbles/marble0.xml");
    const std::size_t start = full.find("<Animation name=\"selected\"");
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = full.find("</Animation>", start) + std::string("</Animation>").size();
    testsupport::WriteFile("data/gfx/marbles/two_looks.xml", full.substr(0, start) + full.substr(end));
    CMarbleSpriteTable::GetSingleton()->Clear();
    CMarbleSpriteTable::GetSingleton()->AddSpriteFile(0, "data/gfx/marbles/two_looks.xml");
    Load(Body(0, 0, 0.0f, 5.0f, 1));
    CMarbleGfx* marble = Marble(0);
    ClickOn(marble);
    ASSERT_TRUE(marble->IsSelected());
    EXPECT_EQ(Animation(marble), "highlight");
}

TEST_F(MarbleGfx, BoxesAndUntypedCirclesNeverShowNorTakeTheMouse) {
    // The marble far away makes it a level.
    Load(Body(1, 0, 1.0f, 1.0f, 1) + Body(0, -1, 3.0f, 1.0f, 2) + Body(0, 2, 15.0f, 8.0f, 3));
    EXPECT_EQ(myPhysics.GetWorld()->GetBodyCount(), 3u);
    EXPECT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 1u);
    // A marble never given a type answers with no rectangle and the far depth.
    CMarbleGfx untyped(&myLogic);
    untyped.Update(3.0f, 1.0f, 0.0f, 0.5f, 0.5f, 1, 2);
    EXPECT_TRUE(untyped.GetRect().w == 0 && untyped.GetRect().h == 0);
    EXPECT_EQ(untyped.GetZ(), 100000);
    EXPECT_EQ(untyped.GetSprite(), nullptr);
    // Clicking where the bodies are reaches nobody.
    MoveTo(CScreenMapping().ToScreenX(1.0f), CScreenMapping().ToScreenY(1.0f));
    Press(SDL_BUTTON_LEFT);
    MoveTo(CScreenMapping().ToScreenX(3.0f), CScreenMapping().ToScreenY(1.0f));
    Press(SDL_BUTTON_LEFT);
    EXPECT_TRUE(myLogic.GetSelection().empty());
}

TEST_F(MarbleGfx, ThreeClickedNeighboursOfOneTypeLeaveTheWorldAndTheMouse) {
    Load(Body(0, 0, 0.0f, 5.0f, 1) + Body(0, 0, 1.0f, 5.0f, 2) + Body(0, 0, 2.0f, 5.0f, 3) +
         Body(0, 1, 3.0f, 5.0f, 4));
    ASSERT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 4u);
    CMarbleGfx* first = Marble(0);
    ClickOn(first);
    ASSERT_EQ(myLogic.GetSelection().size(), 1u);
    EXPECT_TRUE(first->IsSelected());
    EXPECT_EQ(Animation(first), "highlight");
    ClickOn(Marble(1));
    EXPECT_EQ(myLogic.GetSelection().size(), 2u);
    // The third click queues the three; they leave when the game applies the queue, after the
    // mouse dispatch has ended.
    ClickOn(Marble(2));
    EXPECT_EQ(myPhysics.GetWorld()->GetBodyCount(), 4u);
    myLogic.ApplyPendingRemovals();
    EXPECT_EQ(myPhysics.GetWorld()->GetBodyCount(), 1u);
    ASSERT_EQ(CMarbleRegistry::GetSingleton()->GetCount(), 1u);
    EXPECT_EQ(Marble(0)->GetType(), 1);
    EXPECT_TRUE(myLogic.GetSelection().empty());
    // The mouse device kept no pointer to the removed marbles: further events are safe.
    MoveTo(CScreenMapping().ToScreenX(0.0f), CScreenMapping().ToScreenY(5.0f));
    Press(SDL_BUTTON_LEFT);
    EXPECT_TRUE(myLogic.GetSelection().empty());
}

TEST_F(MarbleGfx, HoverHighlightsOnlyMarblesThatMayJoinAndLeavingKeepsASelectedOnesHighlight) {
    Load(Body(0, 0, 0.0f, 5.0f, 1) + Body(0, 1, 1.0f, 5.0f, 2) + Body(0, 0, 6.0f, 5.0f, 3));
    CMarbleGfx* red = Marble(0);
    CMarbleGfx* blue = Marble(1);
    CMarbleGfx* farRed = Marble(2);
    // Nothing selected: any marble may start a selection, and leaving drops the highlight.
    MoveTo(CentreX(blue), CentreY(blue));
    EXPECT_TRUE(blue->IsHighlightShown());
    EXPECT_EQ(Animation(blue), "highlight");
    MoveTo(600, 20);
    EXPECT_FALSE(blue->IsHighlightShown());
    EXPECT_EQ(Animation(blue), "normal");
    // A red selected: the blue one and the far red one cannot join, so no highlight.
    ClickOn(red);
    ASSERT_TRUE(red->IsSelected());
    MoveTo(CentreX(blue), CentreY(blue));
    EXPECT_FALSE(blue->IsHighlightShown());
    MoveTo(CentreX(farRed), CentreY(farRed));
    EXPECT_FALSE(farRed->IsHighlightShown());
    // Leaving the selected marble keeps its highlight.
    MoveTo(CentreX(red), CentreY(red));
    MoveTo(600, 20);
    EXPECT_TRUE(red->IsHighlightShown());
    EXPECT_EQ(Animation(red), "highlight");
}

TEST_F(MarbleGfx, TheRightButtonLogsTheIndexAndOtherButtonsDoNothing) {
    Load(Body(1, -1, 0.0f, 9.0f, 1) + Body(0, 2, 1.0f, 5.0f, 2));
    CMarbleGfx* marble = Marble(0);
    ASSERT_EQ(marble->GetIndex(), 1u);
    ClickOn(marble, SDL_BUTTON_RIGHT);
    ClickOn(marble, SDL_BUTTON_MIDDLE);
    EXPECT_TRUE(myLogic.GetSelection().empty());
    tarn::CLogger::DeleteSingleton();
    EXPECT_NE(testsupport::LogBody().find("Marble 1\n"), std::string::npos) << testsupport::LogBody();
}

TEST_F(MarbleGfx, TheFirstSpriteFileGivenForATypeStaysAndUnknownTypesGetAnInvisibleSprite) {
    CMarbleSpriteTable* table = CMarbleSpriteTable::GetSingleton();
    EXPECT_FALSE(table->AddSpriteFile(0, "data/gfx/marbles/marble5.xml"));
    EXPECT_EQ(table->GetSpriteFile(0), "data/gfx/marbles/marble0.xml");
    tarn::CSpriteHandle unknown = table->GetSprite(7);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->GetRect().w, 0);
    tarn::CSpriteHandle known = table->GetSprite(2);
    ASSERT_NE(known, nullptr);
    EXPECT_EQ(known->GetRect().w, 32);
    // A level whose marble type has no sprite is found out before anyone plays it.
    Load(Body(1, -1, 0.0f, 9.0f, 1) + Body(0, 2, 1.0f, 5.0f, 2) + Body(0, -1, 3.0f, 5.0f, 3));
    EXPECT_EQ(table->FindMarbleWithoutSprite(*myPhysics.GetWorld()), "");
    Load(Body(0, 7, 5.0f, 5.0f, 4));
    EXPECT_EQ(table->FindMarbleWithoutSprite(*myPhysics.GetWorld()), "body 0 (initId 4): marble type 7 has no sprite");
    Load(Body(0, -5, 5.0f, 5.0f, 6));  // any type but -1 makes a marble, as the game does
    EXPECT_EQ(table->FindMarbleWithoutSprite(*myPhysics.GetWorld()), "body 0 (initId 6): marble type -5 has no sprite");
}

TEST_F(MarbleGfx, ARestingMarbleIsDrawnStillWhileAMovingOneFollowsItsBody) {
    Load(Body(0, 1, 1.0f, 2.0f, 1));
    CMarbleGfx* marble = Marble(0);
    ASSERT_NE(marble, nullptr);
    auto report = [marble](float x, float y) { marble->Update(x, y, 0, 1, 1, SHAPE_CIRCLE, 1); };
    // Trembling by 2 pixels around (4, 4): once eight steps are known, drawn at their mean.
    std::vector<int> centresY;
    for (int step = 0; step < 24; ++step) {
        report(4.0f, 4.0f + (step % 2 ? 0.125f : 0.0f));
        centresY.push_back(CentreY(marble));
    }
    EXPECT_EQ(std::set<int>(centresY.begin() + 8, centresY.end()), std::set<int>{CScreenMapping().ToScreenY(4.0625f)});
    EXPECT_EQ(marble->GetPosition().y, 4.125f) << "the marble still knows its body's place";
    // Trembling with a period that does not divide the eight steps: the mean wanders by
    // fractions of a pixel across pixel borders, and the sprite stays put wherever it rests.
    for (int start = 0; start < 16; ++start) {
        const float base = 4.0f + static_cast<float>(start) / 256.0f;
        std::set<int> drawn;
        for (int step = 0; step < 40; ++step) {
            report(4.0f, base + 0.02f * static_cast<float>(step % 3));
            if (step >= 16) drawn.insert(CentreY(marble));
        }
        EXPECT_EQ(drawn.size(), 1u) << base;
    }
    for (int step = 0; step < 8; ++step) report(4.0f, 4.0f + (step % 2 ? 0.125f : 0.0f));
    // Falling a pixel and more per step: drawn exactly where the body is once it has left the
    // 4 pixels around its resting place.
    for (int step = 1; step <= 10; ++step) {
        report(4.0f, 4.0f + 0.1f * static_cast<float>(step));
        if (step < 3) continue;
        EXPECT_EQ(CentreY(marble), CScreenMapping().ToScreenY(4.0f + 0.1f * static_cast<float>(step))) << step;
    }
}
