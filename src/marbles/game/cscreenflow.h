// Where the player goes from each screen: one table of (screen, input) -> change, and the
// change asked for from inside a screen's own handler, kept until the game's next update.
#ifndef TARN_MARBLES_GAME_CSCREENFLOW_H
#define TARN_MARBLES_GAME_CSCREENFLOW_H

#include <cstdint>

namespace marbles {

class CScreenFlow {
public:
    enum class EScreen { LEVEL, HELP, COMPLETE, LOST, TITLE, LEVEL_SELECT, LOAD_FAILED, EDITOR };
    // A left click anywhere, a left click on the title's Levels button or on an open tile,
    // Escape, L, the title's Options button or O, E or the title's Editor button.
    enum class EInput { CLICK, CLICK_BUTTON, BACK_KEY, LEVEL_SELECT_KEY, OPTIONS, EDITOR_KEY };
    // HELP is shown at once; the others wait for the next update. SAME_LEVEL is the level at
    // the list's position (the next one after a win), CHOSEN_LEVEL the tile's, SKIP_LEVEL the
    // one after the position (the level that failed to load stays not completed). OPTIONS
    // opens the options window over the screen. EDITOR opens the level editor (on a copy of
    // the level at the position given, or an empty level for 0), EDITOR_TEST plays its level,
    // EDITOR_RETURN goes back to it from that test.
    enum class EChange {
        NONE,
        HELP,
        CONTINUE,
        SAME_LEVEL,
        CHOSEN_LEVEL,
        SKIP_LEVEL,
        TITLE,
        LEVEL_SELECT,
        QUIT,
        OPTIONS,
        EDITOR,
        EDITOR_TEST,
        EDITOR_RETURN
    };

    // What input on screen leads to; NONE when nothing.
    static EChange Next(EScreen screen, EInput input);

    // Keeps a change until Take; the last request wins.
    void Request(EChange change, std::int32_t position = 0) {
        myChange = change;
        myPosition = position;
    }
    // The change asked for (NONE when none) and its level position; forgets it.
    EChange Take(std::int32_t& position) {
        const EChange change = myChange;
        myChange = EChange::NONE;
        position = myPosition;
        return change;
    }

private:
    EChange myChange = EChange::NONE;
    std::int32_t myPosition = 0;
};

}  // namespace marbles

#endif
