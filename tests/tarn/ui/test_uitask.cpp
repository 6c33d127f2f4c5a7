// Tests of the user-interface task: registration, sizing the desktop, turning dispatcher
// motion and buttons into widget events, and stopping (the tree goes, the listeners leave).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/ui/cuitask.h"

namespace {

using tarn::CEventDispatcher;
using tarn::CRect;
using tarn::ui::CDesktopWidget;
using tarn::ui::CWidget;
using tarn::ui::CWidgetEvent;

class CEventLog : public CWidget {
public:
    CEventLog(CWidget* parent, std::vector<std::string>* journal, int* deaths)
        : CWidget(parent, CRect(10, 10, 50, 50), false, "log", ""), myJournal(journal), myDeaths(deaths) {}
    ~CEventLog() override { ++*myDeaths; }
    void OnEvent(const CWidgetEvent& event) override {
        int dx = 0;
        int dy = 0;
        if (event.mouse) event.mouse->GetMovement(dx, dy);
        myJournal->push_back(std::to_string(event.type) + "@" + std::to_string(event.x) + "," +
                             std::to_string(event.y) + " b" + std::to_string(event.buttons) + " m" +
                             std::to_string(dx) + "," + std::to_string(dy));
    }

private:
    std::vector<std::string>* myJournal;
    int* myDeaths;
};

class UiTask : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(myDisplay.IsOpen()); }
    void TearDown() override {
        CDesktopWidget::DeleteSingleton();
        testsupport::ResetEngine();
    }
    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(UiTask, RoutesDispatcherEventsToTheDesktop) {
    EXPECT_TRUE(tarn::CTaskFactory::GetSingleton()->HasTaskType("ui"));
    CEventDispatcher* dispatcher = CEventDispatcher::GetSingleton();
    dispatcher->NotifyResize(320, 240);
    tarn::ui::CUiTask task;
    ASSERT_TRUE(task.Start());
    EXPECT_EQ(CRect(0, 0, 320, 240), CDesktopWidget::GetSingleton()->GetRect());
    dispatcher->NotifyResize(400, 300);
    EXPECT_EQ(CRect(0, 0, 400, 300), CDesktopWidget::GetSingleton()->GetRect());

    std::vector<std::string> journal;
    int deaths = 0;
    new CEventLog(CDesktopWidget::GetSingleton(), &journal, &deaths);
    dispatcher->NotifyMouseMove(20, 30);
    dispatcher->NotifyMouseDown(4);
    dispatcher->NotifyMouseMove(25, 32);
    dispatcher->NotifyMouseUp(4);
    dispatcher->NotifyMouseMove(26, 32);
    EXPECT_EQ((std::vector<std::string>{"3@20,30 b0 m-20,-30", "1@20,30 b0 m-20,-30", "4@20,30 b4 m-20,-30",
                                        "1@25,32 b4 m-5,-2", "5@25,32 b4 m-5,-2", "1@26,32 b0 m-1,0"}),
              journal);

    task.OnStop();
    EXPECT_EQ(1, deaths);
    // Stopped, the task hears nothing more: no new desktop is made for it.
    journal.clear();
    dispatcher->NotifyMouseMove(20, 30);
    dispatcher->NotifyResize(100, 100);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(CRect(), CDesktopWidget::GetSingleton()->GetRect());
}

}  // namespace
