// Stand-ins for the test facilities "unittest" and "gfxtest": each logs one line saying
// there is nothing to run and stops itself on its first frame.
#ifndef TARN_TASKS_CSELFTESTTASK_H
#define TARN_TASKS_CSELFTESTTASK_H

#include "tarn/tasks/ctask.h"

namespace tarn {

class CSelfTestTask : public CTask {
public:
    void Update() override;
};

}  // namespace tarn

#endif
