// Names of the keys as SDL 1.2 spells them ("escape", "f1", "world 15", "[+]"), and their
// SDL key codes. The table is built in, so it works before SDL's video is started.
#include "tarn/tasks/task_sdl/keynames.h"

#include <map>
#include <vector>

namespace tarn {

namespace {

struct CKeyTable {
    std::vector<std::string> myNames;  // by code; "" where no key has a name
    std::map<std::string, int> myCodes;
    int myCount = 0;

    CKeyTable() : myNames(kKeyCodeCount) {
        Set(8, "backspace");
        Set(9, "tab");
        Set(12, "clear");
        Set(13, "return");
        Set(19, "pause");
        Set(27, "escape");
        Set(32, "space");
        // The printable characters SDL 1.2 has keys for are named by themselves.
        for (const char c : std::string("!\"#$&'()*+,-./0123456789:;<=>?@[\\]^_")) Set(c, std::string(1, c));
        Set(96, "backquote");
        for (char c = 'a'; c <= 'z'; ++c) Set(c, std::string(1, c));
        Set(127, "delete");
        for (int i = 0; i < 96; ++i) Set(160 + i, "world " + std::to_string(i));
        for (int i = 0; i < 10; ++i) Set(256 + i, "[" + std::to_string(i) + "]");
        const char* const keypad[] = {"[.]", "[/]", "[*]", "[-]", "[+]", "enter", "equals"};
        SetRun(266, keypad, sizeof(keypad) / sizeof(keypad[0]));
        const char* const moving[] = {"up", "down", "right", "left", "insert", "home", "end", "page up", "page down"};
        SetRun(273, moving, sizeof(moving) / sizeof(moving[0]));
        for (int i = 0; i < 15; ++i) Set(282 + i, "f" + std::to_string(i + 1));
        const char* const modifiers[] = {"numlock",   "caps lock", "scroll lock", "right shift", "left shift",
                                         "right ctrl", "left ctrl", "right alt",   "left alt",    "right meta",
                                         "left meta", "left super", "right super", "alt gr",      "compose",
                                         "help",      "print screen", "sys req",  "break",       "menu",
                                         "power",     "euro",      "undo"};
        SetRun(300, modifiers, sizeof(modifiers) / sizeof(modifiers[0]));
    }

    void Set(int code, const std::string& name) {
        myNames[code] = name;
        myCodes[name] = code;
        ++myCount;
    }

    void SetRun(int first, const char* const* names, size_t count) {
        for (size_t i = 0; i < count; ++i) Set(first + static_cast<int>(i), names[i]);
    }
};

const CKeyTable& Table() {
    static const CKeyTable table;
    return table;
}

}  // namespace

int KeyNameToCode(const std::string& name) {
    const auto found = Table().myCodes.find(name);
    return found == Table().myCodes.end() ? 0 : found->second;
}

std::string KeyCodeToName(int code) {
    if (code < 0 || code >= kKeyCodeCount || Table().myNames[code].empty()) return "unknown key";
    return Table().myNames[code];
}

int GetKeyNameCount() { return Table().myCount; }

}  // namespace tarn
