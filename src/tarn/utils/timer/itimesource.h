// The millisecond tick source behind the global clock.
// SetTimeSource swaps it (tests install a manual clock); the holder owns the source.
#ifndef TARN_UTILS_TIMER_ITIMESOURCE_H
#define TARN_UTILS_TIMER_ITIMESOURCE_H

#include "tarn/utils/timer/types.h"

namespace tarn {

class ITimeSource {
public:
    virtual ~ITimeSource() = default;
    // Milliseconds since some fixed start near program start; monotonic up to the 2^32 wrap.
    virtual types::ticks GetTicks() = 0;
};

// The current source, or null when none is set (the global clock then reads 0).
ITimeSource* GetTimeSource();

// Installs a new source and takes ownership of it; the previous one is deleted.
// Passing null leaves no source.
void SetTimeSource(ITimeSource* source);

// The platform's own kind of source (SDL's tick counter when the SDL tasks are linked in),
// named before main. UseDefaultTimeSource installs a new one of it, or no source when the
// program has no platform clock.
using TimeSourceMaker = ITimeSource* (*)();
void SetDefaultTimeSource(TimeSourceMaker maker);
void UseDefaultTimeSource();

}  // namespace tarn

#endif
