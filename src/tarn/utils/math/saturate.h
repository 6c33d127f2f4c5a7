// Conversions into int that saturate instead of overflowing: a number read from a command
// or computed by a layout expression can never make a conversion undefined.
#ifndef TARN_UTILS_MATH_SATURATE_H
#define TARN_UTILS_MATH_SATURATE_H

namespace tarn {

// Truncates toward zero (2.5 gives 2, -2.5 gives -2) and holds the result within the int
// range; infinities give the nearest limit, NaN gives 0.
int TruncateToInt(double value);

// value held within the int range.
int ClampToInt(long long value);

}  // namespace tarn

#endif
