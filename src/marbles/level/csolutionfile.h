// A level's solution: the clicks that win it, each at a physics step counted from the level's
// load and on a marble named by its body's initId. Text, one click per line.
#ifndef TARN_MARBLES_LEVEL_CSOLUTIONFILE_H
#define TARN_MARBLES_LEVEL_CSOLUTIONFILE_H

#include <cstdint>
#include <string>
#include <vector>

namespace marbles {

// The file: lines "click STEP INITID" (the click comes after physics step STEP has run and
// before the next one; steps count from 1 after the load), lines starting with "#" are
// comments, blank lines are skipped. Clicks are kept in file order.
class CSolutionFile {
public:
    struct Click {
        unsigned step = 0;
        std::int32_t initId = 0;
        bool operator==(const Click& other) const { return step == other.step && initId == other.initId; }
    };

    // Reads fileName; false (with clicks left empty) when it cannot be read, a line is neither
    // a comment nor a click, or the steps go backwards.
    bool Load(const std::string& fileName);
    // Writes the clicks after the comment lines given (each gets a "# " in front); false when
    // the file cannot be written.
    bool Save(const std::string& fileName, const std::vector<std::string>& comments = {}) const;

    std::vector<Click>& GetClicks() { return myClicks; }
    const std::vector<Click>& GetClicks() const { return myClicks; }

private:
    std::vector<Click> myClicks;
};

}  // namespace marbles

#endif
