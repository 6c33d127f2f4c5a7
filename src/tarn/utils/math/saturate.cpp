// Conversions into int that saturate instead of overflowing: a number read from a command
// or computed by a layout expression can never make a conversion undefined.
#include "tarn/utils/math/saturate.h"

#include <cmath>
#include <limits>

namespace tarn {

namespace {
constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();
}  // namespace

int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(kMax)) return kMax;
    if (value <= static_cast<double>(kMin)) return kMin;
    return static_cast<int>(value);
}

int ClampToInt(long long value) {
    if (value > kMax) return kMax;
    if (value < kMin) return kMin;
    return static_cast<int>(value);
}

}  // namespace tarn
