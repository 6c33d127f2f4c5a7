// Tests of the desktop widget: the single instance, keeping children inside, the capture list
// before routing, and the widget factory's class names.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/ui/cwidgetfactory.h"

namespace {

using tarn::CRect;
using tarn::ui::CDesktopWidget;
using tarn::ui::CWidget;
using tarn::ui::CWidgetEvent;

class CJournalWidget : public CWidget {
public:
    CJournalWidget(CWidget* parent, const CRect& rect, const std::string& name, std::vector<std::string>* journal)
        : CWidget(parent, rect, false, name, ""), myJournal(journal) {}
    void OnEvent(const CWidgetEvent& event) override {
        myJournal->push_back(GetName() + ":" + std::to_string(event.type));
    }

private:
    std::vector<std::string>* myJournal;
};

class DesktopWidget : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(myDisplay.IsOpen()); }
    void TearDown() override {
        CDesktopWidget::DeleteSingleton();
        testsupport::ResetEngine();
    }
    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(DesktopWidget, KeepsChildrenInsideWithoutResizing) {
    CDesktopWidget* desktop = CDesktopWidget::GetSingleton();
    desktop->SetSize(100, 80);
    EXPECT_EQ(CRect(10, 10, 20, 20), desktop->ClipChildRect(CRect(10, 10, 20, 20)));
    EXPECT_EQ(CRect(0, 0, 20, 20), desktop->ClipChildRect(CRect(-5, -9, 20, 20)));
    EXPECT_EQ(CRect(80, 60, 20, 20), desktop->ClipChildRect(CRect(95, 70, 20, 20)));
    // Larger than the desktop: the right and bottom edges win.
    EXPECT_EQ(CRect(-20, -10, 120, 90), desktop->ClipChildRect(CRect(5, 5, 120, 90)));
    EXPECT_EQ(CRect(80, 0, 20, 20), desktop->ClipChildRect(CRect(2147483600, -2147483600, 20, 20)));

    CWidget* child = new CWidget(desktop, CRect(90, 70, 20, 20), false, "child", "");
    EXPECT_EQ(CRect(80, 60, 20, 20), child->GetRect());
    child->MoveBy(-100, 5);
    EXPECT_EQ(CRect(0, 60, 20, 20), child->GetRect());
}

TEST_F(DesktopWidget, CaptureListSeesEventsBeforeRouting) {
    std::vector<std::string> journal;
    CDesktopWidget* desktop = CDesktopWidget::GetSingleton();
    desktop->SetSize(100, 80);
    auto* target = new CJournalWidget(desktop, CRect(0, 0, 50, 50), "target", &journal);
    auto* holder = new CJournalWidget(desktop, CRect(60, 60, 10, 10), "holder", &journal);
    CWidget::AddMouseListener(holder);
    CWidgetEvent event;
    event.type = tarn::ui::WIDGET_EVENT_BUTTON_DOWN;
    event.x = 5;
    event.y = 5;
    EXPECT_TRUE(desktop->HandleEvent(event));
    EXPECT_EQ((std::vector<std::string>{"holder:4", "target:3", "target:4"}), journal);
    EXPECT_EQ(target, CWidget::GetHoverWidget());
    // Over and out never come from outside, not even to the capture list.
    journal.clear();
    event.type = tarn::ui::WIDGET_EVENT_MOUSE_OUT;
    EXPECT_FALSE(desktop->HandleEvent(event));
    EXPECT_TRUE(journal.empty());
}

TEST_F(DesktopWidget, OneDesktopUntilDeleted) {
    CDesktopWidget* desktop = CDesktopWidget::GetSingleton();
    auto* factory = tarn::ui::CWidgetFactory::GetSingleton();
    EXPECT_EQ(desktop, factory->CreateWidget("CDesktopWidget"));
    int deaths = 0;
    struct CCounted : CWidget {
        CCounted(CWidget* parent, int* deaths) : CWidget(parent, CRect(), false, "c", ""), myDeaths(deaths) {}
        ~CCounted() override { ++*myDeaths; }
        int* myDeaths;
    };
    new CCounted(desktop, &deaths);
    CDesktopWidget::DeleteSingleton();
    EXPECT_EQ(1, deaths);
    CDesktopWidget* again = CDesktopWidget::GetSingleton();
    EXPECT_TRUE(again->GetChildren().empty());
    EXPECT_EQ("desktop", again->GetName());

    for (const char* name : {"CWidget", "CButtonWidget", "CWindowWidget"}) {
        std::unique_ptr<CWidget> made(factory->CreateWidget(name));
        EXPECT_NE(nullptr, made) << name;
    }
}

}  // namespace
