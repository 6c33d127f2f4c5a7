// Fuzz target: arbitrary bytes as the player's settings file. Whatever it holds, the settings
// kept read back the same from the text the game would write for them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "marbles/game/cgamesettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> problems;
    const marbles::CGameSettings settings = marbles::CGameSettings::Parse(text, &problems);
    const std::string written = settings.Format();
    std::vector<std::string> again;
    if (!(marbles::CGameSettings::Parse(written, &again) == settings) || !again.empty()) std::abort();
    return 0;
}
