// Levels the players share: a level file with its solution is taken into the player's own
// levels only when the game can play it, it stays within sane bounds and its solution wins
// it when replayed through the game's rules. Anything else is named with the reason and left
// as it is.
#ifndef TARN_MARBLES_EDITOR_SHAREDLEVEL_H
#define TARN_MARBLES_EDITOR_SHAREDLEVEL_H

#include <string>
#include <vector>

namespace marbles {

// The most marbles a shared level may hold.
constexpr unsigned MAX_SHARED_MARBLES = 200;
// A shared marble's radius, and a box's half side, lie within these bounds (world units).
constexpr float MIN_SHARED_RADIUS = 0.5f;
constexpr float MAX_SHARED_RADIUS = 2.0f;
constexpr float MIN_SHARED_BOX_EXTENT = 0.1f;
constexpr float MAX_SHARED_BOX_EXTENT = 21.0f;

// The solution beside a level file: ".xml" replaced by ".solution" (appended without it).
std::string SolutionFileOf(const std::string& levelFile);

// Why levelFile with the solution solutionFile cannot be shared, or "" when it can: a
// document that is damaged or is no level the game can play, more than MAX_SHARED_MARBLES
// marbles, a marble of a type without a picture, a marble or box of absurd size, a body
// outside the walls, a solution that cannot be read or does not win when replayed. The
// replay needs the marble registry free (no level being played; see ReplaySolution).
std::string CheckSharedLevel(const std::string& levelFile, const std::string& solutionFile);

// Takes levelFile and its solution into folder (which must exist) under the level's own
// name: both are copied beside their destinations, the copies checked, and only copies that
// pass take the destinations' place, so a damaged file never replaces a good one. Returns
// false when the level is refused or cannot be copied; message always says what happened
// ("Imported mine.xml into My levels" or "Not imported: mine.xml: its solution does not
// win: Level lost at step 412"). levelFile and its solution are never changed.
bool ImportLevel(const std::string& levelFile, const std::string& folder, std::string& message);

// The level files of folder ("*.xml" directly in it, by name) that can be shared, as paths
// folder + "/" + name. Each file refused adds a notice to notices ("Not in My levels:
// mine.xml: it holds 201 marbles, more than 200"). An unreadable folder gives nothing.
std::vector<std::string> FindSharedLevels(const std::string& folder, std::vector<std::string>& notices);

}  // namespace marbles

#endif
