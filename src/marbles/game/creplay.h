// Plays solutions in the running game: clicks the title, help and level-complete pictures and
// each solution's marbles at their physics steps, through the same mouse path a player's
// clicks take, so a recorded win can be watched and checked in the real window.
#ifndef TARN_MARBLES_GAME_CREPLAY_H
#define TARN_MARBLES_GAME_CREPLAY_H

#include <deque>
#include <string>
#include <vector>

#include "marbles/level/csolutionfile.h"

namespace marbles {

class CPhysicsWorld;

class CReplay {
public:
    // What the screen over the level shows.
    enum EPicture { PICTURE_NONE, PICTURE_TITLE_OR_HELP, PICTURE_COMPLETE, PICTURE_LOST };

    // Appends the solution in fileName for the next level that starts without one; false (and a
    // log line) when it cannot be read.
    bool Queue(const std::string& fileName);
    bool IsIdle() const { return mySolutions.empty(); }

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

    std::deque<std::vector<CSolutionFile::Click>> mySolutions;
    bool myPlaying = false;
    std::size_t myNext = 0;
};

}  // namespace marbles

#endif
