// The main loop's pacing settings and the counters behind its periodic report: loop passes,
// frames drawn, flips sent to the display, simulation steps and time spent asleep.
#ifndef TARN_TASKS_CLOOPSTATS_H
#define TARN_TASKS_CLOOPSTATS_H

#include <string>

#include "tarn/platform/platform.h"
#include "tarn/utils/timer/types.h"

namespace tarn {

// Process-wide; bound to the console variables "sys_max_fps" and "sys_stats_seconds".
struct CLoopSettings {
    // The loop waits for the next due work, but at most 1000 / myMaxFps ms, so input is read
    // at least this often. 0 runs passes back to back without waiting (for benchmarks).
    int myMaxFps = 60;
    // Every pass ends in a sleep, of 0 ms when work is already due: where the host runs only
    // while the program sleeps (the browser's page), a busy stretch must not shut it out.
    bool myYieldEveryFrame = platform::YieldsEveryFrame();
    // Seconds between two "loop:" report lines in the log; 0 writes none.
    int myStatsSeconds = 0;
};

CLoopSettings& GetLoopSettings();

// Binds the settings to the console variables, once per console.
void BindLoopSettings();

class CLoopStats {
public:
    enum Counter { PASSES, FRAMES, FLIPS, STEPS, SLEPT_MS, COUNTER_COUNT };

    void Add(Counter counter, unsigned amount = 1) { myCounts[counter] += amount; }
    unsigned Get(Counter counter) const { return myCounts[counter]; }
    // When the report period has passed since the last report (the first call only starts
    // the period): logs the rates since then and restarts the counts. Nothing while reports
    // are off.
    void Report(types::ticks now);
    // The report line for counts gathered over elapsedMs, without the line end.
    std::string Describe(types::ticks elapsedMs) const;
    void Reset();

private:
    unsigned myCounts[COUNTER_COUNT] = {};
    types::ticks myPeriodStart = 0;
    bool myPeriodStarted = false;
};

// The process-wide counters (never null).
CLoopStats& GetLoopStats();

}  // namespace tarn

#endif
