// The millisecond tick source behind the global clock.
// Holds the one installed source; the platform installs its own before main runs.
#include "tarn/utils/timer/itimesource.h"

#include <memory>

namespace tarn {

namespace {

std::unique_ptr<ITimeSource>& Holder() {
    static std::unique_ptr<ITimeSource> holder;
    return holder;
}

TimeSourceMaker& DefaultMaker() {
    static TimeSourceMaker maker = nullptr;
    return maker;
}

}  // namespace

ITimeSource* GetTimeSource() { return Holder().get(); }

void SetTimeSource(ITimeSource* source) { Holder().reset(source); }

void SetDefaultTimeSource(TimeSourceMaker maker) { DefaultMaker() = maker; }

void UseDefaultTimeSource() { SetTimeSource(DefaultMaker() ? DefaultMaker()() : nullptr); }

}  // namespace tarn
