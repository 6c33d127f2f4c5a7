// Tests of the widget tree: ownership and lookup, plain and expression layouts, re-layout on
// parent resize, moving with clipping, depth numbering against sprite Z, event routing with
// over and out notices, the mouse capture list, the hover widget and the widget factory.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/ui/cwidget.h"
#include "tarn/ui/cwidgetfactory.h"

namespace {

using tarn::CRect;
using tarn::ui::CWidget;
using tarn::ui::CWidgetEvent;

// Records every event it gets, as "name:type", into a shared journal.
class CRecordingWidget : public CWidget {
public:
    CRecordingWidget(CWidget* parent, const CRect& rect, const std::string& name, std::vector<std::string>* journal)
        : CWidget(parent, rect, false, name, ""), myJournal(journal) {}
    void OnEvent(const CWidgetEvent& event) override {
        myJournal->push_back(GetName() + ":" + std::to_string(event.type));
    }

private:
    std::vector<std::string>* myJournal;
};

// Keeps its children inside its own rectangle (moving them back in, never resizing them).
class CBoundingWidget : public CWidget {
public:
    using CWidget::CWidget;
    CRect ClipChildRect(const CRect& rect) const override {
        CRect clipped = rect;
        const CRect& own = GetRect();
        if (clipped.x < own.x) clipped.x = own.x;
        if (clipped.y < own.y) clipped.y = own.y;
        if (clipped.x + clipped.w > own.x + own.w) clipped.x = own.x + own.w - clipped.w;
        if (clipped.y + clipped.h > own.y + own.h) clipped.y = own.y + own.h - clipped.h;
        return clipped;
    }
};

// Counts its destructions.
class CCountedWidget : public CWidget {
public:
    CCountedWidget(CWidget* parent, const std::string& name, int* deaths)
        : CWidget(parent, CRect(0, 0, 10, 10), true, name, ""), myDeaths(deaths) {}
    ~CCountedWidget() override { ++*myDeaths; }

private:
    int* myDeaths;
};

CWidgetEvent Event(int type, int x, int y) {
    CWidgetEvent event;
    event.type = type;
    event.x = x;
    event.y = y;
    event.buttons = tarn::ui::kWidgetLeftButton;
    return event;
}

class Widget : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        myRoot.reset(new CWidget(nullptr, CRect(0, 0, 200, 100), false, "root", ""));
    }
    void TearDown() override {
        myRoot.reset();
        EXPECT_EQ(nullptr, CWidget::GetHoverWidget());
        EXPECT_TRUE(tarn::CScreenLayer::GetSingleton()->GetChildren().empty());
        testsupport::ResetEngine();
    }
    CWidget* Child(CWidget* parent, const CRect& rect, const std::string& name, bool relative = false) {
        return new CWidget(parent, rect, relative, name, "");
    }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
    std::unique_ptr<CWidget> myRoot;
};

// Every child lies in front of its parent and every subtree in front of the subtrees of the
// siblings after it, without overlapping ranges; the sprites carry the same numbers.
void ExpectDepthOrder(const CWidget* widget) {
    ASSERT_TRUE(widget->GetSprite());
    EXPECT_EQ(widget->GetDepth(), widget->GetSprite()->GetZ()) << widget->GetName();
    int ceiling = widget->GetDepth();
    const auto& children = widget->GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        EXPECT_LT((*it)->GetDepth(), ceiling) << (*it)->GetName();
        EXPECT_LE((*it)->GetLowestDepth(), (*it)->GetDepth());
        ceiling = (*it)->GetLowestDepth();
        ExpectDepthOrder(*it);
    }
    EXPECT_EQ(children.empty() ? widget->GetDepth() : ceiling, widget->GetLowestDepth()) << widget->GetName();
}

TEST_F(Widget, ConstructionPlacesAndOrdersChildren) {
    CWidget* a = Child(myRoot.get(), CRect(5, 6, 10, 10), "a");
    CWidget* b = Child(myRoot.get(), CRect(5, 6, 10, 10), "b");
    CWidget* inner = Child(a, CRect(1, 2, 3, 4), "inner", true);
    EXPECT_EQ(CRect(6, 8, 3, 4), inner->GetRect());
    EXPECT_EQ(CRect(1, 2, 3, 4), inner->GetRelativeRect());
    EXPECT_EQ(myRoot->GetRect(), myRoot->GetRelativeRect());
    ASSERT_EQ(2u, myRoot->GetChildren().size());
    EXPECT_EQ(b, myRoot->GetChildren().front());
    EXPECT_EQ(myRoot.get(), a->GetParent());

    EXPECT_EQ(inner, myRoot->FindByName("inner"));
    EXPECT_EQ(myRoot.get(), myRoot->FindByName("root"));
    EXPECT_EQ(nullptr, myRoot->FindByName("nobody"));
    // The front child is hit first, and the deepest widget along it is returned.
    EXPECT_EQ(b, myRoot->FindDeepestAt(7, 9));
    myRoot->BringToFront(a);
    EXPECT_EQ(inner, myRoot->FindDeepestAt(7, 9));
    EXPECT_EQ(a, myRoot->FindDeepestAt(14, 15));
    EXPECT_EQ(myRoot.get(), myRoot->FindDeepestAt(100, 50));
    EXPECT_EQ(nullptr, myRoot->FindDeepestAt(200, 50));
}

TEST_F(Widget, ReparentingRemovingAndDeleting) {
    int deaths = 0;
    auto* a = new CCountedWidget(myRoot.get(), "a", &deaths);
    auto* b = new CCountedWidget(a, "b", &deaths);
    new CCountedWidget(b, "c", &deaths);
    // A widget cannot move under itself or its own descendant.
    a->SetParent(b);
    EXPECT_EQ(myRoot.get(), a->GetParent());
    a->SetParent(a);
    EXPECT_EQ(myRoot.get(), a->GetParent());

    b->SetParent(myRoot.get());
    EXPECT_EQ(b, myRoot->GetChildren().front());
    EXPECT_TRUE(a->GetChildren().empty());
    ExpectDepthOrder(myRoot.get());

    myRoot->RemoveChild(b);
    EXPECT_EQ(nullptr, b->GetParent());
    EXPECT_EQ(1u, myRoot->GetChildren().size());
    myRoot->AddChild(b);
    EXPECT_EQ(b, myRoot->GetChildren().front());

    delete b;  // leaves the root's list and takes c with it
    EXPECT_EQ(2, deaths);
    EXPECT_EQ(1u, myRoot->GetChildren().size());
    myRoot.reset();
    EXPECT_EQ(3, deaths);
}

TEST_F(Widget, TellsPlainNumbersFromExpressions) {
    struct Case {
        const char* text;
        bool expression;
    };
    const Case cases[] = {{"12", false},       {"-5", false},      {"+7", false},        {" 3.5 ", false},
                          {"", false},         {"-", true},        {"+", true},         {"parent.x", true},
                          {"parent.w - 4", true}, {"--5", true},   {"1e3", true},        {"2+2", true},
                          {"this.h", true},    {"- 5", true}};
    for (const Case& c : cases) EXPECT_EQ(c.expression, CWidget::IsLayoutExpression(c.text)) << c.text;
}

TEST_F(Widget, PlainNumbersStoreNoExpressions) {
    CWidget* child = Child(myRoot.get(), CRect(), "child");
    child->SetLayout("20", "-5", "+40", "10.9");
    EXPECT_FALSE(child->HasLayoutExpressions());
    EXPECT_EQ(CRect(20, -5, 40, 10), child->GetRect());
    // Without expressions the default layout mode scales: twice as wide, half as high.
    child->SetLayout("20", "10", "40", "10");
    myRoot->SetSize(400, 50);
    EXPECT_EQ(CRect(40, 5, 80, 5), child->GetRect());

    // Expressions are dropped again by a later plain layout.
    child->SetLayout("parent.x", "0", "1", "1");
    EXPECT_TRUE(child->HasLayoutExpressions());
    child->SetLayout("1", "2", "3", "4");
    EXPECT_FALSE(child->HasLayoutExpressions());
}

TEST_F(Widget, ExpressionsFollowTheParent) {
    myRoot->SetRect(CRect(10, 20, 200, 100));
    CWidget* centred = Child(myRoot.get(), CRect(), "centred");
    centred->SetLayout("parent.x + ( parent.w / 2 - ( parent.w * 0.9 / 2 ) )",
                       "parent.y + ( parent.h / 2 - ( parent.h * 0.9 / 2 ) )", "parent.w * 0.9", "parent.h * 0.9");
    EXPECT_EQ(CRect(20, 25, 180, 90), centred->GetRect());
    CWidget* small = Child(myRoot.get(), CRect(), "small");
    small->SetLayout("parent.x + (parent.w / 2 - 5)", "parent.y + parent.h - 24", "10", "this.w");
    EXPECT_EQ(CRect(105, 96, 10, 0), small->GetRect());

    CWidget* grandchild = Child(centred, CRect(), "grandchild");
    grandchild->SetLayout("parent.x + 2", "parent.y + 2", "parent.w - 4", "parent.h - 4");

    myRoot->SetSize(400, 300);
    EXPECT_EQ(CRect(30, 35, 360, 270), centred->GetRect());
    EXPECT_EQ(CRect(205, 296, 10, 10), small->GetRect());
    EXPECT_EQ(CRect(32, 37, 356, 266), grandchild->GetRect());
    myRoot->SetSize(100, 60);
    EXPECT_EQ(CRect(15, 23, 90, 54), centred->GetRect());
    EXPECT_EQ(CRect(17, 25, 86, 50), grandchild->GetRect());
}

TEST_F(Widget, ExpressionResultsStayWithinIntegers) {
    CWidget* child = Child(myRoot.get(), CRect(), "child");
    child->SetLayout("2147483647 * 10", "0 - 2147483647 * 10", "parent.w / 0", "0 / 0");
    const int most = 2147483647;
    EXPECT_EQ(CRect(most, -most - 1, 0, 0), child->GetRect());
    EXPECT_EQ(0, CWidget::EvaluateLayoutExpression("", child));
    EXPECT_EQ(-2, CWidget::EvaluateLayoutExpression("0 - 5 / 2", child));
}

TEST_F(Widget, LayoutModesOnParentResize) {
    myRoot->SetRect(CRect(0, 0, 100, 100));
    CWidget* keep = Child(myRoot.get(), CRect(10, 10, 20, 20), "keep");
    keep->SetLayoutMode(tarn::ui::LAYOUT_KEEP);
    CWidget* centre = Child(myRoot.get(), CRect(10, 30, 20, 20), "centre");
    centre->SetLayoutMode(tarn::ui::LAYOUT_KEEP_CENTRE_SCALED);
    CWidget* scale = Child(myRoot.get(), CRect(10, 10, 20, 20), "scale");
    CWidget* other = Child(myRoot.get(), CRect(1, 2, 3, 4), "other");
    other->SetLayoutMode(7);

    myRoot->SetSize(200, 50);
    EXPECT_EQ(CRect(10, 10, 20, 20), keep->GetRect());
    EXPECT_EQ(CRect(30, 10, 20, 20), centre->GetRect());  // centre (20, 40) goes to (40, 20)
    EXPECT_EQ(CRect(20, 5, 40, 10), scale->GetRect());
    EXPECT_EQ(CRect(1, 2, 3, 4), other->GetRect());

    // A parent that had no width or height scales nothing on that axis instead of dividing by 0.
    myRoot->SetSize(0, 50);
    myRoot->SetSize(100, 50);
    EXPECT_EQ(CRect(0, 5, 0, 10), scale->GetRect());
}

TEST_F(Widget, KeepModeFollowsAParentThatIsNotAtTheOrigin) {
    auto* frame = new CBoundingWidget(myRoot.get(), CRect(50, 20, 100, 60), false, "frame", "");
    CWidget* keep = Child(frame, CRect(130, 30, 20, 20), "keep");
    keep->SetLayoutMode(tarn::ui::LAYOUT_KEEP);
    frame->SetSize(80, 60);
    EXPECT_EQ(CRect(110, 30, 20, 20), keep->GetRect());
}

TEST_F(Widget, MovingAParentMovesItsDescendants) {
    CWidget* parent = Child(myRoot.get(), CRect(10, 10, 50, 50), "parent");
    CWidget* child = Child(parent, CRect(5, 5, 10, 10), "child", true);
    CWidget* grandchild = Child(child, CRect(1, 1, 2, 2), "grandchild", true);
    parent->SetPosition(30, 5);
    EXPECT_EQ(CRect(30, 5, 50, 50), parent->GetRect());
    EXPECT_EQ(CRect(35, 10, 10, 10), child->GetRect());
    EXPECT_EQ(CRect(36, 11, 2, 2), grandchild->GetRect());

    // A parent that keeps its children inside stops them at its edge; their own children
    // move only as far as they did.
    auto* frame = new CBoundingWidget(myRoot.get(), CRect(0, 0, 100, 100), false, "frame", "");
    CWidget* box = Child(frame, CRect(80, 10, 10, 10), "box");
    CWidget* dot = Child(box, CRect(82, 12, 1, 1), "dot");
    box->MoveBy(30, 5);
    EXPECT_EQ(CRect(90, 15, 10, 10), box->GetRect());
    EXPECT_EQ(CRect(92, 17, 1, 1), dot->GetRect());
    box->MoveBy(5, 0);
    EXPECT_EQ(CRect(90, 15, 10, 10), box->GetRect());
    EXPECT_EQ(CRect(92, 17, 1, 1), dot->GetRect());
}

TEST_F(Widget, DepthsFollowTheTreeIntoSpriteZ) {
    CWidget* back = Child(myRoot.get(), CRect(0, 0, 50, 50), "back");
    CWidget* front = Child(myRoot.get(), CRect(0, 0, 50, 50), "front");
    ExpectDepthOrder(myRoot.get());
    EXPECT_LT(front->GetDepth(), back->GetDepth());

    // Children added later to the back widget push the front widget further forward.
    CWidget* backChild = Child(back, CRect(0, 0, 5, 5), "backChild");
    Child(backChild, CRect(0, 0, 5, 5), "deep");
    Child(back, CRect(0, 0, 5, 5), "backChild2");
    ExpectDepthOrder(myRoot.get());
    EXPECT_LT(front->GetDepth(), back->GetLowestDepth());

    myRoot->BringToFront(back);
    ExpectDepthOrder(myRoot.get());
    EXPECT_LT(backChild->GetDepth(), front->GetDepth());
    EXPECT_LT(back->GetSprite()->GetZ(), front->GetSprite()->GetZ());

    delete backChild;
    ExpectDepthOrder(myRoot.get());
}

TEST_F(Widget, OverlappingChildrenPassIgnoredEventsOn) {
    std::vector<std::string> journal;
    auto* second = new CRecordingWidget(myRoot.get(), CRect(0, 0, 50, 50), "second", &journal);
    auto* first = new CRecordingWidget(myRoot.get(), CRect(20, 20, 50, 50), "first", &journal);
    first->IgnoreEvent(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, true);
    first->IgnoreEvent(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, true);
    EXPECT_TRUE(myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 30, 30)));
    EXPECT_EQ((std::vector<std::string>{"second:3", "second:4"}), journal);
    EXPECT_EQ(second, CWidget::GetHoverWidget());

    journal.clear();
    first->IgnoreEvent(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, false);
    EXPECT_FALSE(first->IsEventIgnored(tarn::ui::WIDGET_EVENT_BUTTON_DOWN));
    EXPECT_TRUE(myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 30, 30)));
    EXPECT_EQ((std::vector<std::string>{"second:2", "first:3", "first:4"}), journal);

    // Outside the first only, an ignored press goes to the parent; the parent itself ignoring
    // it leaves the event untaken. Outside the root nothing takes it.
    journal.clear();
    first->IgnoreEvent(tarn::ui::WIDGET_EVENT_BUTTON_UP, true);
    EXPECT_TRUE(myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_BUTTON_UP, 60, 60)));
    EXPECT_EQ(myRoot.get(), CWidget::GetHoverWidget());
    myRoot->IgnoreEvent(tarn::ui::WIDGET_EVENT_BUTTON_UP, true);
    EXPECT_FALSE(myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_BUTTON_UP, 60, 60)));
    EXPECT_FALSE(myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_MOTION, 300, 60)));
    // Over and out are never taken from outside.
    EXPECT_FALSE(myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_MOUSE_OVER, 30, 30)));
    EXPECT_EQ((std::vector<std::string>{"first:2"}), journal);
}

TEST_F(Widget, PointerMovesSendOutThenOverThenMotion) {
    std::vector<std::string> journal;
    auto* left = new CRecordingWidget(myRoot.get(), CRect(0, 0, 50, 50), "left", &journal);
    auto* right = new CRecordingWidget(myRoot.get(), CRect(50, 0, 50, 50), "right", &journal);
    const int motion = tarn::ui::WIDGET_EVENT_MOTION;
    myRoot->HandleEvent(Event(motion, 10, 10));
    myRoot->HandleEvent(Event(motion, 11, 10));
    myRoot->HandleEvent(Event(motion, 60, 10));
    EXPECT_EQ((std::vector<std::string>{"left:3", "left:1", "left:1", "left:2", "right:3", "right:1"}), journal);

    // Widgets ignoring over or out get only what they take.
    journal.clear();
    left->IgnoreEvent(tarn::ui::WIDGET_EVENT_MOUSE_OVER, true);
    right->IgnoreEvent(tarn::ui::WIDGET_EVENT_MOUSE_OUT, true);
    myRoot->HandleEvent(Event(motion, 10, 10));
    EXPECT_EQ((std::vector<std::string>{"left:1"}), journal);
}

TEST_F(Widget, DeletingTheHoverWidgetClearsIt) {
    std::vector<std::string> journal;
    auto* gone = new CRecordingWidget(myRoot.get(), CRect(0, 0, 50, 50), "gone", &journal);
    new CRecordingWidget(myRoot.get(), CRect(50, 0, 50, 50), "stays", &journal);
    myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_MOTION, 10, 10));
    EXPECT_EQ(gone, CWidget::GetHoverWidget());
    delete gone;
    EXPECT_EQ(nullptr, CWidget::GetHoverWidget());
    journal.clear();
    // No out notice goes to the deleted widget.
    myRoot->HandleEvent(Event(tarn::ui::WIDGET_EVENT_MOTION, 60, 10));
    EXPECT_EQ((std::vector<std::string>{"stays:3", "stays:1"}), journal);
    // Deleting the parent of the hover widget clears it as well.
    myRoot.reset();
    EXPECT_EQ(nullptr, CWidget::GetHoverWidget());
}

// Leaves the capture list (and takes the next widget off it) when it gets an event.
class CLeavingWidget : public CRecordingWidget {
public:
    using CRecordingWidget::CRecordingWidget;
    void OnEvent(const CWidgetEvent& event) override {
        CRecordingWidget::OnEvent(event);
        CWidget::RemoveMouseListener(this);
        CWidget::RemoveMouseListener(myNext);
    }
    CWidget* myNext = nullptr;
};

TEST_F(Widget, CaptureListCallsEachListedWidget) {
    std::vector<std::string> journal;
    auto* a = new CRecordingWidget(myRoot.get(), CRect(), "a", &journal);
    auto* leaving = new CLeavingWidget(myRoot.get(), CRect(), "leaving", &journal);
    auto* b = new CRecordingWidget(myRoot.get(), CRect(), "b", &journal);
    auto* c = new CRecordingWidget(myRoot.get(), CRect(), "c", &journal);
    leaving->myNext = b;
    CWidget::AddMouseListener(a);
    CWidget::AddMouseListener(a);
    CWidget::AddMouseListener(leaving);
    CWidget::AddMouseListener(b);
    CWidget::AddMouseListener(c);
    CWidget::NotifyMouseListeners(Event(tarn::ui::WIDGET_EVENT_MOTION, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"a:1", "leaving:1", "c:1"}), journal);
    EXPECT_FALSE(CWidget::IsMouseListener(leaving));

    // A deleted widget leaves the list.
    delete c;
    journal.clear();
    CWidget::NotifyMouseListeners(Event(tarn::ui::WIDGET_EVENT_BUTTON_DOWN, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"a:4"}), journal);
    CWidget::RemoveMouseListener(a);
    EXPECT_FALSE(CWidget::IsMouseListener(a));
}

TEST_F(Widget, FactoryMakesWidgetsByClassName) {
    std::unique_ptr<CWidget> made(tarn::ui::CWidgetFactory::GetSingleton()->CreateWidget("CWidget"));
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(nullptr, made->GetParent());
    EXPECT_EQ(tarn::ui::LAYOUT_SCALE, made->GetLayoutMode());
    EXPECT_FALSE(made->GetSprite());
    EXPECT_EQ(nullptr, tarn::ui::CWidgetFactory::GetSingleton()->CreateWidget("CNoSuchWidget"));
}

}  // namespace
