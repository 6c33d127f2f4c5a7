// Writes an SDL surface as an uncompressed TGA file: true colour as blue, green, red (and
// alpha), 8-bit pictures with their colour map, rows from the top.
#include "tarn/gfx/sdl/ctgawriter.h"

#include <SDL.h>

#include <cstring>
#include <vector>

#include "tarn/gfx/ctgaheader.h"
#include "tarn/gfx/sdl/crawblitscope.h"
#include "tarn/gfx/sdl/surfacecompat.h"

namespace tarn {

namespace {

bool WriteBytes(SDL_RWops* rw, const void* data, size_t size) {
    return size == 0 || SDL_RWwrite(rw, data, static_cast<int>(size), 1) == 1;
}

// Writes every row of an 8-bit surface as its palette indices.
void WriteMappedRows(SDL_Surface* surface, SDL_RWops* rw) {
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) < 0) return;
    const Uint8* pixels = static_cast<const Uint8*>(surface->pixels);
    for (int y = 0; y < surface->h; ++y) {
        if (!WriteBytes(rw, pixels + y * surface->pitch, surface->w)) break;
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

// Writes every row of a true-colour surface through a one-row surface in TGA byte order.
void WriteTrueColorRows(SDL_Surface* surface, SDL_Surface* row, SDL_RWops* rw) {
    const size_t rowBytes = static_cast<size_t>(surface->w) * row->format->BytesPerPixel;
    std::vector<Uint8> buffer(rowBytes);
    for (int y = 0; y < surface->h; ++y) {
        SDL_Rect source = {0, static_cast<Sint16>(y), static_cast<Uint16>(surface->w), 1};
        if (SDL_BlitSurface(surface, &source, row, nullptr) < 0) break;
        if (SDL_MUSTLOCK(row) && SDL_LockSurface(row) < 0) break;
        std::memcpy(buffer.data(), row->pixels, rowBytes);
        if (SDL_MUSTLOCK(row)) SDL_UnlockSurface(row);
        if (!WriteBytes(rw, buffer.data(), rowBytes)) break;
    }
}

}  // namespace

int CTgaWriter::Save(SDL_Surface* surface, const std::string& filename) {
    if (!surface) {
        SDL_SetError("no surface to save as TGA");
        return -1;
    }
    if (surface->format->BitsPerPixel < 8) {
        SDL_SetError("cannot save <8bpp images as TGA");
        return -1;
    }
    const bool mapped = surface->format->BytesPerPixel == 1;
    CTgaImageInfo info;
    info.myWidth = surface->w;
    info.myHeight = surface->h;
    info.myBytesPerPixel = surface->format->BytesPerPixel;
    info.myHasAlphaMask = surface->format->Amask != 0;
    info.myHasColorKey = (surface->flags & SDL_SRCCOLORKEY) != 0;
    info.myPaletteSize = mapped && surface->format->palette ? surface->format->palette->ncolors : 0;
    const std::vector<uint8_t> header = CTgaHeader::Build(info);
    if (header.empty()) {
        SDL_SetError("picture too large for TGA");
        return -1;
    }

    SDL_RWops* rw = SDL_RWFromFile(filename.c_str(), "wb");
    if (!rw) return -1;
    int result = 0;
    SDL_Surface* row = nullptr;
    if (!WriteBytes(rw, header.data(), header.size())) {
        result = -1;
    } else if (mapped) {
        std::vector<CColor> palette;
        for (int i = 0; i < info.myPaletteSize; ++i) {
            const SDL_Color& c = surface->format->palette->colors[i];
            palette.emplace_back(c.r, c.g, c.b);
        }
        const int keyIndex = info.myHasColorKey ? static_cast<int>(SurfaceColorKey(surface)) : -1;
        const std::vector<uint8_t> map = CTgaHeader::BuildColorMap(palette, info.myHasColorKey, keyIndex);
        if (WriteBytes(rw, map.data(), map.size())) {
            WriteMappedRows(surface, rw);
        } else {
            result = -1;
        }
    } else {
        const bool alpha = info.myHasAlphaMask;
        row = SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, 1, alpha ? 32 : 24, 0x00FF0000, 0x0000FF00,
                                   0x000000FF, alpha ? 0xFF000000 : 0);
        if (!row) {
            result = -1;
        } else {
            CRawBlitScope raw(surface);
            WriteTrueColorRows(surface, row, rw);
        }
    }
    if (row) SDL_FreeSurface(row);
    SDL_RWclose(rw);
    return result;
}

}  // namespace tarn
