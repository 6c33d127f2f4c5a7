// The player's settings: music and effects volume and fullscreen, kept between runs as console
// lines ("music_volume = 40") in the player's configuration folder.
#ifndef TARN_MARBLES_GAME_CGAMESETTINGS_H
#define TARN_MARBLES_GAME_CGAMESETTINGS_H

#include <map>
#include <string>
#include <vector>

namespace marbles {

// Only the settings named below are kept, each as a whole number in its range; a settings
// object holds those that were given, so that layers (the start-up script's defaults, the
// saved file, the command line) can be laid over one another.
class CGameSettings {
public:
    static constexpr const char* MUSIC_VOLUME = "music_volume";      // 0 to 100
    static constexpr const char* EFFECTS_VOLUME = "effects_volume";  // 0 to 100
    static constexpr const char* FULLSCREEN = "fullscreen";          // 0 or 1

    // The settings in text, one "name = value" a line; blank lines and lines starting with
    // "//" or "#" are skipped. A line that is no known setting with a value in its range is
    // skipped and described in problems (when given), with its line number.
    static CGameSettings Parse(const std::string& text, std::vector<std::string>* problems = nullptr);
    // The settings among console lines such as the command line's ("fullscreen = 1"); other
    // lines are ignored.
    static CGameSettings FromLines(const std::vector<std::string>& lines);
    // The settings the console variables hold now; unset or unreadable ones are left out.
    static CGameSettings FromConsole();

    // Reads fileName. A missing file gives no settings and a log line; a damaged one gives its
    // readable lines and a warning for each of the others. Never fails.
    static CGameSettings Load(const std::string& fileName);
    // Writes the settings to fileName (its folder made when missing) through a temporary file
    // moved over it, so a crash leaves the old file or the new one. False, logged, on failure.
    bool Save(const std::string& fileName) const;
    // The file's text: a comment line, then the settings given, in the order of the names above.
    std::string Format() const;

    // Takes every setting over gives.
    void Overlay(const CGameSettings& over);
    // Sets the console variable of every setting given.
    void ApplyToConsole() const;

    // value is held within the setting's range; an unknown name is ignored.
    void Set(const std::string& name, int value);
    bool Has(const std::string& name) const { return myValues.count(name) != 0; }
    // The value given, fallback when none.
    int Get(const std::string& name, int fallback) const;
    bool IsEmpty() const { return myValues.empty(); }
    bool operator==(const CGameSettings& other) const { return myValues == other.myValues; }

private:
    std::map<std::string, int> myValues;
};

// The settings the command line gave for this run (none until main sets them); they win over
// the saved ones and are not saved.
const CGameSettings& GetCommandLineSettings();
void SetCommandLineSettings(const CGameSettings& settings);

}  // namespace marbles

#endif
