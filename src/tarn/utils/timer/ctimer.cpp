// Pausable millisecond timer measured against a base timer (by default the global clock).
// Arithmetic is unsigned 32-bit and wraps, so timers keep working across the 2^32 ms wrap.
#include "tarn/utils/timer/ctimer.h"

#include "tarn/utils/timer/itimesource.h"
#include "tarn/utils/logger/cassert.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace tarn {

namespace {

// The global clock: a timer whose time is the source's ticks.
class CGlobalClock : public CTimer {
public:
    CGlobalClock() : CTimer(nullptr) {}
    types::ticks GetTime() const override { return GetGlobalTime(); }
};

}  // namespace

types::ticks GetGlobalTime() {
    ITimeSource* source = GetTimeSource();
    return source ? source->GetTicks() : 0;
}

CTimer* GetGlobalClock() {
    static CGlobalClock clock;
    return &clock;
}

CTimer::CTimer() : CTimer(GetGlobalClock()) {}

CTimer::CTimer(CTimer* base)
    : myBaseTimer(base), myStart(0), myPausedTime(0), myPaused(false), myDerivateMark(0) {
    myStart = BaseTime();
}

CTimer::CTimer(const CTimer& other)
    : myBaseTimer(other.myBaseTimer),
      myStart(other.myStart),
      myPausedTime(other.myPausedTime),
      myPaused(other.myPaused),
      myDerivateMark(other.myDerivateMark) {}

CTimer::~CTimer() = default;

CTimer& CTimer::operator=(const CTimer& other) {
    myStart = other.myStart;
    myPausedTime = other.myPausedTime;
    myPaused = other.myPaused;
    myDerivateMark = other.myDerivateMark;
    return *this;
}

types::ticks CTimer::BaseTime() const { return myBaseTimer ? myBaseTimer->GetTime() : 0; }

types::ticks CTimer::GetTime() const {
    if (myPaused) return myPausedTime;
    return BaseTime() - myStart;
}

double CTimer::GetSeconds() const { return GetTime() / 1000.0; }

types::ticks CTimer::GetDerivate() const { return GetTime() - myDerivateMark; }

double CTimer::GetDerivateSeconds() const { return GetDerivate() / 1000.0; }

types::ticks CTimer::UpdateDerivate() {
    myDerivateMark = GetTime();
    return myDerivateMark;
}

void CTimer::Pause() {
    if (myPaused) return;
    myPausedTime = GetTime();
    myPaused = true;
}

types::ticks CTimer::Resume() {
    if (!myPaused) return 0;
    myPaused = false;
    const types::ticks now = GetTime();
    const types::ticks spent = now - myPausedTime;
    myStart += spent;
    return spent;
}

void CTimer::Reset() {
    myPausedTime = 0;
    myStart = BaseTime();
    myDerivateMark = 0;
}

// Stored as the elements "time" (the time shown) and "pause" (1, only while paused).
// Loading moves the start so that the timer shows the stored time and runs on from there.
void CTimer::Serialize(CXmlFileSys* filesys) {
    if (!filesys) return;
    TARN_XML_HERE(filesys);
    if (filesys->IsWriting()) {
        filesys->Write(GetTime(), "time");
        if (myPaused) filesys->Write(true, "pause");
        return;
    }
    types::ticks time = 0;
    if (filesys->HasChild("time") && filesys->Read(time, "time")) {
        const types::ticks base = BaseTime();
        static const std::string note = "This could cause some problems because types::ticks is unsigned";
        // A larger stored time wraps the start around; modular arithmetic keeps GetTime right.
        cassert(base > time) cvalue(base) cvalue(time) cvalue(note);
        myStart = base - time;
    }
    TARN_XML_HERE(filesys);
    bool paused = myPaused;
    if (filesys->HasChild("pause") && filesys->Read(paused, "pause")) myPaused = paused;
    if (myPaused) myPausedTime = BaseTime() - myStart;
}

}  // namespace tarn
