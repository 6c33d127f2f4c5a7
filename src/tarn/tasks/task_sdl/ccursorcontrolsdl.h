// The SDL cursor control: shows and hides SDL's cursor and replaces it by one of the nine
// built-in cursor pictures. The event task owns one and lends it to the event dispatcher.
#ifndef TARN_TASKS_TASK_SDL_CCURSORCONTROLSDL_H
#define TARN_TASKS_TASK_SDL_CCURSORCONTROLSDL_H

#include "tarn/tasks/events/icursorcontrol.h"

struct SDL_Cursor;

namespace tarn {

class CCursorControlSDL : public ICursorControl {
public:
    CCursorControlSDL();
    // Frees the cursor it created, if SDL still holds it.
    ~CCursorControlSDL() override;
    CCursorControlSDL(const CCursorControlSDL&) = delete;
    CCursorControlSDL& operator=(const CCursorControlSDL&) = delete;

    // Nothing happens while SDL's video is not running.
    void ShowCursor() override;
    void HideCursor() override;
    // Same type again: nothing. Type 0 (or unknown): only remembered, the SDL cursor stays.
    // 1..9: creates that cursor, makes it current and frees the one made before.
    void ChangeCursor(int type) override;

    int GetType() const { return myType; }
    // The cursor this control created last, or null.
    SDL_Cursor* GetCursor() const { return myCursor; }

private:
    void FreeCursorIfAlive();

    int myType;
    SDL_Cursor* myCursor;
};

}  // namespace tarn

#endif
