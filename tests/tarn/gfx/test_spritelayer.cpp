// Tests of the sprite layer: depth order, which children a change erases (front to back) and
// which the next redraw draws (back to front), removing, hiding and showing, Z changes, and
// sprites and layers that go away in either order. Probes record the calls; no display.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tarn/gfx/cspritelayer.h"

namespace {

using tarn::CRect;
using tarn::CSprite;
using tarn::CSpriteLayer;

// A sprite without a picture that records the erases and redraws that did something.
class CProbe : public CSprite {
public:
    CProbe(const std::string& name, int z, std::string* log) : myName(name), myLog(log) {
        SetZ(z);
        SetRect(CRect(0, 0, 4, 4));
    }
    bool IsEmpty() const override { return false; }
    bool Erase(CSprite* target) override {
        if (!IsErased()) *myLog += "e" + myName + " ";
        return CSprite::Erase(target);
    }
    bool Redraw(CSprite* target) override {
        const bool drawn = CSprite::Redraw(target);
        if (drawn) *myLog += "r" + myName + " ";
        return drawn;
    }

private:
    std::string myName;
    std::string* myLog;
};

class SpriteLayer : public ::testing::Test {
protected:
    CProbe* Add(const std::string& name, int z) {
        myProbes.push_back(std::make_unique<CProbe>(name, z, &myLog));
        myProbes.back()->SetParent(&myLayer);
        return myProbes.back().get();
    }
    std::string Order() const {
        std::string order;
        for (const CSprite* child : myLayer.GetChildren()) order += std::to_string(child->GetZ()) + " ";
        return order;
    }
    // Redraws and returns what was erased since the last call and what the redraw drew.
    std::string Redraw() {
        myLayer.Redraw(&myTarget);
        std::string log = myLog;
        myLog.clear();
        return log;
    }
    std::string Take() {
        std::string log = myLog;
        myLog.clear();
        return log;
    }

    std::string myLog;
    CSprite myTarget;
    CSpriteLayer myLayer;
    std::vector<std::unique_ptr<CProbe>> myProbes;
};

TEST_F(SpriteLayer, KeepsChildrenNearestFirstAndDrawsThemBackToFront) {
    Add("a", 200);
    Add("b", 10);
    Add("c", 50);
    EXPECT_EQ("10 50 200 ", Order());
    EXPECT_EQ("ra rc rb ", Redraw());
    // A refresh with nothing changed draws nothing.
    EXPECT_EQ("", Redraw());
}

TEST_F(SpriteLayer, AddingErasesOnlyTheNearerChildren) {
    Add("10", 10);
    Add("50", 50);
    Add("200", 200);
    Redraw();
    CProbe* added = Add("new", 50);
    // Inserted after the Z 10 sprite and before the Z 50 one already there.
    ASSERT_EQ(4u, myLayer.GetChildren().size());
    EXPECT_EQ(added, *std::next(myLayer.GetChildren().begin()));
    EXPECT_EQ("e10 ", Take());
    EXPECT_EQ("rnew r10 ", Redraw());
}

TEST_F(SpriteLayer, AChangeRedrawsTheSpriteAndEverythingInFrontOfIt) {
    CProbe* far = Add("far", 300);
    Add("mid", 200);
    CProbe* near = Add("near", 100);
    Redraw();

    far->SetX(5);
    EXPECT_EQ("enear emid efar rfar rmid rnear ", Redraw());
    near->SetX(5);
    EXPECT_EQ("enear rnear ", Redraw());
    // A second change before the redraw erases nothing more.
    far->SetX(6);
    far->SetY(7);
    far->SetAlpha(3);
    EXPECT_EQ("enear emid efar rfar rmid rnear ", Redraw());
}

TEST_F(SpriteLayer, RemovingErasesUpToTheSpriteAndRedrawsTheNearerOnes) {
    Add("near", 10);
    CProbe* mid = Add("mid", 20);
    Add("far", 30);
    Redraw();
    myLayer.RemoveSprite(mid);
    EXPECT_EQ("10 30 ", Order());
    EXPECT_EQ("enear emid rnear ", Redraw());

    // A sprite that is not a child changes no list; the walk erases every child, and every
    // child is drawn again.
    CProbe stranger("x", 15, &myLog);
    myLayer.RemoveSprite(&stranger);
    EXPECT_EQ("10 30 ", Order());
    EXPECT_EQ("enear efar rfar rnear ", Redraw());
    myLayer.HideSprite(&stranger);
    EXPECT_TRUE(myLayer.GetHidden().empty());
    EXPECT_EQ("enear efar rfar rnear ", Redraw());
}

TEST_F(SpriteLayer, HiddenSpritesLeaveTheDrawingUntilShown) {
    Add("near", 10);
    CProbe* mid = Add("mid", 20);
    Add("far", 30);
    Redraw();
    mid->SetVisible(false);
    EXPECT_TRUE(mid->IsHidden());
    EXPECT_EQ(nullptr, mid->GetParent());
    EXPECT_EQ("10 30 ", Order());
    EXPECT_EQ("enear emid rnear ", Redraw());
    // Changing a hidden sprite reaches no layer.
    mid->SetX(9);
    EXPECT_EQ("", Redraw());

    mid->SetVisible(true);
    EXPECT_EQ(&myLayer, mid->GetParent());
    EXPECT_EQ("10 20 30 ", Order());
    EXPECT_EQ("enear rmid rnear ", Redraw());

    // Showing a sprite that is not hidden does nothing.
    myLayer.ShowSprite(mid);
    EXPECT_EQ("10 20 30 ", Order());
    EXPECT_EQ("", Redraw());
}

TEST_F(SpriteLayer, ChangingZResortsAndRedrawsTheAffectedDepths) {
    CProbe* a = Add("a", 10);
    Add("b", 20);
    Add("c", 30);
    Redraw();
    a->SetZ(25);
    EXPECT_EQ("20 25 30 ", Order());
    EXPECT_EQ("ea eb ra rb ", Redraw());
    a->SetZ(25);  // unchanged
    EXPECT_EQ("", Redraw());
}

TEST_F(SpriteLayer, InvalidateFromZWithoutChildrenOnlyRaisesTheWatermark) {
    myLayer.InvalidateFromZ(70);
    EXPECT_EQ(70, myLayer.GetWatermark());
    EXPECT_FALSE(myLayer.Redraw(&myTarget));
}

TEST_F(SpriteLayer, SpritesAndLayersMayGoInEitherOrder) {
    Add("a", 10);
    Add("b", 20);
    Redraw();
    myProbes.pop_back();  // b leaves the layer as it is deleted (its probe part is gone by then)
    EXPECT_EQ("10 ", Order());
    EXPECT_EQ("ea ra ", Redraw());

    CProbe survivor("s", 5, &myLog);
    CProbe hidden("h", 6, &myLog);
    {
        CSpriteLayer layer;
        survivor.SetParent(&layer);
        hidden.SetParent(&layer);
        hidden.SetVisible(false);
    }
    EXPECT_EQ(nullptr, survivor.GetParent());
    EXPECT_FALSE(hidden.IsHidden());
    survivor.SetX(3);  // reaches no layer
    hidden.SetVisible(true);
    EXPECT_EQ(nullptr, hidden.GetParent());
}

TEST_F(SpriteLayer, ANestedLayerReportsItsChangesUpward) {
    CSpriteLayer inner;
    inner.SetTarget(&myTarget);
    inner.SetZ(50);
    inner.SetParent(&myLayer);
    CProbe far("far", 100, &myLog);
    far.SetParent(&myLayer);
    CProbe child("child", 1, &myLog);
    child.SetParent(&inner);
    Redraw();
    EXPECT_EQ("", Redraw());

    // Whatever happens behind the inner layer redraws its children too.
    far.SetX(9);
    EXPECT_EQ("echild efar rfar rchild ", Redraw());
    child.SetX(9);
    EXPECT_EQ("echild rchild ", Redraw());
    child.SetParent(nullptr);
}

}  // namespace
