// Solutions played through the mouse path: pictures clicked through, marbles clicked on time.
#include "marbles/game/creplay.h"

#include <algorithm>
#include <cstdlib>

#include "marbles/game/cmarblegfx.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarbleregistry.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

const int LEFT_BUTTON = 1;
// Anywhere on a picture will do: the middle of the 640 by 480 window.
const int PICTURE_X = 320;
const int PICTURE_Y = 240;

const CMarbleGfx* FindMarble(const CPhysicsWorld& world, std::int32_t initId) {
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
        const RigidBody& body = world.GetBody(i);
        if (body.shape != SHAPE_CIRCLE || body.initId != initId) continue;
        auto* marble = dynamic_cast<const CMarbleGfx*>(static_cast<CMarble*>(body.listener));
        if (marble && marble->IsRegistered() && marble->GetSprite()) return marble;
    }
    return nullptr;
}

// Whether a click at (x, y) reaches marble: marbles registered before it are hit-tested
// first, so none of them may cover the point.
bool ReachesFirst(const CMarbleGfx* marble, int x, int y) {
    if (!marble->GetRect().Contains(x, y)) return false;
    for (const CMarble* other : *CMarbleRegistry::GetSingleton()) {
        if (other == marble) return true;
        auto* drawn = dynamic_cast<const CMarbleGfx*>(other);
        if (drawn && drawn->GetRect().Contains(x, y)) return false;
    }
    return false;
}

// A point of the marble's sprite that a click reaches it at: the middle when free, otherwise
// the nearest free point on a grid of 4 pixels. False when every point is covered.
bool ClickPoint(const CMarbleGfx* marble, int& x, int& y) {
    const tarn::CRect rect = marble->GetRect();
    const int cx = rect.x + rect.w / 2;
    const int cy = rect.y + rect.h / 2;
    for (int radius = 0; radius <= rect.w / 2; radius += 4) {
        for (int dy = -radius; dy <= radius; dy += 4) {
            for (int dx = -radius; dx <= radius; dx += 4) {
                if (std::max(std::abs(dx), std::abs(dy)) != radius) continue;
                if (!ReachesFirst(marble, cx + dx, cy + dy)) continue;
                x = cx + dx;
                y = cy + dy;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool CReplay::Queue(const std::string& fileName) {
    CSolutionFile file;
    if (!file.Load(fileName)) {
        tarn::CLogger::GetSingleton()->Warning() << "Replay: cannot read the solution " << fileName << "\n";
        return false;
    }
    tarn::CLogger::GetSingleton()->Write("Replay: " + fileName + "\n");
    mySolutions.push_back(file.GetClicks());
    return true;
}

void CReplay::OnLevelStart() {
    myPlaying = !mySolutions.empty();
    myNext = 0;
}

void CReplay::AfterStep(unsigned levelStep, const CPhysicsWorld& world) {
    if (!myPlaying) return;
    const std::vector<CSolutionFile::Click>& clicks = mySolutions.front();
    for (; myNext < clicks.size() && clicks[myNext].step <= levelStep; ++myNext) {
        const CSolutionFile::Click& click = clicks[myNext];
        if (click.step < levelStep) return Stop("click at step " + std::to_string(click.step) + " came too late");
        const CMarbleGfx* marble = FindMarble(world, click.initId);
        int x = 0;
        int y = 0;
        if (!marble || !ClickPoint(marble, x, y)) return Stop("no marble " + std::to_string(click.initId) + " to click");
        Click(x, y);
    }
}

void CReplay::OnPicture(EPicture picture) {
    if (mySolutions.empty()) return;
    switch (picture) {
        case PICTURE_TITLE_OR_HELP:
            Click(PICTURE_X, PICTURE_Y);
            return;
        case PICTURE_COMPLETE:
            if (myPlaying) {
                mySolutions.pop_front();
                myPlaying = false;
            }
            if (!mySolutions.empty()) Click(PICTURE_X, PICTURE_Y);
            return;
        case PICTURE_LOST:
            return Stop("the level was lost");
        default:
            return;
    }
}

void CReplay::Click(int x, int y) {
    tarn::CLogger::GetSingleton()->Debug() << "Replay: click at " << x << ", " << y << "\n";
    tarn::CEventDispatcher* events = tarn::CEventDispatcher::GetSingleton();
    events->NotifyMouseMove(x, y);
    events->NotifyMouseDown(LEFT_BUTTON);
    events->NotifyMouseUp(LEFT_BUTTON);
}

void CReplay::Stop(const std::string& why) {
    tarn::CLogger::GetSingleton()->Warning() << "Replay stopped: " << why << "\n";
    mySolutions.clear();
    myPlaying = false;
}

}  // namespace marbles
