// Writes an SDL surface as an uncompressed TGA file: true colour as blue, green, red (and
// alpha), 8-bit pictures with their colour map, rows from the top.
#ifndef TARN_GFX_SDL_CTGAWRITER_H
#define TARN_GFX_SDL_CTGAWRITER_H

#include <string>

struct SDL_Surface;

namespace tarn {

class CTgaWriter {
public:
    // 0 when the picture was written (a write that fails midway still gives 0 and may leave a
    // short file); -1 when the file cannot be opened, the header or colour map cannot be
    // written, or the surface has fewer than 8 bits per pixel (SDL's error says why).
    // The surface's alpha and colour-key settings are the same afterwards.
    static int Save(SDL_Surface* surface, const std::string& filename);
};

}  // namespace tarn

#endif
