// The SDL cursor control: shows and hides SDL's cursor and replaces it by one of the nine
// built-in cursor pictures. The event task owns one and lends it to the event dispatcher.
#include "tarn/tasks/task_sdl/ccursorcontrolsdl.h"

#include <SDL.h>

#include "tarn/inputdevice/ccursorimage.h"

namespace tarn {

namespace {

// SDL 1.2's cursor functions reach into the video driver without checking that one exists.
bool VideoRunning() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

}  // namespace

CCursorControlSDL::CCursorControlSDL() : myType(CURSOR_NONE), myCursor(nullptr) {}

CCursorControlSDL::~CCursorControlSDL() { FreeCursorIfAlive(); }

void CCursorControlSDL::ShowCursor() {
    if (VideoRunning()) SDL_ShowCursor(SDL_ENABLE);
}

void CCursorControlSDL::HideCursor() {
    if (VideoRunning()) SDL_ShowCursor(SDL_DISABLE);
}

void CCursorControlSDL::ChangeCursor(int type) {
    if (type == myType) return;
    myType = type;
    const CCursorImage* image = CCursorImage::GetBuiltIn(type);
    if (!image || !VideoRunning()) return;

    unsigned char data[CCursorImage::kBitmapBytes];
    unsigned char mask[CCursorImage::kBitmapBytes];
    image->BuildBitmaps(data, mask);
    int hotX = 0;
    int hotY = 0;
    image->GetHotSpot(hotX, hotY);
    SDL_Cursor* cursor = SDL_CreateCursor(data, mask, CCursorImage::kSize, CCursorImage::kSize, hotX, hotY);
    if (!cursor) return;
    SDL_Cursor* previous = myCursor;
    const bool previousAlive = previous && SDL_GetCursor() == previous;
    SDL_SetCursor(cursor);
    myCursor = cursor;
    if (previousAlive) SDL_FreeCursor(previous);
}

void CCursorControlSDL::FreeCursorIfAlive() {
    // SDL frees the current cursor itself when its video shuts down; a cursor that is no
    // longer current may already be gone, so only the current one is freed here.
    // Freeing the current cursor makes SDL fall back to its default one.
    if (myCursor && VideoRunning() && SDL_GetCursor() == myCursor) SDL_FreeCursor(myCursor);
    myCursor = nullptr;
}

}  // namespace tarn
