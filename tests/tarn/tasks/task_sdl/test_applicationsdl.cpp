// Tests of the window task under the dummy video driver: start-up arguments, the chosen flags
// and their log lines, opening and reopening the mode, caption, icon checks, the three
// commands, and a failing video driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/testsupport.h"
#include "tarn/gfx/cgfxsettings.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/task_sdl/capplicationsdl.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/ceventtasksdl.h"

namespace {

using tarn::CApplicationSDL;
using tarn::CParameterList;

// A parameter list from a text like "800, 600, \"caption\"" parsed by the real interpreter.
CParameterList* Arguments(const std::string& text) {
    return tarn::CKernel::GetSingleton()->GetConsole()->ParseParameters("f(" + text + ")");
}

std::string Caption() {
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    return title ? title : "(none)";
}

// Writes a w by h BMP with SDL.
void WriteBmp(const std::string& name, int w, int h) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_EQ(0, SDL_SaveBMP(surface, name.c_str()));
    SDL_FreeSurface(surface);
}

class ApplicationSDL : public ::testing::Test {
protected:
    void TearDown() override {
        myWindow.reset();
        testsupport::ResetEngine();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        tarn::GetGfxSettings() = tarn::CGfxSettings();
    }
    // Starts a window task with the given start-up arguments ("" for none).
    void StartWindow(const std::string& arguments) {
        myWindow = std::make_unique<CApplicationSDL>();
        std::unique_ptr<CParameterList> params(Arguments(arguments));
        EXPECT_FALSE(myWindow->Start(params.get()));
    }
    bool Logged(const std::string& line) const { return testsupport::LogBody().find(line) != std::string::npos; }

    testsupport::CTempDir myDir;
    std::unique_ptr<CApplicationSDL> myWindow;
};

TEST_F(ApplicationSDL, DefaultsOpenAResizableWindowAndLogTheChoice) {
    StartWindow("");
    SDL_Surface* video = SDL_GetVideoSurface();
    ASSERT_NE(nullptr, video);
    EXPECT_EQ(video, myWindow->GetScreen());
    EXPECT_EQ(640, video->w);
    EXPECT_EQ(480, video->h);
    EXPECT_EQ(Uint32(SDL_DOUBLEBUF | SDL_RESIZABLE | SDL_ANYFORMAT), myWindow->GetVideoFlags());
    EXPECT_EQ("SDL Window", Caption());
    EXPECT_EQ(640, tarn::CEventDispatcher::GetSingleton()->GetWidth());
    EXPECT_EQ(video->format->BitsPerPixel, tarn::GetGfxSettings().myBitsPerPixel);
    // The versions of the SDL 1.2 in use: classic 1.2.15 or the compatibility library.
    SDL_version compiled;
    SDL_VERSION(&compiled);
    const SDL_version* linked = SDL_Linked_Version();
    const auto text = [](const SDL_version& v) {
        return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch);
    };
    const std::string expected =
        "( )   Initializing video [OK]\n"
        "( )   \n"
        "( )   Creating new window\n"
        "( )   Compiled with SDL version: " + text(compiled) + "\n"
        "( )   Running with SDL version: " + text(*linked) + "\n"
        "( )   Using driver: dummy\n"
        "( )   Using software surface ( SDL_SWSURFACE  )\n"
        "( )   Using double buffering ( SDL_DOUBLEBUF )\n"
        "( )   Using resizable ( SDL_RESIZABLE )\n"
        "( )   Using anyformat ( SDL_ANYFORMAT )\n"
        "( )   Valid resolutions for current flags\n"
        "( )   All resolutions available\n"
        "( )   New window created succesfully\n"
        "( )   \n";
    EXPECT_EQ(expected, testsupport::LogBody());
    // Start without arguments does nothing once a window is open.
    EXPECT_FALSE(myWindow->Start());
}

TEST_F(ApplicationSDL, StartUpArgumentsByPosition) {
    StartWindow("800, 600, 16");
    SDL_Surface* video = SDL_GetVideoSurface();
    EXPECT_EQ(800, video->w);
    EXPECT_EQ(600, video->h);
    EXPECT_EQ(16, video->format->BitsPerPixel);
    EXPECT_EQ(16, tarn::GetGfxSettings().myBitsPerPixel);
    EXPECT_FALSE(myWindow->GetVideoFlags() & SDL_ANYFORMAT);
    EXPECT_FALSE(Logged("SDL_ANYFORMAT"));

    // Wrong kinds keep the defaults; the rest still count by position.
    StartWindow("\"wide\", 300.9, 12, 0, 0, 42, \"no-icon.bmp\", 0");
    EXPECT_EQ(640, myWindow->GetWindowWidth());
    EXPECT_EQ(300, myWindow->GetWindowHeight());
    EXPECT_EQ("SDL Window", myWindow->GetCaption());
    EXPECT_TRUE(myWindow->GetVideoFlags() & SDL_ANYFORMAT);  // depth 12 is no depth: any format
    EXPECT_FALSE(myWindow->GetVideoFlags() & SDL_RESIZABLE);
    EXPECT_TRUE(myWindow->GetVideoFlags() & SDL_NOFRAME);
    EXPECT_TRUE(Logged("( )   Using no window frames,\n( )     ( oh my god our window doesn't have frames!? ) ( SDL_NOFRAME )\n"));
    EXPECT_TRUE(Logged("(!)    CApplicationSDL::WindowSetIcon() Could not load file: no-icon.bmp\n"));

    StartWindow("320, 200, 0, 0, 1, \"Marbles test\"");
    EXPECT_EQ("Marbles test", Caption());
}

TEST_F(ApplicationSDL, FullscreenIsAddedOnlyWhenTheModeOpens) {
    StartWindow("320, 240, 0, 1");
    EXPECT_FALSE(myWindow->GetVideoFlags() & (SDL_RESIZABLE | SDL_ANYFORMAT | SDL_FULLSCREEN));
    ASSERT_NE(nullptr, SDL_GetVideoSurface());
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN);
}

TEST_F(ApplicationSDL, CommandsRenameResizeAndSetTheIcon) {
    tarn::CInterpreter* console = tarn::CKernel::GetSingleton()->GetConsole();
    console->Execute("taskload( sdl )");
    EXPECT_EQ("window started", console->Execute("starttask( window, app_window, 100, 800, 600 )"));
    SDL_Surface* video = SDL_GetVideoSurface();
    ASSERT_NE(nullptr, video);
    EXPECT_EQ(800, video->w);
    EXPECT_EQ("SDL Window", Caption());
    const auto& paused = tarn::CTaskManager::GetSingleton()->GetPausedTasks();
    CApplicationSDL* window = dynamic_cast<CApplicationSDL*>(tarn::CTaskFactory::GetSingleton()->FindTask("app_window"));
    ASSERT_NE(nullptr, window);
    EXPECT_NE(paused.end(), std::find(paused.begin(), paused.end(), window));

    console->Execute("app_window::SetName( \"Marbles\" )");
    EXPECT_EQ("Marbles", Caption());
    console->Execute("app_window::Resize( 1024 )");
    EXPECT_EQ(1024, SDL_GetVideoSurface()->w);
    EXPECT_EQ(600, SDL_GetVideoSurface()->h);
    console->Execute("app_window::Resize( 500, 400 )");
    EXPECT_EQ(400, SDL_GetVideoSurface()->h);
    EXPECT_EQ(500, tarn::CEventDispatcher::GetSingleton()->GetWidth());

    tarn::CInterpreter* commands = window->GetInterpreter();
    EXPECT_EQ("[ERROR] You should give atleast two parameters", commands->Execute("Resize"));
    EXPECT_EQ("[ERROR] You have to give atleast one parameter", commands->Execute("SetIcon"));
    EXPECT_EQ(500, SDL_GetVideoSurface()->w);
    EXPECT_EQ("", commands->Execute("SetName"));
    EXPECT_EQ("", Caption());

    // A size SDL 1.2 cannot hold is refused and logged; the window stays as it was.
    SDL_Surface* before = SDL_GetVideoSurface();
    EXPECT_EQ("", commands->Execute("Resize( -5, 100000 )"));
    EXPECT_EQ(before, SDL_GetVideoSurface());
    EXPECT_EQ(500, before->w);
    EXPECT_TRUE(Logged("<!> Error creating the new window\n<!>   window size out of range: -5 x 100000\n"));
    window->OnStop();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
}

TEST_F(ApplicationSDL, IconsMustBeBmpsOfAtMost32By32) {
    StartWindow("");
    WriteBmp("fits.bmp", 32, 32);
    WriteBmp("wide.bmp", 33, 32);
    WriteBmp("tall.bmp", 32, 33);
    testsupport::WriteFile("fake.bmp", "\x89PNG\r\n\x1a\n not a bitmap");
    std::string huge = testsupport::ReadFile("fits.bmp");
    huge.replace(18, 4, std::string("\x30\x75\0\0", 4));  // claims 30000 pixels wide
    testsupport::WriteFile("huge.bmp", huge);
    const std::string before = testsupport::LogBody();
    myWindow->WindowSetIcon("fits.bmp");
    EXPECT_EQ(before, testsupport::LogBody());
    myWindow->WindowSetIcon("wide.bmp");
    myWindow->WindowSetIcon("tall.bmp");
    myWindow->WindowSetIcon("missing.bmp");
    myWindow->WindowSetIcon("fake.bmp");
    myWindow->WindowSetIcon("huge.bmp");
    myWindow->WindowSetIcon(".");
    const std::string added = testsupport::LogBody().substr(before.size());
    EXPECT_EQ("(!)  CApplicationSDL::WindowSetIcon() Image's (wide.bmp) width is larger than 32 pixels \n"
              "(!)  CApplicationSDL::WindowSetIcon() Image's (tall.bmp) height is larger than 32 pixels \n"
              "(!)  CApplicationSDL::WindowSetIcon() Could not load file: missing.bmp\n"
              "(!)  CApplicationSDL::WindowSetIcon() Could not load file: fake.bmp\n"
              "(!)  CApplicationSDL::WindowSetIcon() Could not load file: huge.bmp\n"
              "(!)  CApplicationSDL::WindowSetIcon() Could not load file: .\n",
              added);
}

TEST_F(ApplicationSDL, TheWindowFollowsResizesFromSdl) {
    StartWindow("300, 200");
    tarn::CEventTaskSDL events;
    SDL_Event resize{};
    resize.type = SDL_VIDEORESIZE;
    resize.resize.w = 410;
    resize.resize.h = 310;
    ASSERT_EQ(0, SDL_PushEvent(&resize));
    events.Update();
    EXPECT_EQ(410, SDL_GetVideoSurface()->w);
    EXPECT_EQ(310, myWindow->GetWindowHeight());
}

TEST_F(ApplicationSDL, AFailingVideoDriverEndsTheProgramWithAnError) {
    testsupport::SetEnvironment("SDL_VIDEODRIVER", "no_such_driver");
    StartWindow("");
    testsupport::SetEnvironment("SDL_VIDEODRIVER", "dummy");
    EXPECT_EQ(nullptr, myWindow->GetScreen());
    // The error completes the pending "Initializing video " line.
    EXPECT_TRUE(Logged("<!>   Initializing video Error on initialing video or timer.\n<!>    SDL Says:\n"))
        << testsupport::LogBody();
    EXPECT_TRUE(Logged("Exiting on error \n"));
    EXPECT_TRUE(Logged("<!> Could not open the window: "));
    // And it does: the main loop ends with exit code 1, no mode is tried.
    EXPECT_EQ(1, tarn::CTaskManager::GetSingleton()->GetExitCode());
    EXPECT_FALSE(Logged("Error creating the new window"));
    EXPECT_EQ(32, tarn::GetGfxSettings().myBitsPerPixel);
    myWindow->WindowSetIcon("missing.bmp");
}

}  // namespace
