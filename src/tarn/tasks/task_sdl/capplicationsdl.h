// The window task (type "window"): starts SDL's video, chooses and logs the video mode flags,
// sets caption and icon and opens the window; "SetName", "Resize" and "SetIcon" change them.
#ifndef TARN_TASKS_TASK_SDL_CAPPLICATIONSDL_H
#define TARN_TASKS_TASK_SDL_CAPPLICATIONSDL_H

#include <cstdint>
#include <memory>
#include <string>

#include "tarn/tasks/ctask.h"
#include "tarn/tasks/iwindowcontrol.h"

struct SDL_Surface;

namespace tarn {

class CInterpreter;
class ICommand;

class CApplicationSDL : public CTask, public IWindowControl {
public:
    // Priority 1000, name "window" (the task factory sets the values of "starttask").
    CApplicationSDL();
    CApplicationSDL(int priority, const std::string& name);
    // Leaves the event dispatcher; deletes the interpreter. SDL keeps running.
    ~CApplicationSDL() override;

    // Reads the start-up arguments (width, height, depth, fullscreen, resizable, caption, icon,
    // frames; null for all defaults), starts SDL, opens the window and offers the commands.
    // Without a window the program is told to end with exit code 1.
    // Always false: the task waits among the paused tasks and is never updated.
    bool Start(CParameterList* params) override;
    // All defaults while no window is open; false otherwise.
    bool Start() override;
    void Update() override {}
    // Leaves the event dispatcher and shuts SDL down.
    void OnStop() override;
    // Runs line in the task's interpreter (result dropped); false before Start.
    bool ExecuteCommand(const std::string& line) override;

    // Opens the video mode at width by height with the chosen flags (the window reopens). A
    // mode SDL cannot open ends the program with an error (there is no window left); a size
    // out of range is only logged.
    void Resize(int width, int height);
    // The event dispatcher's size notification: the window follows it.
    void OnResize(int width, int height) { Resize(width, height); }
    void SetCaption(const std::string& text);
    // Opens the mode again at the current size, fullscreen or in a window; the picture keeps
    // its size (SDL centres it on a larger fullscreen display).
    void SetFullscreen(bool fullscreen) override;
    bool IsFullscreen() const override { return myFullscreen; }
    // What the command "ToggleFullscreen" does.
    void ToggleFullscreen() override { SetFullscreen(!myFullscreen); }
    // Uses a BMP of at most 32 by 32 pixels as the window icon; problems are logged warnings.
    void WindowSetIcon(const std::string& file);

    uint32_t GetVideoFlags() const { return myVideoFlags; }
    SDL_Surface* GetScreen() const { return myScreen; }
    const std::string& GetCaption() const { return myCaption; }
    int GetWindowWidth() const { return myWindowWidth; }
    int GetWindowHeight() const { return myWindowHeight; }
    // The task's own interpreter; null before Start.
    CInterpreter* GetInterpreter() const { return myInterpreter.get(); }

private:
    void SetDefaults();
    void ReadArguments(const CParameterList* params);
    // Starts SDL's video on a driver with a window; false (the program is told to end with
    // an error, on standard error and in the log) when there is none.
    bool InitVideo();
    void SelectMode();
    // The window's commands: SetName, Resize, SetIcon and ToggleFullscreen.
    void CreateCommands();

    std::unique_ptr<CInterpreter> myInterpreter;
    std::unique_ptr<ICommand> mySetNameCommand;
    std::unique_ptr<ICommand> myResizeCommand;
    std::unique_ptr<ICommand> mySetIconCommand;
    std::unique_ptr<ICommand> myToggleFullscreenCommand;
    SDL_Surface* myScreen;
    bool myHardwareRequested;
    uint32_t myVideoFlags;
    int myWindowWidth;
    int myWindowHeight;
    int myBitsPerPixel;
    bool myFullscreen;
    bool myResizable;
    bool myWindowFrames;
    std::string myCaption;
    std::string myIconFile;
    int myHardwareSurface;
};

}  // namespace tarn

#endif
