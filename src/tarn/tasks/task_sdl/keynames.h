// Names of the keys as SDL 1.2 spells them ("escape", "f1", "world 15", "[+]"), and their
// SDL key codes. The table is built in, so it works before SDL's video is started.
#ifndef TARN_TASKS_TASK_SDL_KEYNAMES_H
#define TARN_TASKS_TASK_SDL_KEYNAMES_H

#include <string>

namespace tarn {

// Key codes run from 0 to kKeyCodeCount - 1 (SDL 1.2's SDLK_LAST is 323).
const int kKeyCodeCount = 324;

// The code of the key with exactly this name (case-sensitive), or 0 when no key has it.
int KeyNameToCode(const std::string& name);
// The name of the key with this code, or "unknown key" for a code without a name.
std::string KeyCodeToName(int code);
// Number of named keys (231).
int GetKeyNameCount();

}  // namespace tarn

#endif
