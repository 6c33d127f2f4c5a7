// The keyboard task (type "keyboard"): queues key presses from the event dispatcher and, at
// its next update, runs the command lines bound to them with "bind".
#ifndef TARN_TASKS_TASK_SDL_CKEYBOARDTASK_H
#define TARN_TASKS_TASK_SDL_CKEYBOARDTASK_H

#include <map>
#include <memory>
#include <queue>
#include <string>
#include <vector>

#include "tarn/tasks/ctask.h"
#include "tarn/tasks/task_sdl/ikeybinding.h"
#include "tarn/tasks/events/ikeylistener.h"

namespace tarn {

class CInterpreter;
class ICommand;

class CKeyboardTask : public CTask, public IKeyListener {
public:
    CKeyboardTask();
    // Deletes the bindings and the interpreter and leaves the dispatcher's key listeners.
    ~CKeyboardTask() override;

    // Listens for keys and offers "bind"; always true.
    bool Start() override;
    // Acts on the keys queued since the last update: all presses, then all releases.
    void Update() override;
    void OnStop() override;
    // Runs line in the task's interpreter (result dropped); false before Start.
    bool ExecuteCommand(const std::string& line) override;

    void OnKeyDown(int key) override;
    void OnKeyUp(int key) override;

    // Appends a binding that runs command in the console interpreter when key goes down.
    // Any int is accepted; SDL never reports a code outside its range, so such bindings stay
    // silent (and never touch the key-state table).
    void AddBinding(int key, const std::string& command);
    // True while the key is held; false for codes outside SDL's range.
    bool IsKeyDown(int key) const;
    int GetBindingCount(int key) const;
    // The task's own interpreter with "bind"; null before Start.
    CInterpreter* GetInterpreter() const { return myInterpreter.get(); }

private:
    void RunBindings(int key, bool down);

    std::unique_ptr<CInterpreter> myInterpreter;
    std::unique_ptr<ICommand> myBindCommand;
    std::queue<int> myPressedKeys;
    std::queue<int> myReleasedKeys;
    // One entry per SDL key code; kept on the heap so stray indices would be caught by tools.
    std::vector<char> myKeyStates;
    std::map<int, std::vector<std::unique_ptr<IKeyBinding>>> myBindings;
};

}  // namespace tarn

#endif
