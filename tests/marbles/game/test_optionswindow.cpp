// Tests of the options window over the title, driven through the widgets as the ui task hands
// them the pointer: opening it by button and key, its buttons applying each change at once
// through the audio and window interfaces, the title ignoring clicks under it, Escape closing
// it, what is saved and read back at the next start; and the music each screen plays.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "marbles/game/cgamesettings.h"
#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblestask.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/game/coptionswindow.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/iaudiooutput.h"
#include "tarn/tasks/iwindowcontrol.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/ui/cuimouse.h"

using namespace marbles;

namespace {

using CUi = CMarblesInGameUi;

// Stands in for the audio and window tasks: keeps every call the game makes through their
// interfaces.
class COptionsRecorder : public tarn::CTask, public tarn::IAudioOutput, public tarn::IWindowControl {
public:
    bool Start() override { return true; }
    void Update() override {}
    void OnStop() override {}
    void PlayMusic(const std::string& file) override { theCalls.push_back("PlayMusic " + file); }
    void PlayEffect(const std::string& file) override { theCalls.push_back("PlayEffect " + file); }
    void SetMusicVolume(float volume) override { theCalls.push_back("music " + std::to_string(volume)); }
    void SetEffectsVolume(float volume) override { theCalls.push_back("effects " + std::to_string(volume)); }
    void ToggleFullscreen() override { SetFullscreen(!theFullscreen); }
    void SetFullscreen(bool fullscreen) override {
        theFullscreen = fullscreen;
        theCalls.push_back(fullscreen ? "fullscreen" : "windowed");
    }
    bool IsFullscreen() const override { return theFullscreen; }
    static std::vector<std::string> theCalls;
    static bool theFullscreen;
};

std::vector<std::string> COptionsRecorder::theCalls;
bool COptionsRecorder::theFullscreen = false;
tarn::CTaskRegistrar<COptionsRecorder> theOptionsRecorder("optionsrecorder");

const std::string HEADER = "// Marbles settings, written by the options window (O on the title)\n";

class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        ASSERT_TRUE(myDisplay.IsOpen());
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
        tarn::ui::CDesktopWidget::GetSingleton()->SetSize(640, 480);
        COptionsRecorder::theCalls.clear();
        COptionsRecorder::theFullscreen = false;
        for (const char* name : {"audio", "window"})
            ASSERT_TRUE(tarn::CTaskFactory::GetSingleton()->StartTask("optionsrecorder", name, 30, nullptr));
        tarn::CMouse::GetSingleton()->OnMouseMove(1, 1);
    }
    void TearDown() override {
        myTask.reset();
        SetCommandLineSettings(CGameSettings());
        tarn::ui::CDesktopWidget::DeleteSingleton();
        testsupport::ResetEngine();
    }
    void Start() {
        myTask = std::make_unique<CMarblesTask>();
        ASSERT_TRUE(myTask->Start());
        myTask->Update();
    }
    CMarblesTask::CMarblesTaskImpl* Impl() const { return myTask->GetImpl(); }
    COptionsWindow* Window() const { return Impl()->GetOptionsWindow(); }
    // A left click of the mouse device (what the title screen hears), then the game's update.
    void ClickScreen(int x, int y) {
        tarn::CMouse::GetSingleton()->OnMouseMove(x, y);
        tarn::CMouse::GetSingleton()->OnMouseDown(1);
        tarn::CMouse::GetSingleton()->OnMouseUp(1);
        myTask->Update();
    }
    // A left click on the window's button named, as the ui task sends it to the desktop, with
    // the mouse device hearing it too; then the game's update.
    void ClickButton(const std::string& name) {
        tarn::ui::CButtonWidget* button = Window()->GetButton(name);
        ASSERT_NE(button, nullptr) << name;
        const tarn::CRect rect = button->GetRect();
        tarn::ui::CWidgetEvent event;
        event.x = rect.x + rect.w / 2;
        event.y = rect.y + rect.h / 2;
        event.buttons = 1;
        event.mouse = &myMouse;
        tarn::CMouse::GetSingleton()->OnMouseMove(event.x, event.y);
        tarn::CMouse::GetSingleton()->OnMouseDown(1);
        for (int type : {tarn::ui::WIDGET_EVENT_BUTTON_DOWN, tarn::ui::WIDGET_EVENT_BUTTON_UP}) {
            event.type = type;
            tarn::ui::CDesktopWidget::GetSingleton()->HandleEvent(event);
        }
        tarn::CMouse::GetSingleton()->OnMouseUp(1);
        myTask->Update();
    }
    std::vector<std::string> TakeCalls() {
        std::vector<std::string> calls;
        calls.swap(COptionsRecorder::theCalls);
        return calls;
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{100000};
    testsupport::CGfxDisplay myDisplay{640, 480};
    tarn::ui::CUiMouse myMouse;
    std::unique_ptr<CMarblesTask> myTask;
};

}  // namespace

TEST_F(OptionsWindow, ItsButtonsApplyEachChangeAtOnceEscapeClosesItAndTheChangesAloneAreSaved) {
    Start();
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"PlayMusic data/sound/music.wav", "music 1.000000", "effects 1.000000"}));
    const tarn::CRect button = CUi::OptionsButtonRect();
    ClickScreen(button.x + 2, button.y + 2);
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Impl()->GetScreen()->GetState(), CUi::STATE_TITLE) << "the click opened the window only";
    ClickButton("music_volume-");
    ClickButton("music_volume-");
    ClickButton("effects_volume+");  // already at 100: nothing changes
    ClickButton("fullscreen");
    EXPECT_EQ(Window()->GetShownValue(CGameSettings::MUSIC_VOLUME), "80");
    EXPECT_EQ(Window()->GetShownValue(CGameSettings::EFFECTS_VOLUME), "100");
    EXPECT_EQ(Window()->GetShownValue(CGameSettings::FULLSCREEN), "On");
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"music 0.900000", "effects 1.000000", "music 0.800000",
                                                     "effects 1.000000", "fullscreen"}));
    // A click over the window never reaches the title below it; the title's own buttons wait too.
    ClickScreen(320, 300);
    ClickScreen(CUi::LevelsButtonRect().x + 2, CUi::LevelsButtonRect().y + 2);
    EXPECT_EQ(Impl()->GetScreen()->GetState(), CUi::STATE_TITLE);
    EXPECT_FALSE(std::filesystem::exists("data/settings.txt")) << "saved when the window closes";
    myTask->ExecuteCommand("Back");
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(Impl()->GetScreen()->GetState(), CUi::STATE_TITLE) << "Escape closed the window only";
    EXPECT_EQ(testsupport::ReadFile("data/settings.txt"), HEADER + "music_volume = 80\nfullscreen = 1\n");

    // Next run, with --windowed: the saved volume applies, the command line's window wins and
    // is not saved; the O key opens the window, whose OK saves a change over the file.
    myTask.reset();
    COptionsRecorder::theFullscreen = false;
    TakeCalls();
    SetCommandLineSettings(CGameSettings::FromLines({"fullscreen = 0"}));
    Start();
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"PlayMusic data/sound/music.wav", "music 0.800000", "effects 1.000000"}));
    myTask->ExecuteCommand("Options");
    myTask->Update();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Window()->GetShownValue(CGameSettings::FULLSCREEN), "Off");
    ClickButton("effects_volume-");
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"music 0.800000", "effects 0.900000", "PlayEffect data/sound/click.wav"}));
    ClickButton("ok");
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(testsupport::ReadFile("data/settings.txt"),
              HEADER + "music_volume = 80\neffects_volume = 90\nfullscreen = 1\n");
    // Only over the title: elsewhere the key does nothing.
    ClickScreen(300, 300);
    EXPECT_EQ(Impl()->GetScreen()->GetState(), CUi::STATE_HELP_OR_COMPLETE);
    myTask->ExecuteCommand("Options");
    myTask->Update();
    EXPECT_EQ(Window(), nullptr);
}

TEST_F(OptionsWindow, TheSecondHalfOfTheLevelsPlaysTheSecondPieceAndTheTitleTheFirst) {
    Start();
    TakeCalls();
    for (int position : {12, 13, 24, 1}) {
        Impl()->RequestLevel(position);
        myTask->Update();
    }
    myTask->ExecuteCommand("Back");
    myTask->Update();
    // The piece playing is never started again.
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"PlayMusic data/sound/music2.wav", "PlayMusic data/sound/music.wav"}));
    EXPECT_STREQ(CGameSound::MusicForLevel(2, 3), CGameSound::MUSIC);
    EXPECT_STREQ(CGameSound::MusicForLevel(3, 3), CGameSound::LATER_MUSIC);
}
