// Pausable millisecond timer measured against a base timer (by default the global clock).
// Arithmetic is unsigned 32-bit and wraps, so timers keep working across the 2^32 ms wrap.
#ifndef TARN_UTILS_TIMER_CTIMER_H
#define TARN_UTILS_TIMER_CTIMER_H

#include "tarn/utils/timer/types.h"

namespace tarn {

class CXmlFileSys;

class CTimer {
public:
    // Measures against the global clock, starting at 0 now.
    CTimer();
    // Measures against base, which must outlive this timer.
    explicit CTimer(CTimer* base);
    CTimer(const CTimer& other);

    virtual ~CTimer();
    // Copies the time state, not the base timer.
    virtual CTimer& operator=(const CTimer& other);
    virtual types::ticks GetTime() const;
    virtual double GetSeconds() const;
    virtual types::ticks GetDerivate() const;
    virtual double GetDerivateSeconds() const;
    virtual types::ticks UpdateDerivate();
    virtual void Pause();
    // Continues from the time shown when paused; returns the ms spent paused (0 when running).
    virtual types::ticks Resume();
    virtual void Reset();
    virtual void Serialize(CXmlFileSys* fileSys);

    bool IsPaused() const { return myPaused; }

    // Used by serialization to restore the stored fields.
    types::ticks GetStart() const { return myStart; }
    types::ticks GetPausedTime() const { return myPausedTime; }
    types::ticks GetDerivateMark() const { return myDerivateMark; }

private:
    types::ticks BaseTime() const;

    CTimer* myBaseTimer;
    types::ticks myStart;
    types::ticks myPausedTime;
    bool myPaused;
    types::ticks myDerivateMark;
};

// The process-wide clock reading the time source; never null.
CTimer* GetGlobalClock();

// Global time in ms (the time source's ticks, 0 without a source).
types::ticks GetGlobalTime();

}  // namespace tarn

#endif
