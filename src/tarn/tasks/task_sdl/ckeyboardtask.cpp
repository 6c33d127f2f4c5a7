// The keyboard task (type "keyboard"): queues key presses from the event dispatcher and, at
// its next update, runs the command lines bound to them with "bind".
#include "tarn/tasks/task_sdl/ckeyboardtask.h"

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/cargumentcommand.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/task_sdl/ccommandbinding.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/keynames.h"
#include "tarn/utils/math/saturate.h"

namespace tarn {

namespace {

const char* const kBindUsage = "[ERROR] You cannot bind unless you give us something to bind to something\n";

// bind( key, "command line" ): key is a key name or an SDL key code.
bool IsBinding(const CParameterList& params) {
    return params.Count() >= 2 && params.IsType(1, PARAM_STRING) &&
           (params.IsType(0, PARAM_STRING) || params.IsType(0, PARAM_NUMBER));
}

int BoundKey(const CParameterList& params) {
    if (params.IsType(0, PARAM_STRING)) return KeyNameToCode(params.GetString(0));
    return TruncateToInt(params.GetNumber(0));
}

CTaskRegistrar<CKeyboardTask> theKeyboardRegistrar("keyboard");

}  // namespace

CKeyboardTask::CKeyboardTask() : myKeyStates(kKeyCodeCount, 0) {}

CKeyboardTask::~CKeyboardTask() { CEventDispatcher::GetSingleton()->RemoveKeyListener(this); }

bool CKeyboardTask::Start() {
    CEventDispatcher::GetSingleton()->AddKeyListener(this);
    if (!myInterpreter) {
        myInterpreter.reset(CKernel::GetSingleton()->CreateInterpreter());
        myBindCommand = std::make_unique<CArgumentCommand>(kBindUsage, &IsBinding, [this](CParameterList& params) {
            AddBinding(BoundKey(params), params.GetString(1));
            return std::string();
        });
        myInterpreter->AddCommand("bind", myBindCommand.get());
    }
    return true;
}

void CKeyboardTask::Update() {
    while (!myPressedKeys.empty()) {
        const int key = myPressedKeys.front();
        myPressedKeys.pop();
        RunBindings(key, true);
    }
    while (!myReleasedKeys.empty()) {
        const int key = myReleasedKeys.front();
        myReleasedKeys.pop();
        RunBindings(key, false);
    }
}

void CKeyboardTask::RunBindings(int key, bool down) {
    if (key >= 0 && key < kKeyCodeCount) myKeyStates[key] = down ? 1 : 0;
    const auto found = myBindings.find(key);
    if (found == myBindings.end()) return;
    // A bound line may add bindings to this very key: they run from the next press on.
    const size_t count = found->second.size();
    for (size_t i = 0; i < count; ++i) {
        IKeyBinding* binding = found->second[i].get();
        if (down ? binding->FiresOnKeyDown() : binding->FiresOnKeyUp()) binding->Execute(key);
    }
}

void CKeyboardTask::OnStop() { CEventDispatcher::GetSingleton()->RemoveKeyListener(this); }

bool CKeyboardTask::ExecuteCommand(const std::string& line) {
    if (!myInterpreter) return false;
    myInterpreter->Execute(line, false);
    return true;
}

void CKeyboardTask::OnKeyDown(int key) { myPressedKeys.push(key); }

void CKeyboardTask::OnKeyUp(int key) { myReleasedKeys.push(key); }

void CKeyboardTask::AddBinding(int key, const std::string& command) {
    myBindings[key].push_back(std::make_unique<CCommandBinding>(command));
}

bool CKeyboardTask::IsKeyDown(int key) const {
    return key >= 0 && key < kKeyCodeCount && myKeyStates[key] != 0;
}

int CKeyboardTask::GetBindingCount(int key) const {
    const auto found = myBindings.find(key);
    return found == myBindings.end() ? 0 : static_cast<int>(found->second.size());
}

}  // namespace tarn
