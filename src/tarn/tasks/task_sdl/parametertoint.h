// Turns a number argument of a command into an int: truncated toward zero, clamped into the
// int range, NaN giving 0, so no argument can make a conversion undefined.
#ifndef TARN_TASKS_TASK_SDL_PARAMETERTOINT_H
#define TARN_TASKS_TASK_SDL_PARAMETERTOINT_H

#include <cmath>
#include <limits>

namespace tarn {

inline int ParameterToInt(double number) {
    if (std::isnan(number)) return 0;
    if (number >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (number <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(number);
}

}  // namespace tarn

#endif
