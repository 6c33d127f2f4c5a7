// While alive, a surface's blits copy raw values: its source alpha and colour key are switched
// off, and switched back on (with their saved values) when the scope ends.
#ifndef TARN_GFX_SDL_CRAWBLITSCOPE_H
#define TARN_GFX_SDL_CRAWBLITSCOPE_H

#include <cstdint>

struct SDL_Surface;

namespace tarn {

class CRawBlitScope {
public:
    explicit CRawBlitScope(SDL_Surface* surface);
    ~CRawBlitScope();
    CRawBlitScope(const CRawBlitScope&) = delete;
    CRawBlitScope& operator=(const CRawBlitScope&) = delete;

private:
    SDL_Surface* mySurface;
    uint32_t myAlphaFlags;
    uint8_t myAlpha;
    uint32_t myKeyFlags;
    uint32_t myKey;
};

}  // namespace tarn

#endif
