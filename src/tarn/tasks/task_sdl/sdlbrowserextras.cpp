// The few SDL 1.2 and SDL_mixer functions the browser's SDL emulation leaves out (or leaves
// throwing): the page shows the browser's own pointer, every surface there carries alpha,
// music never fades, and the mixer does not tell its format.
// Built into the browser's program only; elsewhere SDL itself has them.
#if defined(__EMSCRIPTEN__)
#include <SDL.h>
#include <SDL_mixer.h>

#include <new>

// The emulation's cursors are opaque to SDL's users; here one only has to exist.
struct SDL_Cursor {
    bool myShown;
};

namespace {

SDL_Cursor theDefaultCursor{true};
SDL_Cursor* theCurrentCursor = &theDefaultCursor;

}  // namespace

extern "C" {

// A cursor the page never draws; freed by SDL_FreeCursor. Null when memory runs out.
SDL_Cursor* SDL_CreateCursor(const Uint8*, const Uint8*, int, int, int, int) {
    return new (std::nothrow) SDL_Cursor{true};
}

void SDL_SetCursor(SDL_Cursor* cursor) {
    if (cursor) theCurrentCursor = cursor;
}

SDL_Cursor* SDL_GetCursor(void) { return theCurrentCursor; }

void SDL_FreeCursor(SDL_Cursor* cursor) {
    if (!cursor || cursor == &theDefaultCursor) return;
    if (theCurrentCursor == cursor) theCurrentCursor = &theDefaultCursor;
    delete cursor;
}

// The emulation ignores colour keys (its canvases blend by alpha alone): the key is baked into
// the surface, every pixel of the key's colour made fully transparent. Turning a key off
// cannot bring those pixels back; the engine only does so around copies that keep alpha.
int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key) {
    if (!surface || !(flag & SDL_SRCCOLORKEY) || surface->format->BytesPerPixel != 4) return 0;
    if (SDL_LockSurface(surface) != 0) return -1;
    const Uint32 colour = key & 0x00FFFFFFu;
    for (int y = 0; y < surface->h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            if ((row[x] & 0x00FFFFFFu) == colour) row[x] = 0;
        }
    }
    SDL_UnlockSurface(surface);
    return 0;
}

// Every surface of the emulation is a canvas with alpha: the display format keeps it.
SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface) { return SDL_DisplayFormatAlpha(surface); }

Mix_Fading Mix_FadingMusic(void) { return MIX_NO_FADING; }

const SDL_version* Mix_Linked_Version(void) {
    static SDL_version version;
    SDL_MIXER_VERSION(&version);
    return &version;
}

// 0 (not opened as far as anyone can tell), with the reason in SDL_GetError.
int Mix_QuerySpec(int*, Uint16*, int*) {
    SDL_SetError("the browser's mixer does not tell its format");
    return 0;
}

}  // extern "C"
#endif
