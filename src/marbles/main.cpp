// The program's entry: runs "autoexec.txt" from the working directory, then the main loop.
// The platform and game tasks are started by the script; the window task shuts SDL down.
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/task_sdl/sdlentry.h"

int main(int argc, char** argv) {
    tarn::CApplication application;
    application.Init(argc, argv);
    return application.Run();
}
