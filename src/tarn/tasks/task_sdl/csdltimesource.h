// Time source reading SDL's millisecond tick counter.
// Installed as the global clock's source during static initialisation.
#ifndef TARN_TASKS_TASK_SDL_CSDLTIMESOURCE_H
#define TARN_TASKS_TASK_SDL_CSDLTIMESOURCE_H

#include "tarn/utils/timer/itimesource.h"

namespace tarn {

class CSdlTimeSource : public ITimeSource {
public:
    // Starts SDL's tick counter so that ticks count from near 0 at program start.
    CSdlTimeSource();
    types::ticks GetTicks() override;
};

}  // namespace tarn

#endif
