// The three kinds of command argument: empty, string and number.
// Number text is read by stream extraction (0 when it fails) and written with 6 significant digits.
#include "tarn/tasks/cparameter.h"

#include <sstream>

namespace tarn {

double ParseNumber(const std::string& text) {
    std::istringstream in(text);
    double number = 0.0;
    in >> number;
    if (in.fail()) return 0.0;
    return number;
}

std::string FormatNumber(double number) {
    std::ostringstream out;
    out << number;
    return out.str();
}

}  // namespace tarn
