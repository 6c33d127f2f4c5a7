// Plays solutions in the running game: clicks the title, help and level-complete pictures and
// each solution's marbles at their physics steps, through the same mouse path a player's
// clicks take, so a recorded win can be watched and checked in the real window.
#ifndef TARN_MARBLES_GAME_CREPLAY_H
#define TARN_MARBLES_GAME_CREPLAY_H

#include <deque>
#include <string>
#include <vector>

#include "marbles/level/csolutionfile.h"
#include "tarn/tasks/events/imouselistener.h"

namespace marbles {

class CPhysicsWorld;

class CReplay : public tarn::IMouseListener {
public:
    // A watched solution's pace: steps before each move's first click (the pile sleeps from
    // its settle, so waiting changes nothing) and between the clicks of one move.
    static constexpr unsigned WATCH_MOVE_PAUSE = 24;
    static constexpr unsigned WATCH_CLICK_PAUSE = 10;

    CReplay() = default;
    // Leaves the event dispatcher if it still listens there.
    ~CReplay() override;
    CReplay(const CReplay&) = delete;
    CReplay& operator=(const CReplay&) = delete;

    // What the screen over the level shows.
    enum EPicture { PICTURE_NONE, PICTURE_TITLE_OR_HELP, PICTURE_COMPLETE, PICTURE_LOST };

    // Appends the solution in fileName for the next level that starts without one; false (and a
    // log line) when it cannot be read.
    bool Queue(const std::string& fileName);
    bool IsIdle() const { return mySolutions.empty(); }
    // Replaces whatever waits by the solution in fileName, to be shown to the player from the
    // next level start at a pace a player can follow, without its last move: that one is the
    // player's. A click of the player's own stops it there and then. False (and a log line)
    // when the file cannot be read or holds no move.
    bool Watch(const std::string& fileName);
    bool IsWatching() const { return myWatching && !mySolutions.empty(); }
    // Mouse listener while watching: a button the replay did not press is the player taking over.
    void OnMouseMove(int /*x*/, int /*y*/) override {}
    void OnMouseDown(int button) override;
    void OnMouseUp(int /*button*/) override {}

    // A level has just been loaded: the first queued solution plays in it, its steps counted
    // from now.
    void OnLevelStart();
    // Physics step levelStep of the current level has run: clicks the marbles due after it.
    // A click whose step has passed, or whose marble is not in world, stops the replay.
    void AfterStep(unsigned levelStep, const CPhysicsWorld& world);
    // An update without a step while picture is shown: clicks through the title and help,
    // and through a level-complete picture when another solution waits. A lost level stops it.
    void OnPicture(EPicture picture);

private:
    void Click(int x, int y);
    void Stop(const std::string& why);
    // Ends a watched solution whose last click is made or that the player took over.
    void EndWatch();

    std::deque<std::vector<CSolutionFile::Click>> mySolutions;
    bool myPlaying = false;
    std::size_t myNext = 0;
    bool myWatching = false;
    bool myListening = false;
    // Set while the replay's own click is dispatched; a press without it is the player's.
    bool myClicking = false;
    bool myTakenOver = false;
};

}  // namespace marbles

#endif
