// A key binding that runs a command line in the console interpreter; the result is dropped,
// so a failing command reports only in that discarded result.
#ifndef TARN_TASKS_TASK_SDL_CCOMMANDBINDING_H
#define TARN_TASKS_TASK_SDL_CCOMMANDBINDING_H

#include <string>

#include "tarn/tasks/task_sdl/ikeybinding.h"

namespace tarn {

class CCommandBinding : public IKeyBinding {
public:
    explicit CCommandBinding(const std::string& line) : myLine(line) {}
    void Execute(int key) override;
    const std::string& GetLine() const { return myLine; }

private:
    std::string myLine;
};

}  // namespace tarn

#endif
