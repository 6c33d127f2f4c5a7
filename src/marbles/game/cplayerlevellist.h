// The player's level list: read at the start (the shipped list standing in for an unreadable
// one), what the title must say about it, and written back after each win and at the end.
#ifndef TARN_MARBLES_GAME_CPLAYERLEVELLIST_H
#define TARN_MARBLES_GAME_CPLAYERLEVELLIST_H

#include <string>

#include "marbles/level/clevellist.h"

namespace marbles {

class CPlayerLevelList {
public:
    // Reads fileName. A list that cannot be read (or holds no level) gets a notice with where
    // the log is; the shipped list (SHIPPED_LEVEL_LIST), when it is another file, is played
    // instead and fileName is never written. A damaged list that cannot be written back
    // without loss gets a notice too.
    explicit CPlayerLevelList(const std::string& fileName);

    // Writes the list; false when it is not written (failed, or not to be written).
    bool Save();
    // What the title says about the list; "" when all is well.
    const std::string& GetNotice() const { return myNotice; }
    CLevelList& GetList() { return myList; }
    const CLevelList& GetList() const { return myList; }

    // Where the log is, as a player can look it up.
    static std::string LogLocation();

private:
    CLevelList myList;
    std::string myFileName;
    std::string myNotice;
    // False while the shipped list stands in for an unreadable player's list.
    bool mySaved = true;
};

}  // namespace marbles

#endif
