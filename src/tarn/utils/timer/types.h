// Basic engine types shared by every subsystem.
// Ticks are unsigned 32-bit milliseconds; arithmetic on them wraps modulo 2^32.
#ifndef TARN_UTILS_TIMER_TYPES_H
#define TARN_UTILS_TIMER_TYPES_H

#include <cstdint>

namespace tarn {
namespace types {

using ticks = std::uint32_t;

}  // namespace types
}  // namespace tarn

#endif
