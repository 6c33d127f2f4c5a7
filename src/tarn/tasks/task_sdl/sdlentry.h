// The program's entry on SDL: on Windows, SDLmain's WinMain sends standard output and error to
// "stdout.txt" and "stderr.txt" and calls main, which this header renames; elsewhere a no-op.
#ifndef TARN_TASKS_TASK_SDL_SDLENTRY_H
#define TARN_TASKS_TASK_SDL_SDLENTRY_H

#include <SDL_main.h>

#endif
