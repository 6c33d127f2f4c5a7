// Tests of the developer console: the log collector keeps every line in order and draws only
// when something changed, the console text sprite refreshes every 100 ms of a hand-moved
// clock, and "ToggleConsole" opens and closes the "Dev-tool" window.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/task_debug/cconsolelogbuffer.h"
#include "tarn/tasks/task_debug/cconsolewidget.h"
#include "tarn/tasks/task_debug/cdebugtask.h"
#include "tarn/tasks/task_debug/clotsatextsprite.h"
#include "tarn/tasks/task_debug/ctoggleconsolecommand.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/ui/cwindowwidget.h"
#include "tarn/utils/logger/clogger.h"

namespace {

using tarn::CConsoleLogBuffer;
using tarn::CRect;
using tarn::ui::CDesktopWidget;

std::vector<std::string> Texts(const CConsoleLogBuffer& buffer) {
    std::vector<std::string> texts;
    for (const auto& entry : buffer.GetLines()) texts.push_back(entry.second.text);
    return texts;
}

TEST(ConsoleLogBuffer, KeepsEveryLineInOrderWithoutLineEnds) {
    CConsoleLogBuffer buffer;
    buffer.Write("first\n", tarn::LOG_NORMAL);
    buffer.Write("", tarn::LOG_INDENT_IN);
    buffer.Write("second\n", tarn::LOG_ERROR);
    buffer.Write("third\n", tarn::LOG_DEBUG);
    buffer.Write("", tarn::LOG_INDENT_OUT);
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), Texts(buffer));
    // Without a font every line is one pixel high, stacked one after the other.
    EXPECT_EQ(3, buffer.GetTotalHeight());
    int y = 0;
    for (const auto& entry : buffer.GetLines()) {
        EXPECT_EQ(y, entry.first);
        EXPECT_EQ(y, entry.second.y);
        y += entry.second.height;
    }
}

TEST(ConsoleLogBuffer, IgnoresLinesBelowTheMinimumLevel) {
    CConsoleLogBuffer buffer;
    buffer.SetMinLevel(tarn::LOG_WARNING);
    buffer.Write("chatter\n", tarn::LOG_NORMAL);
    buffer.Write("trouble\n", tarn::LOG_WARNING);
    buffer.Write("failure\n", tarn::LOG_ERROR);
    EXPECT_EQ((std::vector<std::string>{"trouble", "failure"}), Texts(buffer));
}

TEST(ConsoleLogBuffer, TheStartupBufferHearsEveryLoggerEvenARecreatedOne) {
    testsupport::CTempDir dir;
    CConsoleLogBuffer* buffer = CConsoleLogBuffer::GetSingleton();
    ASSERT_NE(nullptr, buffer);
    const size_t before = buffer->GetLines().size();
    *tarn::CLogger::GetSingleton() << "console sees this\n";
    tarn::CLogger::DeleteSingleton();
    *tarn::CLogger::GetSingleton() << "and this after a new logger\n";
    tarn::CLogger::DeleteSingleton();
    const std::vector<std::string> texts = Texts(*buffer);
    ASSERT_EQ(std::min(before + 2, CConsoleLogBuffer::kMaxLines), texts.size());
    EXPECT_NE(std::string::npos, texts[texts.size() - 2].find("console sees this"));
    EXPECT_NE(std::string::npos, texts.back().find("and this after a new logger"));
}

TEST(ConsoleLogBuffer, KeepsOnlyTheLatestLinesLaidOutFromTheTop) {
    // Registered at start-up whether or not the console opens: a long run must not grow it.
    CConsoleLogBuffer buffer;
    const int count = 2 * static_cast<int>(CConsoleLogBuffer::kMaxLines) + 500;
    for (int i = 0; i < count; ++i) buffer.Write("line " + std::to_string(i) + "\n", tarn::LOG_NORMAL);
    const std::vector<std::string> texts = Texts(buffer);
    ASSERT_EQ(texts.size(), CConsoleLogBuffer::kMaxLines);
    EXPECT_EQ(texts.front(), "line " + std::to_string(count - static_cast<int>(CConsoleLogBuffer::kMaxLines)));
    EXPECT_EQ(texts.back(), "line " + std::to_string(count - 1));
    EXPECT_EQ(buffer.GetTotalHeight(), static_cast<int>(CConsoleLogBuffer::kMaxLines));  // one pixel each
}

class ConsoleRender : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        tarn::CSystemFontLoader(&myFont, "");
        myImage = tarn::CreateImage(200, 60);
    }
    void TearDown() override { tarn::ReleaseImage(myImage); }

    testsupport::CGfxDisplay myDisplay{320, 240};
    tarn::CFont myFont;
    tarn::IPixel* myImage = nullptr;
    CConsoleLogBuffer myBuffer;
};

TEST_F(ConsoleRender, SetFontMeasuresEveryLineAgain) {
    myBuffer.Write("one\n", tarn::LOG_NORMAL);
    myBuffer.Write("two\n", tarn::LOG_NORMAL);
    myBuffer.SetFont(&myFont);
    const int lineHeight = myFont.GetLineHeight();
    ASSERT_GT(lineHeight, 1);
    EXPECT_EQ(2 * lineHeight, myBuffer.GetTotalHeight());
    EXPECT_EQ(1, myBuffer.GetLines().count(lineHeight));
    myBuffer.SetFont(nullptr);
    EXPECT_EQ(2, myBuffer.GetTotalHeight());
}

TEST_F(ConsoleRender, LongLinesWrapIntoTheViewWidth) {
    myBuffer.SetFont(&myFont);
    myBuffer.Render(myImage, CRect(0, 0, 200, 60), false);
    myBuffer.Write(std::string(60, 'x') + "\n", tarn::LOG_NORMAL);
    EXPECT_GT(myBuffer.GetTotalHeight(), myFont.GetLineHeight());
}

TEST_F(ConsoleRender, ViewsOfAFullRingShowTheLatestLines) {
    myBuffer.SetFont(&myFont);
    const int lineHeight = myFont.GetLineHeight();
    for (size_t i = 0; i < CConsoleLogBuffer::kMaxLines + 300; ++i) myBuffer.Write("xxxxxxxx\n", tarn::LOG_NORMAL);
    EXPECT_EQ(myBuffer.GetTotalHeight(), static_cast<int>(CConsoleLogBuffer::kMaxLines) * lineHeight);
    const auto Drawn = [&](int viewY) {
        tarn::ReleaseImage(myImage);
        myImage = tarn::CreateImage(200, 60);
        EXPECT_TRUE(myBuffer.Render(myImage, CRect(0, viewY, 200, 60), true));
        int lit = 0;
        for (int y = 0; y < 60; ++y) lit += myImage->GetPixel(2, y) != myImage->GetPixel(199, y);
        return lit;
    };
    // The newest lines at the bottom of the text, the oldest kept at its top, nothing past it.
    EXPECT_GT(Drawn(myBuffer.GetTotalHeight() - 60), 0);
    EXPECT_GT(Drawn(0), 0);
    EXPECT_EQ(Drawn(myBuffer.GetTotalHeight()), 0);
}

TEST_F(ConsoleRender, DrawsOnlyWhenFollowingNewLinesOrTheViewChanges) {
    myBuffer.SetFont(&myFont);
    myBuffer.Write("hello\n", tarn::LOG_NORMAL);
    const CRect view(0, 0, 200, 60);
    EXPECT_FALSE(myBuffer.Render(nullptr, view, true));
    EXPECT_TRUE(myBuffer.Render(myImage, view, false));
    EXPECT_FALSE(myBuffer.Render(myImage, view, false));
    EXPECT_TRUE(myBuffer.Render(myImage, view, true));
    // A new line inside the shown view brings the view along.
    myBuffer.Write("world\n", tarn::LOG_NORMAL);
    EXPECT_TRUE(myBuffer.Render(myImage, view, false));
    EXPECT_FALSE(myBuffer.Render(myImage, view, false));
    EXPECT_TRUE(myBuffer.Render(myImage, CRect(0, 5, 200, 60), false));
}

// Counts the renders the sprite asks for.
class CCountingBuffer : public CConsoleLogBuffer {
public:
    bool Render(tarn::IPixel* image, const CRect& view, bool force) override {
        ++myRenders;
        myLastView = view;
        return CConsoleLogBuffer::Render(image, view, force);
    }
    int myRenders = 0;
    CRect myLastView;
};

TEST(LotsaTextSprite, RefreshesEveryHundredMillisecondsOfItsClock) {
    testsupport::CManualClock clock(1000);
    testsupport::CGfxDisplay display(320, 240);
    ASSERT_TRUE(display.IsOpen());
    CCountingBuffer buffer;
    tarn::CLotsaTextSprite sprite(100, 40);
    sprite.SetTextSource(&buffer);
    tarn::CFakeThread::RunFakeThreads(0);
    const int atStart = buffer.myRenders;
    clock.Advance(50);
    tarn::CFakeThread::RunFakeThreads(0);
    EXPECT_EQ(atStart, buffer.myRenders);
    clock.Advance(60);
    tarn::CFakeThread::RunFakeThreads(0);
    EXPECT_EQ(atStart + 1, buffer.myRenders);
    clock.Advance(100);
    tarn::CFakeThread::RunFakeThreads(0);
    EXPECT_EQ(atStart + 2, buffer.myRenders);
}

TEST(LotsaTextSprite, ScrollOneShowsTheNewestLines) {
    testsupport::CManualClock clock(1000);
    testsupport::CGfxDisplay display(320, 240);
    ASSERT_TRUE(display.IsOpen());
    CCountingBuffer buffer;
    for (int i = 0; i < 100; ++i) buffer.Write("line\n", tarn::LOG_NORMAL);
    tarn::CLotsaTextSprite sprite(100, 40);
    sprite.SetTextSource(&buffer);
    EXPECT_EQ(CRect(0, 60, 100, 40), sprite.GetViewRect());
    sprite.SetScroll(0.0f);
    EXPECT_EQ(CRect(0, 0, 100, 40), buffer.myLastView);
    sprite.SetSize(100, 200);
    EXPECT_EQ(CRect(0, 0, 100, 200), buffer.myLastView);
    // A text shorter than the sprite is shown from its top.
    sprite.SetScroll(1.0f);
    EXPECT_EQ(CRect(0, 0, 100, 200), sprite.GetViewRect());
}

class DebugTask : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        CDesktopWidget::GetSingleton()->SetSize(640, 480);
        ASSERT_TRUE(myTask.Start());
    }
    void TearDown() override {
        myTask.OnStop();
        CDesktopWidget::DeleteSingleton();
        testsupport::ResetEngine();
    }
    tarn::ui::CWidget* FindConsole() { return CDesktopWidget::GetSingleton()->FindByName("Dev-tool"); }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{1000};
    testsupport::CGfxDisplay myDisplay{640, 480};
    tarn::CDebugTask myTask;
};

TEST_F(DebugTask, ToggleConsoleOpensAndClosesTheDevToolWindow) {
    EXPECT_EQ(nullptr, FindConsole());
    EXPECT_TRUE(myTask.ExecuteCommand("ToggleConsole()"));
    ASSERT_NE(nullptr, myTask.GetConsole());
    EXPECT_EQ(myTask.GetConsole(), FindConsole());
    EXPECT_EQ(CRect(10, 10, 400, 200), myTask.GetConsole()->GetRect());
    tarn::ui::CWidget* client = myTask.GetConsole()->FindByName("Dev-tool: console");
    ASSERT_NE(nullptr, client);
    auto* console = dynamic_cast<tarn::CConsoleWidget*>(client);
    ASSERT_NE(nullptr, console);
    ASSERT_NE(nullptr, console->GetTextSprite());
    // It fills the client area and leaves the title bar free.
    EXPECT_EQ(myTask.GetConsole()->GetClientArea()->GetRect(), console->GetRect());
    EXPECT_EQ(console->GetRect().x, console->GetTextSprite()->GetX());
    EXPECT_EQ(console->GetRect().y, console->GetTextSprite()->GetY());
    EXPECT_GT(console->GetRect().y, 10);
    // The buffer now measures with the console's font.
    EXPECT_GT(CConsoleLogBuffer::GetSingleton()->GetTotalHeight(), 0);

    myTask.ExecuteCommand("ToggleConsole");
    EXPECT_EQ(nullptr, myTask.GetConsole());
    EXPECT_EQ(nullptr, FindConsole());
    myTask.ExecuteCommand("ToggleConsole( 1, 2 )");
    EXPECT_NE(nullptr, FindConsole());
}

TEST_F(DebugTask, AWindowClosedByTheUserIsForgottenAtTheNextUpdate) {
    myTask.ToggleConsole();
    ASSERT_NE(nullptr, myTask.GetConsole());
    // A click on the close control (the window lies at 10, 10, 400 wide).
    for (int type : {tarn::ui::WIDGET_EVENT_BUTTON_DOWN, tarn::ui::WIDGET_EVENT_BUTTON_UP}) {
        tarn::ui::CWidgetEvent event;
        event.type = type;
        event.x = 390;
        event.y = 15;
        event.buttons = 1;
        CDesktopWidget::GetSingleton()->HandleEvent(event);
    }
    ASSERT_TRUE(myTask.GetConsole()->IsClosed());
    myTask.Update();
    EXPECT_EQ(nullptr, myTask.GetConsole());
    EXPECT_EQ(nullptr, FindConsole());
}

TEST_F(DebugTask, DeletingTheDesktopFirstLeavesNoDanglingConsole) {
    myTask.ToggleConsole();
    ASSERT_NE(nullptr, myTask.GetConsole());
    CDesktopWidget::DeleteSingleton();
    EXPECT_EQ(nullptr, myTask.GetConsole());
    myTask.Update();
}

TEST_F(DebugTask, StoppingDetachesTheCommand) {
    EXPECT_EQ(&myTask, tarn::CToggleConsoleCommand::GetSingleton()->GetTarget());
    myTask.ToggleConsole();
    myTask.OnStop();
    EXPECT_EQ(nullptr, tarn::CToggleConsoleCommand::GetSingleton()->GetTarget());
    EXPECT_EQ(nullptr, FindConsole());
    EXPECT_EQ("", tarn::CToggleConsoleCommand::GetSingleton()->Execute());
}

TEST_F(DebugTask, ShowsTheUpdatesOfTheLastSecond) {
    ASSERT_NE(nullptr, myTask.GetFpsSprite());
    for (int i = 0; i < 30; ++i) {
        myTask.Update();
        myClock.Advance(30);
    }
    // 30 updates over 900 ms: no sample yet.
    EXPECT_EQ("", myTask.GetFpsSprite()->GetText());
    myClock.Advance(100);
    myTask.Update();
    EXPECT_EQ("Fps: 31", myTask.GetFpsSprite()->GetText());
    EXPECT_EQ(31u, myTask.GetMinFps());
    EXPECT_EQ(31u, myTask.GetMaxFps());
    for (int i = 0; i < 10; ++i) {
        myClock.Advance(110);
        myTask.Update();
    }
    EXPECT_EQ("Fps: 10", myTask.GetFpsSprite()->GetText());
    EXPECT_EQ(10u, myTask.GetMinFps());
    EXPECT_EQ(31u, myTask.GetMaxFps());
}

}  // namespace
