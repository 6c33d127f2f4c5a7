// The program's entry: runs "autoexec.txt" from the working directory, then the main loop.
// The platform and game tasks are started by the script.
#include <SDL.h>

#include "tarn/tasks/capplication.h"

int main(int argc, char** argv) {
    {
        tarn::CApplication application;
        application.Init(argc, argv);
        application.Run();
    }
    SDL_Quit();
    return 0;
}
