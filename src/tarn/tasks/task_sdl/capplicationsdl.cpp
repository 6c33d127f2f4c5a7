// The window task (type "window"): starts SDL's video, chooses and logs the video mode flags,
// sets caption and icon and opens the window; "SetName", "Resize", "SetIcon" and "ToggleFullscreen" change them.
#include "tarn/tasks/task_sdl/capplicationsdl.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tarn/gfx/cgfxsettings.h"
#include "tarn/gfx/cpicturefilecheck.h"
#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/cargumentcommand.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/utils/math/saturate.h"

namespace tarn {

namespace {

const char* const kSourceName = "tarn\\tasks\\task_sdl\\ctaskwindowSDL";
// SDL 1.2 keeps a surface's row length in 16 bits.
const int kMaxWindowSide = 16383;

CLogger* Log() { return CKernel::GetSingleton()->GetLogger(); }

// The drivers that open a window of a windowing system, in the order they are tried when no
// driver is asked for (SDL over SDL 2 names its own: "wayland", "windows", "cocoa"). Any other
// (aalib, caca, fbcon...) runs only when SDL_VIDEODRIVER names it: SDL would fall back to them
// when no display can be opened, and they take over the terminal (caca's ncurses writes to it
// and leaks) or run the game with no window and no way to quit.
const char* const kWindowDrivers[] = {"x11", "wayland", "windib", "directx", "windows", "Quartz",
                                      "cocoa", "dga", "toolbox", "DSp", "photon", "bwindow"};

bool IsDriverRequested() {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    return requested && *requested;
}

// Names the driver SDL starts with; null forgets the name.
void SetDriverVariable(const char* driver) {
#if defined(_WIN32)
    _putenv_s("SDL_VIDEODRIVER", driver ? driver : "");
#else
    if (driver) {
        setenv("SDL_VIDEODRIVER", driver, 1);
    } else {
        unsetenv("SDL_VIDEODRIVER");
    }
#endif
}

// Starts SDL's video with the driver asked for, or else with the first window driver that
// opens: SDL never probes a text-mode driver on its own. The chosen driver stays named, so a
// later start of the video takes the same one. False (SDL's error set) when none starts.
bool StartVideo() {
    if (IsDriverRequested()) return SDL_Init(SDL_INIT_VIDEO) != -1;
    for (const char* driver : kWindowDrivers) {
        SetDriverVariable(driver);
        if (SDL_Init(SDL_INIT_VIDEO) != -1) return true;
    }
    SetDriverVariable(nullptr);
    SDL_SetError("no display, and no window system to open one on (set SDL_VIDEODRIVER to use another driver)");
    return false;
}

// The window cannot be opened: the program says so where a player sees it and ends.
void FailToOpen(const std::string& reason) {
    Log()->Error() << "Could not open the window: " << reason << "\n";
    std::fprintf(stderr, "Could not open the window: %s\n", reason.c_str());
    CTaskManager::GetSingleton()->QuitWithError(1);
}

bool IsDepth(int bits) { return bits == 0 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32; }

// One decision of the mode selection: the flags it adds and the line that tells it.
struct CModeChoice {
    Uint32 flags;
    const char* line;
};

// What the task asks of its window.
struct CModeWishes {
    bool fullscreen;
    bool resizable;
    bool frames;
    int bitsPerPixel;
};

// Hardware surfaces and blits when the driver offers them; without word from the driver
// (info null) hardware only when it was asked for.
std::vector<CModeChoice> ChooseSurface(const SDL_VideoInfo* info, bool hardwareRequested) {
    if (!info && hardwareRequested) {
        return {{SDL_HWSURFACE | SDL_HWACCEL, "Using hardware accelaration ( SDL_HWSURFACE|SDL_HWACCEL )\n"}};
    }
    if (!info) return {{0, "Using software ( SDL_SWSURFACE )\n"}};
    std::vector<CModeChoice> choices;
    if (info->hw_available) {
        choices.push_back({SDL_HWSURFACE, "Using hardware surface ( SDL_HWSURFACE  )\n"});
    } else {
        choices.push_back({0, "Using software surface ( SDL_SWSURFACE  )\n"});
    }
    if (info->blit_hw) choices.push_back({SDL_HWACCEL, "Using hardware accelaration ( SDL_HWACCEL )\n"});
    return choices;
}

// Double buffering always; resizable and any pixel format only in a window; no frames on
// request.
std::vector<CModeChoice> ChooseWindow(const CModeWishes& wishes) {
    std::vector<CModeChoice> choices{{SDL_DOUBLEBUF, "Using double buffering ( SDL_DOUBLEBUF )\n"}};
    if (!wishes.fullscreen && wishes.resizable) {
        choices.push_back({SDL_RESIZABLE, "Using resizable ( SDL_RESIZABLE )\n"});
    }
    if (wishes.bitsPerPixel == 0 && !wishes.fullscreen) {
        choices.push_back({SDL_ANYFORMAT, "Using anyformat ( SDL_ANYFORMAT )\n"});
    }
    if (!wishes.frames) {
        choices.push_back({SDL_NOFRAME,
                           "Using no window frames,\n"
                           "  ( oh my god our window doesn't have frames!? ) ( SDL_NOFRAME )\n"});
    }
    return choices;
}

// Logs the choices in order; the flags they add up to.
Uint32 LogChoices(CLogger* log, const std::vector<CModeChoice>& choices) {
    Uint32 flags = 0;
    for (const CModeChoice& choice : choices) {
        flags |= choice.flags;
        *log << choice.line;
    }
    return flags;
}

void LogVersionsAndDriver(CLogger* log) {
    SDL_version compiled;
    SDL_VERSION(&compiled);
    *log << "Compiled with SDL version: " << int(compiled.major) << "." << int(compiled.minor) << "."
         << int(compiled.patch) << "\n";
    const SDL_version* linked = SDL_Linked_Version();
    *log << "Running with SDL version: " << int(linked->major) << "." << int(linked->minor) << "."
         << int(linked->patch) << "\n";
    char driver[256] = "";
    SDL_VideoDriverName(driver, sizeof(driver));
    *log << "Using driver: " << driver << "\n";
}

void LogNoVideoInfo(CLogger* log) {
    log->Error() << "in file: " << kSourceName << " at line " << __LINE__ << "\n";
    *log << "Failed getting Video Info : " << "\n";
    *log << "in file: " << kSourceName << " at line " << __LINE__ << "\n";
    *log << SDL_GetError() << "\n";
}

void LogModes(CLogger* log, Uint32 flags) {
    // SDL 1.2 lists modes only through a running video driver; without one it would crash.
    SDL_Rect** modes = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_ListModes(nullptr, flags) : nullptr;
    *log << "Valid resolutions for current flags\n";
    if (modes == reinterpret_cast<SDL_Rect**>(-1)) {
        *log << "All resolutions available\n";
        return;
    }
    for (int i = 0; modes && modes[i]; ++i) *log << "Width: " << modes[i]->w << "\tHeight:" << modes[i]->h << "\n";
}

}  // namespace

CApplicationSDL::CApplicationSDL() : CApplicationSDL(1000, "window") {}

CApplicationSDL::CApplicationSDL(int priority, const std::string& name) : CTask(priority, name), myScreen(nullptr) {
    SetDefaults();
}

CApplicationSDL::~CApplicationSDL() { CEventDispatcher::GetSingleton()->RemoveResizeListener(this); }

void CApplicationSDL::SetDefaults() {
    myHardwareRequested = false;
    myVideoFlags = 0;
    myWindowWidth = 640;
    myWindowHeight = 480;
    myBitsPerPixel = 0;
    myFullscreen = false;
    myResizable = true;
    myWindowFrames = true;
    myCaption = "SDL Window";
    myIconFile.clear();
    myHardwareSurface = 0;
}

void CApplicationSDL::ReadArguments(const CParameterList* params) {
    SetDefaults();
    if (!params) return;
    const auto number = [params](int index, int& value) {
        if (params->IsType(index, PARAM_NUMBER)) value = TruncateToInt(params->GetNumber(index));
    };
    const auto flag = [params](int index, bool& value) {
        if (params->IsType(index, PARAM_NUMBER)) value = TruncateToInt(params->GetNumber(index)) != 0;
    };
    const auto text = [params](int index, std::string& value) {
        if (params->IsType(index, PARAM_STRING)) value = params->GetString(index);
    };
    number(0, myWindowWidth);
    number(1, myWindowHeight);
    int depth = myBitsPerPixel;
    number(2, depth);
    // A depth SDL does not know is as good as an argument of the wrong kind.
    if (IsDepth(depth)) myBitsPerPixel = depth;
    flag(3, myFullscreen);
    flag(4, myResizable);
    text(5, myCaption);
    text(6, myIconFile);
    flag(7, myWindowFrames);
}

void CApplicationSDL::CreateCommands() {
    // SetName( caption ): without parentheses the caption becomes empty.
    mySetNameCommand = std::make_unique<CArgumentCommand>([this](CParameterList& params) {
        SetCaption(params.GetString(0));
        return std::string();
    });
    // Resize( [width] [, height] ): every listener of the window's size hears the new size.
    myResizeCommand = std::make_unique<CArgumentCommand>(
        "[ERROR] You should give atleast two parameters", CArgumentCommand::AnyArguments(),
        [this](CParameterList& params) {
            const int width = params.IsType(0, PARAM_NUMBER) ? TruncateToInt(params.GetNumber(0)) : GetWindowWidth();
            const int height = params.IsType(1, PARAM_NUMBER) ? TruncateToInt(params.GetNumber(1)) : GetWindowHeight();
            CEventDispatcher::GetSingleton()->NotifyResize(width, height);
            return std::string();
        });
    mySetIconCommand =
        std::make_unique<CArgumentCommand>("[ERROR] You have to give atleast one parameter",
                                           CArgumentCommand::AnyArguments(), [this](CParameterList& params) {
                                               WindowSetIcon(params.GetString(0));
                                               return std::string();
                                           });
    // ToggleFullscreen: the mode is opened again at the same size, fullscreen or windowed.
    myToggleFullscreenCommand = std::make_unique<CArgumentCommand>([this](CParameterList&) {
        ToggleFullscreen();
        return std::string();
    });
}

bool CApplicationSDL::Start(CParameterList* params) {
    ReadArguments(params);
    if (!InitVideo()) return false;
    SelectMode();
    if (!myInterpreter) {
        myInterpreter.reset(CKernel::GetSingleton()->CreateInterpreter());
        CreateCommands();
        myInterpreter->AddCommand("SetName", mySetNameCommand.get());
        myInterpreter->AddCommand("Resize", myResizeCommand.get());
        myInterpreter->AddCommand("SetIcon", mySetIconCommand.get());
        myInterpreter->AddCommand("ToggleFullscreen", myToggleFullscreenCommand.get());
    }
    CEventDispatcher* dispatcher = CEventDispatcher::GetSingleton();
    dispatcher->AddResizeListener(this);
    // The window's own listener opens the mode; the others learn the size.
    dispatcher->NotifyResize(myWindowWidth, myWindowHeight);
    return false;
}

bool CApplicationSDL::Start() {
    if (myScreen) return false;
    return Start(nullptr);
}

void CApplicationSDL::OnStop() {
    CEventDispatcher::GetSingleton()->RemoveResizeListener(this);
    myScreen = nullptr;
    SDL_Quit();
}

bool CApplicationSDL::ExecuteCommand(const std::string& line) {
    if (!myInterpreter) return false;
    myInterpreter->Execute(line, false);
    return true;
}

bool CApplicationSDL::InitVideo() {
    CLogger* log = Log();
    log->IndentIn();
    *log << "Initializing video ";
    // No timer subsystem: nothing here uses SDL's timers, SDL_GetTicks runs without them, and
    // their thread would wake the process every millisecond.
    if (!StartVideo()) {
        const std::string reason = SDL_GetError();
        log->Error() << "Error on initialing video or timer.\n SDL Says:\n" << reason << "\n"
                     << "Exiting on error \n";
        log->IndentOut();
        FailToOpen(reason);
        return false;
    }
    *log << "[OK]\n\n";
    log->IndentOut();
    return true;
}

void CApplicationSDL::SelectMode() {
    CLogger* log = Log();
    log->IndentIn();
    *log << "Creating new window" << "\n";
    LogVersionsAndDriver(log);
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info) LogNoVideoInfo(log);
    // Two statements: the surface lines come first.
    Uint32 flags = LogChoices(log, ChooseSurface(info, myHardwareRequested));
    flags |= LogChoices(log, ChooseWindow({myFullscreen, myResizable, myWindowFrames, myBitsPerPixel}));
    if (flags & SDL_HWSURFACE) myHardwareSurface |= 1;
    LogModes(log, flags);
    myVideoFlags = flags;
    if (!myCaption.empty()) SetCaption(myCaption);
    if (!myIconFile.empty()) WindowSetIcon(myIconFile);
    *log << "New window created succesfully" << "\n\n";
    log->IndentOut();
}

void CApplicationSDL::Resize(int width, int height) {
    myWindowWidth = width;
    myWindowHeight = height;
    const Uint32 flags = myVideoFlags | (myFullscreen ? SDL_FULLSCREEN : 0);
    if (width < 0 || height < 0 || width > kMaxWindowSide || height > kMaxWindowSide) {
        Log()->Error() << "Error creating the new window" << "\n"
                       << "  window size out of range: " << width << " x " << height << "\n";
        return;
    }
    myScreen = SDL_SetVideoMode(width, height, myBitsPerPixel, flags);
    if (!myScreen) {
        const std::string reason = SDL_GetError();
        Log()->Error() << "Error creating the new window" << "\n"
                       << "  " << reason << "\n";
        FailToOpen(reason);  // a failed mode leaves no window behind
        return;
    }
    CGfxSettings& settings = GetGfxSettings();
    settings.mySurfaceFlags = (myHardwareSurface & 1) ? SDL_HWSURFACE : 0;
    settings.myBitsPerPixel = myScreen->format->BitsPerPixel;
}

void CApplicationSDL::SetFullscreen(bool fullscreen) {
    myFullscreen = fullscreen;
    Log()->Debug() << (fullscreen ? "Fullscreen" : "Windowed") << "\n";
    CEventDispatcher::GetSingleton()->NotifyResize(myWindowWidth, myWindowHeight);
}

void CApplicationSDL::SetCaption(const std::string& text) {
    myCaption = text;
    SDL_WM_SetCaption(text.c_str(), text.c_str());
}

void CApplicationSDL::WindowSetIcon(const std::string& file) {
    // The bytes are checked first: SDL 1.2's BMP reader trusts the sizes in the file.
    // A refused file is reported below like any other that gives no icon.
    std::string bytes;
    std::string refusal;
    SDL_Surface* icon = nullptr;
    if (ReadRegularFile(file, CFileLimits::kPicture, bytes, &refusal) &&
        CPictureFileCheck::Identify(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), nullptr) ==
            CPictureFileCheck::FORMAT_BMP) {
        icon = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    }
    CLogger* log = Log();
    if (!icon) {
        log->Warning() << " CApplicationSDL::WindowSetIcon() Could not load file: " << file << "\n";
        return;
    }
    if (icon->w > 32) {
        log->Warning() << " CApplicationSDL::WindowSetIcon() Image's (" << file << ") width is larger than 32 pixels \n";
    } else if (icon->h > 32) {
        log->Warning() << " CApplicationSDL::WindowSetIcon() Image's (" << file
                       << ") height is larger than 32 pixels \n";
    } else if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_WM_SetIcon(icon, nullptr);
    }
    SDL_FreeSurface(icon);
}

}  // namespace tarn
