// Ends the game as "quit" does when the terminal hangs up or the system asks it to stop
// (SIGHUP, SIGTERM, SIGINT), so the player's progress is saved as on a normal exit.
#ifndef TARN_MARBLES_GAME_CSTOPSIGNALWATCH_H
#define TARN_MARBLES_GAME_CSTOPSIGNALWATCH_H

#include "tarn/tasks/cfakethread.h"

namespace marbles {

class CStopSignalWatch : public tarn::CFakeThread {
public:
    // Installs the signal handlers and starts looking ten times a second.
    CStopSignalWatch();
    // Asks the task manager to quit, once, after a stop signal arrived.
    void Run() override;

private:
    bool myQuitting = false;
};

}  // namespace marbles

#endif
