// The main loop's pacing settings and the counters behind its periodic report: loop passes,
// frames drawn, flips sent to the display, simulation steps and time spent asleep.
#include "tarn/tasks/cloopstats.h"

#include <cstdio>

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

CLoopSettings& GetLoopSettings() {
    static CLoopSettings settings;
    return settings;
}

void BindLoopSettings() {
    CInterpreter* console = CKernel::GetSingleton()->GetConsole();
    CLoopSettings& settings = GetLoopSettings();
    if (!console->FindVariable("sys_max_fps")) console->BindInt("sys_max_fps", &settings.myMaxFps);
    if (!console->FindVariable("sys_stats_seconds")) {
        console->BindInt("sys_stats_seconds", &settings.myStatsSeconds);
    }
}

CLoopStats& GetLoopStats() {
    static CLoopStats stats;
    return stats;
}

void CLoopStats::Reset() {
    for (unsigned& count : myCounts) count = 0;
    myPeriodStarted = false;
}

std::string CLoopStats::Describe(types::ticks elapsedMs) const {
    const double seconds = elapsedMs > 0 ? elapsedMs / 1000.0 : 1.0;
    char line[200];
    std::snprintf(line, sizeof line,
                  "loop: %.1f s, passes/s %.1f, frames/s %.1f, flips/s %.1f, steps/s %.1f, asleep %.0f %%",
                  seconds, myCounts[PASSES] / seconds, myCounts[FRAMES] / seconds, myCounts[FLIPS] / seconds,
                  myCounts[STEPS] / seconds, 100.0 * myCounts[SLEPT_MS] / (seconds * 1000.0));
    return line;
}

void CLoopStats::Report(types::ticks now) {
    const int period = GetLoopSettings().myStatsSeconds;
    if (period <= 0) return;
    if (!myPeriodStarted) {
        Reset();
        myPeriodStart = now;
        myPeriodStarted = true;
        return;
    }
    const types::ticks elapsed = now - myPeriodStart;
    if (elapsed < static_cast<types::ticks>(period) * 1000u) return;
    CLogger::GetSingleton()->Write(Describe(elapsed) + "\n");
    Reset();
    myPeriodStart = now;
    myPeriodStarted = true;
}

}  // namespace tarn
