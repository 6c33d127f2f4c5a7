// The game task: creates and ends the running game and passes it updates and commands.
#include "marbles/game/cmarblestask.h"

#include "marbles/game/cmarblesingameui.h"
#include "marbles/game/cmarblestaskimpl.h"
#include "marbles/game/gamepaths.h"
#include "tarn/tasks/ctaskfactory.h"

namespace marbles {

namespace {

tarn::CTaskRegistrar<CMarblesTask> theGameRegistrar("game");

}  // namespace

CMarblesTask::CMarblesTask() = default;

CMarblesTask::~CMarblesTask() { myImpl.reset(); }

bool CMarblesTask::Start(tarn::CParameterList* /*params*/) {
    myImpl.reset();
    const CGamePaths& paths = GetGamePaths();
    myImpl = std::make_unique<CMarblesTaskImpl>(paths.GetLevelListFile(),
                                                CMarblesTaskImpl::COptions::ForRun(paths.GetSettingsFile()));
    return true;
}

bool CMarblesTask::Start() { return Start(nullptr); }

void CMarblesTask::Update() {
    if (myImpl) myImpl->Update();
}

void CMarblesTask::OnStop() { myImpl.reset(); }

bool CMarblesTask::ExecuteCommand(const std::string& line) {
    if (!myImpl) return false;
    myImpl->ExecuteCommand(line);
    return true;
}

}  // namespace marbles
