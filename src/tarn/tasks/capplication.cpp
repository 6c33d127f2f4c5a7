// The application object that main owns: runs "autoexec.txt", then the main loop, and on
// destruction deletes the task manager and then the kernel (and with it the logger).
#include "tarn/tasks/capplication.h"

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/tasks/ctaskmanager.h"

namespace tarn {

CApplication::CApplication() : myTaskManager(nullptr), myStartupScript("autoexec.txt") {}

CApplication::~CApplication() {
    CTaskManager::DeleteSingleton();
    myTaskManager = nullptr;
    CKernel::DeleteSingleton();
    myStartupScript.clear();
}

void CApplication::Init(int, char**) {
    myTaskManager = nullptr;
    myStartupScript = "autoexec.txt";
    myTaskManager = CTaskManager::GetSingleton();
    CKernel* kernel = CKernel::GetSingleton();
    // The log is opened before the script runs, so every run leaves at least its header.
    kernel->GetLogger();
    CInterpreter* console = kernel->GetConsole();
    BindLoopSettings();
    console->ExecuteFile(myStartupScript);
}

int CApplication::Run() { return myTaskManager ? myTaskManager->Run() : 0; }

bool CApplication::RunOnce() { return myTaskManager ? myTaskManager->RunOnce() : false; }

}  // namespace tarn
