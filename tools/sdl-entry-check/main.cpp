// sdl-entry-check: starts the window, event, keyboard, mouse and audio tasks through SDL's entry
// (on Windows SDLmain's, which sends this output to "stdout.txt"), runs a few frames and quits.
// Usage: sdl-entry-check [sound.wav]   (exit code 0 when every task came up and the loop ended)
#include <cstdio>
#include <fstream>
#include <list>
#include <string>
#include <vector>

#include "tarn/tasks/capplication.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/capplicationsdl.h"
#include "tarn/tasks/task_sdl/ccursorcontrolsdl.h"
#include "tarn/tasks/task_sdl/sdlentry.h"
#include "tarn/tasks/task_sdlmixer/ceffectplayer.h"
#include "tarn/tasks/task_sdlmixer/cmusicplayer.h"
#include "tarn/tasks/task_sdlmixer/ctaskaudiosdl.h"

namespace {

const int kFrames = 5;
const int kMusicPlaying = 1;

// Counts what failed; every check prints one line.
class CChecks {
public:
    void Check(bool ok, const std::string& what) {
        std::printf("%s %s\n", ok ? "[OK]    " : "[failed]", what.c_str());
        if (!ok) ++myFailures;
    }
    int GetFailures() const { return myFailures; }

private:
    int myFailures = 0;
};

bool Contains(const std::list<tarn::CTask*>& tasks, const tarn::CTask* task) {
    for (const tarn::CTask* each : tasks) {
        if (each == task) return true;
    }
    return false;
}

// The lines of the log that say which drivers SDL chose, or the whole log when whole is set.
void EchoLog(const char* fileName, bool whole) {
    std::ifstream log(fileName);
    std::string line;
    while (std::getline(log, line)) {
        if (whole || line.find("driver") != std::string::npos) std::printf("log: %s\n", line.c_str());
    }
}

void Run(const std::string& sound, CChecks& checks) {
    tarn::CInterpreter* console = tarn::CKernel::GetSingleton()->GetConsole();
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    tarn::CTaskFactory* factory = tarn::CTaskFactory::GetSingleton();
    const std::vector<std::string> lines = {
        "taskload( sdl )",
        "taskload( sdl_mixer )",
        "starttask( event, event, 10 )",
        "starttask( keyboard, keyboard, 20 )",
        "starttask( mouse, mouse, 25 )",
        "starttask( window, window, 1000, 320, 240, 0, 0, 0, \"sdl-entry-check\" )",
        "starttask( audio, audio, 30, 22050, \"S16LSB\", 2, 1024, 8 )",
    };
    for (const std::string& line : lines) console->Execute(line, false);

    const auto* window = dynamic_cast<const tarn::CApplicationSDL*>(factory->FindTask("window"));
    checks.Check(window && window->GetScreen() != nullptr, "window task: 320x240 video mode open");
    checks.Check(Contains(manager->GetTasks(), factory->FindTask("event")), "event task: running");
    checks.Check(Contains(manager->GetTasks(), factory->FindTask("keyboard")), "keyboard task: running");
    for (const char* line : {"mouse::CursorChangeTo( cursor_hand )", "mouse::CursorHide", "mouse::CursorShow"}) {
        console->Execute(line, false);
    }
    const auto* cursor = dynamic_cast<const tarn::CCursorControlSDL*>(
        tarn::CEventDispatcher::GetSingleton()->GetCursorControl());
    checks.Check(cursor && cursor->GetCursor() != nullptr, "mouse task: cursor changed to cursor_hand");
    auto* audio = dynamic_cast<tarn::CTaskAudioSDL*>(factory->FindTask("audio"));
    const bool audioOpen = audio && Contains(manager->GetTasks(), audio) && audio->GetMusicPlayer();
    checks.Check(audioOpen, "audio task: running, audio device open");
    if (audioOpen && !sound.empty()) {
        audio->PlayMusic(sound);
        checks.Check(audio->GetMusicPlayer()->GetState() == kMusicPlaying, "music " + sound + ": loaded and playing");
        audio->PlayEffect(sound);
        checks.Check(audio->GetEffectPlayer()->IsEffectStarted(), "effect " + sound + ": loaded and playing");
    }

    int frames = 0;
    while (frames < kFrames && manager->RunOnce()) ++frames;
    checks.Check(frames == kFrames, std::to_string(frames) + " frames run");
    console->Execute("quit()", false);
    const int loopResult = manager->Run();
    checks.Check(loopResult == 0 && manager->GetTasks().empty(), "quit: main loop ended with 0");
    // The window task waits among the paused tasks; stopping it shuts SDL down.
    console->Execute("stoptask( window )", false);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string sound = argc > 1 ? argv[1] : "";
    CChecks checks;
    {
        // Deletes the task manager and the kernel (closing the log) when it goes.
        tarn::CApplication application;
        Run(sound, checks);
    }
    EchoLog("log.txt", checks.GetFailures() != 0);
    std::printf("sdl-entry-check: %s\n", checks.GetFailures() == 0 ? "OK" : "FAILED");
    return checks.GetFailures() == 0 ? 0 : 1;
}
