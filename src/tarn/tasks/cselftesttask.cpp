// Stand-ins for the test facilities "unittest" and "gfxtest": each logs one line saying
// there is nothing to run and stops itself on its first frame.
#include "tarn/tasks/cselftesttask.h"

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"

namespace tarn {

void CSelfTestTask::Update() {
    CLogger::GetSingleton()->Write(GetName() + ": no self-tests are built into this program\n");
    CTaskManager::GetSingleton()->StopTask(this);
}

namespace {

CTaskRegistrar<CSelfTestTask> theUnitTestRegistrar("unittest");
CTaskRegistrar<CSelfTestTask> theGfxTestRegistrar("gfxtest");

}  // namespace

}  // namespace tarn
