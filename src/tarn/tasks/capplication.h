// The application object that main owns: runs "autoexec.txt", then the main loop, and on
// destruction deletes the task manager and then the kernel (and with it the logger).
#ifndef TARN_TASKS_CAPPLICATION_H
#define TARN_TASKS_CAPPLICATION_H

#include <string>

namespace tarn {

class CTaskManager;

class CApplication {
public:
    CApplication();
    ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Runs the start-up script in the console interpreter; the arguments are ignored.
    void Init(int argc, char** argv);
    // The main loop; 0 when it ends, or the exit code of a failure that ended it (a window
    // that could not be opened).
    int Run();
    // One frame, for hosts that drive frames themselves; true while tasks remain.
    bool RunOnce();

private:
    CTaskManager* myTaskManager;
    std::string myStartupScript;
};

}  // namespace tarn

#endif
