// Reading and writing the clicks of a level's solution.
#include "marbles/level/csolutionfile.h"

#include <cstdint>
#include <fstream>
#include <sstream>

#include "tarn/io/regularfile.h"

namespace marbles {

namespace {

// One line into click; false for a line that is no click. Comments and blanks set skip.
bool ParseLine(const std::string& line, CSolutionFile::Click& click, bool& skip) {
    std::istringstream in(line);
    std::string word;
    skip = false;
    if (!(in >> word) || word[0] == '#') {
        skip = true;
        return true;
    }
    long long step = -1;
    long long initId = 0;
    std::string rest;
    if (word != "click" || !(in >> step >> initId) || (in >> rest)) return false;
    if (step < 0 || step > 100000000LL || initId < INT32_MIN || initId > INT32_MAX) return false;
    click.step = static_cast<unsigned>(step);
    click.initId = static_cast<std::int32_t>(initId);
    return true;
}

}  // namespace

bool CSolutionFile::Load(const std::string& fileName) {
    myClicks.clear();
    // A regular file of at most 1 MB (a refusal is logged), read whole.
    std::string text;
    if (!tarn::ReadRegularFile(fileName, tarn::CFileLimits::kText, text)) return false;
    std::istringstream in(text);
    std::string line;
    std::vector<Click> clicks;
    while (std::getline(in, line)) {
        Click click;
        bool skip = false;
        if (!ParseLine(line, click, skip)) return false;
        if (skip) continue;
        if (!clicks.empty() && click.step < clicks.back().step) return false;
        clicks.push_back(click);
    }
    myClicks = std::move(clicks);
    return true;
}

bool CSolutionFile::Save(const std::string& fileName, const std::vector<std::string>& comments) const {
    std::ofstream out(fileName);
    if (!out) return false;
    for (const std::string& comment : comments) out << "# " << comment << "\n";
    for (const Click& click : myClicks) out << "click " << click.step << " " << click.initId << "\n";
    return static_cast<bool>(out);
}

}  // namespace marbles
