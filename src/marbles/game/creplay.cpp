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

// The clicks of a solution without its last move, spread out for a watching player: each move
// waits WATCH_MOVE_PAUSE steps more than the one before, and each click of a move
// WATCH_CLICK_PAUSE steps after the one before it.
std::vector<CSolutionFile::Click> WatchedClicks(const std::vector<CSolutionFile::Click>& clicks) {
    std::size_t lastMove = 0;
    for (std::size_t k = 1; k < clicks.size(); ++k)
        if (clicks[k].step != clicks[k - 1].step) lastMove = k;
    std::vector<CSolutionFile::Click> watched;
    unsigned shift = 0;
    for (std::size_t k = 0; k < lastMove; ++k) {
        const bool moveStarts = k == 0 || clicks[k].step != clicks[k - 1].step;
        shift += moveStarts ? CReplay::WATCH_MOVE_PAUSE : CReplay::WATCH_CLICK_PAUSE;
        watched.push_back(CSolutionFile::Click{clicks[k].step + shift, clicks[k].initId});
    }
    return watched;
}

}  // namespace

CReplay::~CReplay() {
    if (myListening) tarn::CEventDispatcher::GetSingleton()->RemoveMouseListener(this);
}

bool CReplay::Watch(const std::string& fileName) {
    CSolutionFile file;
    if (!file.Load(fileName) || file.GetClicks().empty()) {
        tarn::CLogger::GetSingleton()->Warning() << "No solution to watch in " << fileName << "\n";
        return false;
    }
    tarn::CLogger::GetSingleton()->Write("Watching the solution: " + fileName + "\n");
    mySolutions.clear();
    mySolutions.push_back(WatchedClicks(file.GetClicks()));
    myWatching = true;
    myTakenOver = false;
    if (!myListening) tarn::CEventDispatcher::GetSingleton()->AddMouseListener(this);
    myListening = true;
    return true;
}

void CReplay::OnMouseDown(int /*button*/) {
    if (myWatching && myPlaying && !myClicking) myTakenOver = true;
}

void CReplay::EndWatch() {
    mySolutions.clear();
    myPlaying = false;
    myWatching = false;
    myTakenOver = false;
    // Never during a dispatch: the replay's own clicks and the player's arrive there.
    if (myListening) tarn::CEventDispatcher::GetSingleton()->RemoveMouseListener(this);
    myListening = false;
}

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
    if (myTakenOver) {
        tarn::CLogger::GetSingleton()->Write("The player took over from the solution\n");
        return EndWatch();
    }
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
    if (myWatching && myNext == clicks.size()) {
        tarn::CLogger::GetSingleton()->Write("The last chain of the solution is the player's\n");
        EndWatch();
    }
}

void CReplay::OnPicture(EPicture picture) {
    if (mySolutions.empty()) return;
    // A watched solution never clicks a picture: the player is on the way to winning it.
    if (myWatching) {
        if (picture != PICTURE_NONE) EndWatch();
        return;
    }
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
    myClicking = true;
    events->NotifyMouseMove(x, y);
    events->NotifyMouseDown(LEFT_BUTTON);
    events->NotifyMouseUp(LEFT_BUTTON);
    myClicking = false;
}

void CReplay::Stop(const std::string& why) {
    tarn::CLogger::GetSingleton()->Warning() << "Replay stopped: " << why << "\n";
    EndWatch();
}

}  // namespace marbles
