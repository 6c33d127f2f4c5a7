// The player's settings: reading and writing the settings file, and laying the start-up
// script's defaults, the saved file and the command line over one another.
#include "marbles/game/cgamesettings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "tarn/io/filereplace.h"
#include "tarn/io/installlayout.h"
#include "tarn/io/regularfile.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

struct SSetting {
    const char* myName;
    int myMin;
    int myMax;
};

// Every setting kept, in the order the file lists them.
const SSetting SETTINGS[] = {
    {CGameSettings::MUSIC_VOLUME, 0, 100},
    {CGameSettings::EFFECTS_VOLUME, 0, 100},
    {CGameSettings::FULLSCREEN, 0, 1},
};

const SSetting* Find(const std::string& name) {
    for (const SSetting& setting : SETTINGS)
        if (name == setting.myName) return &setting;
    return nullptr;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A whole number written in at most four digits; false for anything else.
bool ReadNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::atoi(text.c_str());
    return true;
}

// One line of the file: "" when it is blank, a comment or a setting (then taken into
// settings); otherwise what is wrong with it.
std::string ParseLine(const std::string& raw, CGameSettings& settings) {
    const std::string line = Trimmed(raw);
    if (line.empty() || line[0] == '#' || line.compare(0, 2, "//") == 0) return std::string();
    const std::size_t equals = line.find('=');
    const std::string name = Trimmed(line.substr(0, equals));
    const SSetting* setting = Find(name);
    if (equals == std::string::npos || !setting) return "\"" + line.substr(0, 40) + "\" is not a setting";
    int value = 0;
    if (!ReadNumber(Trimmed(line.substr(equals + 1)), value) || value < setting->myMin || value > setting->myMax)
        return name + " needs a whole number from " + std::to_string(setting->myMin) + " to " +
               std::to_string(setting->myMax);
    settings.Set(name, value);
    return std::string();
}

std::string Folder(const std::string& file) {
    const std::size_t cut = file.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : file.substr(0, cut);
}

tarn::CInterpreter* Console() { return tarn::CKernel::GetSingleton()->GetConsole(); }

CGameSettings& TheCommandLineSettings() {
    static CGameSettings settings;
    return settings;
}

}  // namespace

CGameSettings CGameSettings::Parse(const std::string& text, std::vector<std::string>* problems) {
    CGameSettings settings;
    std::size_t start = 0;
    for (int number = 1; start <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string problem = ParseLine(text.substr(start, end - start), settings);
        if (!problem.empty() && problems) problems->push_back("line " + std::to_string(number) + ": " + problem);
        start = end + 1;
    }
    return settings;
}

CGameSettings CGameSettings::FromLines(const std::vector<std::string>& lines) {
    CGameSettings settings;
    for (const std::string& line : lines) ParseLine(line, settings);
    return settings;
}

CGameSettings CGameSettings::FromConsole() {
    CGameSettings settings;
    for (const SSetting& setting : SETTINGS) {
        int value = 0;
        if (ReadNumber(Trimmed(Console()->GetVariable(setting.myName)), value)) settings.Set(setting.myName, value);
    }
    return settings;
}

CGameSettings CGameSettings::Load(const std::string& fileName) {
    tarn::CLogger* log = tarn::CLogger::GetSingleton();
    std::string text;
    std::string why;
    if (!tarn::ReadRegularFile(fileName, tarn::CFileLimits::kText, text, &why)) {
        std::error_code error;
        if (std::filesystem::exists(fileName, error) || error)
            log->Warning() << "The settings file " << fileName << " cannot be read (" << why
                           << "): the defaults apply\n";
        else
            *log << "No saved settings in " << fileName << ": the defaults apply\n";
        return CGameSettings();
    }
    std::vector<std::string> problems;
    const CGameSettings settings = Parse(text, &problems);
    for (const std::string& problem : problems)
        log->Warning() << "The settings file " << fileName << ", " << problem << ": skipped\n";
    return settings;
}

bool CGameSettings::Save(const std::string& fileName) const {
    std::string why;
    const std::string folder = Folder(fileName);
    if (!folder.empty() && !tarn::MakeDirectories(folder)) why = "cannot create " + folder;
    if (why.empty() && tarn::ReplaceFileContent(fileName, Format(), &why)) return true;
    tarn::CLogger::GetSingleton()->Error() << "Could not save the settings to " << fileName << ": " << why << "\n";
    return false;
}

std::string CGameSettings::Format() const {
    std::string text = "// Marbles settings, written by the options window (O on the title)\n";
    for (const SSetting& setting : SETTINGS) {
        if (Has(setting.myName))
            text += std::string(setting.myName) + " = " + std::to_string(Get(setting.myName, 0)) + "\n";
    }
    return text;
}

void CGameSettings::Overlay(const CGameSettings& over) {
    for (const auto& value : over.myValues) myValues[value.first] = value.second;
}

void CGameSettings::ApplyToConsole() const {
    for (const auto& value : myValues) Console()->SetVariable(value.first, std::to_string(value.second));
}

void CGameSettings::Set(const std::string& name, int value) {
    const SSetting* setting = Find(name);
    if (setting) myValues[name] = std::clamp(value, setting->myMin, setting->myMax);
}

int CGameSettings::Get(const std::string& name, int fallback) const {
    const auto found = myValues.find(name);
    return found == myValues.end() ? fallback : found->second;
}

const CGameSettings& GetCommandLineSettings() { return TheCommandLineSettings(); }

void SetCommandLineSettings(const CGameSettings& settings) { TheCommandLineSettings() = settings; }

}  // namespace marbles
