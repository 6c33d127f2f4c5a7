// The picture decoder over stb_image, for builds without SDL_image (Windows): PNG, GIF, JPEG,
// BMP and TGA give the surfaces SDL_image gives - palette pictures stay 8-bit with their
// palette and transparent index, true colour keeps its channel order and alpha.
#include "tarn/gfx/sdl/cpicturedecoderstb.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <map>
#include <vector>

// stb_image from the system (Debian's libstb-dev), compiled here and nowhere else; only the
// formats the engine loads, from memory only.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_ONLY_BMP
// The optimiser cannot see that stb's reading context is filled before use.
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace tarn {

namespace {

// Pixels decoded by stb_image, freed with the object.
struct CStbPixels {
    unsigned char* myData = nullptr;
    int myWidth = 0;
    int myHeight = 0;
    int myChannels = 0;

    CStbPixels() = default;
    CStbPixels(const CStbPixels&) = delete;
    CStbPixels& operator=(const CStbPixels&) = delete;
    ~CStbPixels() { stbi_image_free(myData); }

    // False (the reason in SDL_GetError()) when stb_image cannot decode the bytes.
    bool Load(const uint8_t* data, size_t size, int channels) {
        int inFile = 0;
        myChannels = channels;
        myData = stbi_load_from_memory(data, static_cast<int>(size), &myWidth, &myHeight, &inFile, channels);
        if (!myData) SDL_SetError("%s", stbi_failure_reason());
        return myData != nullptr;
    }
    const unsigned char* At(int x, int y) const {
        return myData + (static_cast<size_t>(y) * myWidth + x) * myChannels;
    }
};

// A palette as the file gives it, with the alpha of each entry (255 where the file says
// none) and the index drawn transparent through a colour key, or -1.
struct CPalette {
    std::vector<SDL_Color> myColors;
    std::vector<uint8_t> myAlphas;
    int myKey = -1;
};

uint32_t BigEndian32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
}

int LittleEndian16(const uint8_t* at) { return at[0] | at[1] << 8; }

bool StartsWith(const uint8_t* data, size_t size, const char* signature) {
    const size_t length = std::strlen(signature);
    return size >= length && std::memcmp(data, signature, length) == 0;
}

// Channel masks of a surface whose bytes lie in memory in the order given ("RGB", "BGRA").
void MasksForOrder(const char* order, Uint32 masks[4]) {
    const int bytes = static_cast<int>(std::strlen(order));
    const char names[] = "RGBA";
    for (int channel = 0; channel < 4; ++channel) {
        masks[channel] = 0;
        const char* found = std::strchr(order, names[channel]);
        if (!found) continue;
        const int index = static_cast<int>(found - order);
        const int shift = SDL_BYTEORDER == SDL_LIL_ENDIAN ? index * 8 : (bytes - 1 - index) * 8;
        masks[channel] = 0xFFu << shift;
    }
}

// A w by h surface of 8, 16, 24 or 32 bits (the caller frees it), or null.
SDL_Surface* NewSurface(int w, int h, int bits, const Uint32 masks[4]) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bits, masks[0], masks[1], masks[2], masks[3]);
}

// A true-colour surface with the decoded pixels' bytes laid out in order ("RGB", "BGRA").
SDL_Surface* TrueColour(const CStbPixels& pixels, const char* order) {
    Uint32 masks[4];
    MasksForOrder(order, masks);
    const int bytes = static_cast<int>(std::strlen(order));
    SDL_Surface* surface = NewSurface(pixels.myWidth, pixels.myHeight, bytes * 8, masks);
    if (!surface) return nullptr;
    const char names[] = "RGBA";
    for (int y = 0; y < pixels.myHeight; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
        for (int x = 0; x < pixels.myWidth; ++x) {
            const unsigned char* from = pixels.At(x, y);
            for (int index = 0; index < bytes; ++index) {
                row[x * bytes + index] = from[std::strchr(names, order[index]) - names];
            }
        }
    }
    return surface;
}

// An 8-bit surface with the palette and colour key given, each pixel the index of its decoded
// colour (RGBA pixels). A fully transparent pixel takes the key index; a colour the palette
// holds twice takes its first index.
SDL_Surface* Indexed(const CStbPixels& pixels, const CPalette& palette, int left = 0, int top = 0, int w = -1,
                     int h = -1) {
    w = w < 0 ? pixels.myWidth : w;
    h = h < 0 ? pixels.myHeight : h;
    const Uint32 none[4] = {0, 0, 0, 0};
    SDL_Surface* surface = NewSurface(w, h, 8, none);
    if (!surface) return nullptr;
    const int count = std::min<int>(256, static_cast<int>(palette.myColors.size()));
    std::map<Uint32, Uint8> indices;
    for (int index = count - 1; index >= 0; --index) {
        const SDL_Color& c = palette.myColors[static_cast<size_t>(index)];
        indices[static_cast<Uint32>(c.r) << 24 | c.g << 16 | c.b << 8 | palette.myAlphas[static_cast<size_t>(index)]] =
            static_cast<Uint8>(index);
    }
    for (int y = 0; y < h; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
        for (int x = 0; x < w; ++x) {
            if (x + left >= pixels.myWidth || y + top >= pixels.myHeight) continue;
            const unsigned char* c = pixels.At(x + left, y + top);
            if (c[3] == 0 && palette.myKey >= 0) {
                row[x] = static_cast<Uint8>(palette.myKey);
                continue;
            }
            const auto found = indices.find(static_cast<Uint32>(c[0]) << 24 | c[1] << 16 | c[2] << 8 | c[3]);
            row[x] = found == indices.end() ? 0 : found->second;
        }
    }
    std::copy(palette.myColors.begin(), palette.myColors.begin() + count, surface->format->palette->colors);
    surface->format->palette->ncolors = count;
    if (palette.myKey >= 0) SDL_SetColorKey(surface, SDL_SRCCOLORKEY, static_cast<Uint32>(palette.myKey));
    return surface;
}

// An 8-bit surface with a palette of 256 greys, each pixel its grey level (one channel). PNG
// pictures carry red-green-blue masks beside their palette, as SDL_image makes them.
SDL_Surface* Grey(const CStbPixels& pixels, bool withMasks) {
    Uint32 masks[4] = {0, 0, 0, 0};
    if (withMasks) MasksForOrder("RGB", masks);
    SDL_Surface* surface = NewSurface(pixels.myWidth, pixels.myHeight, 8, masks);
    if (!surface) return nullptr;
    for (int y = 0; y < pixels.myHeight; ++y) {
        std::memcpy(static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch,
                    pixels.At(0, y), static_cast<size_t>(pixels.myWidth));
    }
    SDL_Palette* palette = surface->format->palette;
    for (int level = 0; level < 256; ++level) {
        palette->colors[level].r = palette->colors[level].g = palette->colors[level].b = static_cast<Uint8>(level);
    }
    palette->ncolors = 256;
    return surface;
}

// What the PNG's header chunks say: colour type, bit depth, palette and transparency.
struct CPngHeader {
    int myColourType = -1;
    CPalette myPalette;
    std::vector<uint8_t> myTransparency;
};

// Walks the chunks up to the first image data; false when they are cut short.
bool ReadPngHeader(const uint8_t* data, size_t size, CPngHeader& header) {
    size_t at = 8;
    while (at + 8 <= size) {
        const uint32_t length = BigEndian32(data + at);
        const uint8_t* type = data + at + 4;
        const uint8_t* body = data + at + 8;
        if (length > size - at - 8) return false;
        if (std::memcmp(type, "IHDR", 4) == 0 && length >= 13) header.myColourType = body[9];
        if (std::memcmp(type, "PLTE", 4) == 0) {
            for (uint32_t index = 0; index + 3 <= length && index < 768; index += 3) {
                header.myPalette.myColors.push_back(SDL_Color{body[index], body[index + 1], body[index + 2], 0});
            }
        }
        if (std::memcmp(type, "tRNS", 4) == 0) header.myTransparency.assign(body, body + length);
        if (std::memcmp(type, "IDAT", 4) == 0) return header.myColourType >= 0;
        at += 12 + static_cast<size_t>(length);
    }
    return false;
}

// Palette alphas from tRNS. A palette keeps its 8 bits only when every entry is opaque but at
// most one fully transparent one (then the colour key); false when it must become RGBA.
bool UsePngTransparency(const std::vector<uint8_t>& transparency, CPalette& palette) {
    palette.myAlphas.assign(palette.myColors.size(), 255);
    bool keyed = true;
    for (size_t index = 0; index < transparency.size(); ++index) {
        if (index < palette.myAlphas.size()) palette.myAlphas[index] = transparency[index];
        if (transparency[index] == 255) continue;
        if (transparency[index] != 0 || palette.myKey >= 0) keyed = false;
        if (transparency[index] == 0 && palette.myKey < 0) palette.myKey = static_cast<int>(index);
    }
    if (!keyed) palette.myKey = -1;
    return keyed;
}

// The true-colour key a tRNS chunk gives an RGB picture: the low byte of each 16-bit sample.
void KeyTrueColour(SDL_Surface* surface, const std::vector<uint8_t>& transparency) {
    if (!surface || transparency.size() < 6) return;
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY,
                    SDL_MapRGB(surface->format, transparency[1], transparency[3], transparency[5]));
}

// The colour table of a GIF (global or the first image's own), its transparent index and the
// first image's place on the logical screen.
struct CGifHeader {
    CPalette myPalette;
    int myLeft = 0;
    int myTop = 0;
    int myWidth = 0;
    int myHeight = 0;
};

// Reads a colour table of 2^(bits+1) entries at data + at; false when cut short.
bool ReadGifTable(const uint8_t* data, size_t size, size_t& at, int bits, CPalette& palette) {
    const size_t entries = size_t{2} << bits;
    if (at + entries * 3 > size) return false;
    palette.myColors.clear();
    for (size_t index = 0; index < entries; ++index, at += 3) {
        palette.myColors.push_back(SDL_Color{data[at], data[at + 1], data[at + 2], 0});
    }
    return true;
}

// Walks the blocks up to the first image; false when they are cut short or none comes.
bool ReadGifHeader(const uint8_t* data, size_t size, CGifHeader& header) {
    if (size < 13) return false;
    size_t at = 13;
    if ((data[10] & 0x80) && !ReadGifTable(data, size, at, data[10] & 7, header.myPalette)) return false;
    while (at < size) {
        if (data[at] == 0x2C) {
            if (at + 10 > size) return false;
            header.myLeft = LittleEndian16(data + at + 1);
            header.myTop = LittleEndian16(data + at + 3);
            header.myWidth = LittleEndian16(data + at + 5);
            header.myHeight = LittleEndian16(data + at + 7);
            const int flags = data[at + 9];
            at += 10;
            return !(flags & 0x80) || ReadGifTable(data, size, at, flags & 7, header.myPalette);
        }
        if (data[at] != 0x21 || at + 2 >= size) return false;
        if (data[at + 1] == 0xF9 && at + 7 <= size && data[at + 2] >= 4) {
            header.myPalette.myKey = (data[at + 3] & 1) ? data[at + 6] : -1;
        }
        at += 2;
        while (at < size && data[at] != 0) at += data[at] + 1u;
        ++at;
    }
    return false;
}

#if defined(__EMSCRIPTEN__)
// The browser's surfaces are canvases of red, green, blue and alpha bytes: every picture
// becomes one, its transparency in the alpha. Null (the reason in SDL_GetError) when stb_image
// cannot decode the bytes or SDL cannot make the surface.
SDL_Surface* CanvasSurface(const uint8_t* data, size_t size) {
    CStbPixels pixels;
    if (!pixels.Load(data, size, 4)) return nullptr;
    const Uint32 masks[4] = {0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u};
    SDL_Surface* surface = NewSurface(pixels.myWidth, pixels.myHeight, 32, masks);
    if (!surface || SDL_LockSurface(surface) != 0) return surface;
    for (int y = 0; y < pixels.myHeight; ++y) {
        std::memcpy(static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch,
                    pixels.At(0, y), static_cast<size_t>(pixels.myWidth) * 4);
    }
    SDL_UnlockSurface(surface);
    return surface;
}
#endif

bool IsTga(const std::string& type) {
    return type.size() == 3 && std::tolower(static_cast<unsigned char>(type[0])) == 't' &&
           std::tolower(static_cast<unsigned char>(type[1])) == 'g' &&
           std::tolower(static_cast<unsigned char>(type[2])) == 'a';
}

// The colour map of an indexed TGA (entries of 15, 16, 24 or 32 bits), all opaque.
bool ReadTgaPalette(const uint8_t* data, size_t size, CPalette& palette) {
    const int first = LittleEndian16(data + 3);
    const int count = LittleEndian16(data + 5);
    const int bytes = (data[7] + 7) / 8;
    size_t at = 18 + data[0];
    if (first != 0 || count > 256 || (bytes != 2 && bytes != 3 && bytes != 4) ||
        at + static_cast<size_t>(count) * bytes > size) {
        return false;
    }
    for (int index = 0; index < count; ++index, at += bytes) {
        if (bytes == 2) {
            const int value = LittleEndian16(data + at);
            palette.myColors.push_back(SDL_Color{static_cast<Uint8>((value >> 7) & 0xF8),
                                                 static_cast<Uint8>((value >> 2) & 0xF8),
                                                 static_cast<Uint8>((value << 3) & 0xF8), 0});
        } else {
            palette.myColors.push_back(SDL_Color{data[at + 2], data[at + 1], data[at], 0});
        }
    }
    palette.myAlphas.assign(palette.myColors.size(), 255);
    return true;
}

// A 16-bit surface with 5 bits a channel from the decoded RGB pixels.
SDL_Surface* TrueColour15(const CStbPixels& pixels) {
    const Uint32 masks[4] = {0x7C00, 0x03E0, 0x001F, 0};
    SDL_Surface* surface = NewSurface(pixels.myWidth, pixels.myHeight, 16, masks);
    if (!surface) return nullptr;
    for (int y = 0; y < pixels.myHeight; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
        for (int x = 0; x < pixels.myWidth; ++x) {
            const unsigned char* c = pixels.At(x, y);
            // stb_image widened each 5-bit value v to v * 255 / 31; this narrows it back.
            const Uint16 value = static_cast<Uint16>(((c[0] * 31 + 127) / 255) << 10 | ((c[1] * 31 + 127) / 255) << 5 |
                                                     ((c[2] * 31 + 127) / 255));
            std::memcpy(row + x * 2, &value, 2);
        }
    }
    return surface;
}

// The colour table of a BMP of 1, 4 or 8 bits a pixel: as many entries as it says it uses (all
// 2^bits when it says 0), each blue, green, red and a spare byte (three bytes in the old
// 12-byte header), all opaque.
bool ReadBmpPalette(const uint8_t* data, size_t size, int bits, CPalette& palette) {
    const uint32_t headerSize = static_cast<uint32_t>(LittleEndian16(data + 14)) | LittleEndian16(data + 16) << 16;
    const size_t entryBytes = headerSize == 12 ? 3 : 4;
    size_t count = headerSize >= 40 ? (static_cast<uint32_t>(LittleEndian16(data + 46)) | LittleEndian16(data + 48) << 16) : 0;
    if (count == 0 || count > (size_t{1} << bits)) count = size_t{1} << bits;
    size_t at = 14 + static_cast<size_t>(headerSize);
    if (headerSize > size || at + count * entryBytes > size) return false;
    for (size_t index = 0; index < count; ++index, at += entryBytes) {
        palette.myColors.push_back(SDL_Color{data[at + 2], data[at + 1], data[at], 0});
    }
    palette.myAlphas.assign(palette.myColors.size(), 255);
    return true;
}

// The surface of a PNG picture from its header and the decoded pixels (null when stb_image
// cannot decode them).
SDL_Surface* PngSurface(const uint8_t* data, size_t size, CPngHeader& header, CStbPixels& pixels) {
    switch (header.myColourType) {
        case 0:  // grey
            return pixels.Load(data, size, 1) ? Grey(pixels, true) : nullptr;
        case 2: {  // red, green, blue
            if (!pixels.Load(data, size, 3)) return nullptr;
            SDL_Surface* surface = TrueColour(pixels, "RGB");
            KeyTrueColour(surface, header.myTransparency);
            return surface;
        }
        case 3: {  // palette
            if (!pixels.Load(data, size, 4)) return nullptr;
            if (!UsePngTransparency(header.myTransparency, header.myPalette)) return TrueColour(pixels, "RGBA");
            return Indexed(pixels, header.myPalette);
        }
        default:  // grey or colour with alpha
            return pixels.Load(data, size, 4) ? TrueColour(pixels, "RGBA") : nullptr;
    }
}

}  // namespace

SDL_Surface* CPictureDecoderStb::Decode(const uint8_t* data, size_t size, const std::string& type) {
    if (!data || size > static_cast<size_t>(INT_MAX)) {
        SDL_SetError("Unsupported image format");
        return nullptr;
    }
#if defined(__EMSCRIPTEN__)
    return CanvasSurface(data, size);
#endif
    if (StartsWith(data, size, "\x89PNG")) return DecodePng(data, size);
    if (StartsWith(data, size, "GIF8")) return DecodeGif(data, size);
    if (StartsWith(data, size, "\xFF\xD8")) return DecodeJpeg(data, size);
    if (StartsWith(data, size, "BM")) return DecodeBmp(data, size);
    if (IsTga(type)) return DecodeTga(data, size);
    SDL_SetError("Unsupported image format");
    return nullptr;
}

SDL_Surface* CPictureDecoderStb::DecodePng(const uint8_t* data, size_t size) {
    CPngHeader header;
    if (!ReadPngHeader(data, size, header)) {
        SDL_SetError("Error reading the PNG file.");
        return nullptr;
    }
    CStbPixels pixels;
    SDL_Surface* surface = PngSurface(data, size, header, pixels);
    if (!surface) SDL_SetError("Error reading the PNG file.");
    return surface;
}

SDL_Surface* CPictureDecoderStb::DecodeGif(const uint8_t* data, size_t size) {
    CGifHeader header;
    if (!ReadGifHeader(data, size, header)) {
        SDL_SetError("Error reading the GIF file.");
        return nullptr;
    }
    // SDL_image gives GIF pictures all 256 palette entries, those the file leaves out black.
    header.myPalette.myColors.resize(256, SDL_Color{0, 0, 0, 0});
    header.myPalette.myAlphas.assign(header.myPalette.myColors.size(), 255);
    CStbPixels pixels;
    if (!pixels.Load(data, size, 4)) return nullptr;
    // The first image alone, as big as it says, wherever it lies on the logical screen.
    return Indexed(pixels, header.myPalette, header.myLeft, header.myTop, header.myWidth, header.myHeight);
}

SDL_Surface* CPictureDecoderStb::DecodeJpeg(const uint8_t* data, size_t size) {
    CStbPixels pixels;
    return pixels.Load(data, size, 3) ? TrueColour(pixels, "RGB") : nullptr;
}

SDL_Surface* CPictureDecoderStb::DecodeBmp(const uint8_t* data, size_t size) {
    if (size < 54) {
        SDL_SetError("Error reading the BMP file.");
        return nullptr;
    }
    const int bits = LittleEndian16(data + 28);
    CStbPixels pixels;
    if (bits <= 8) {
        CPalette palette;
        if (!ReadBmpPalette(data, size, bits, palette)) {
            SDL_SetError("Error reading the BMP file.");
            return nullptr;
        }
        // SDL_image gives these 256 palette entries too, those after the file's own unset.
        palette.myColors.resize(256, SDL_Color{0, 0, 0, 0});
        palette.myAlphas.resize(256, 255);
        return pixels.Load(data, size, 4) ? Indexed(pixels, palette) : nullptr;
    }
    if (bits == 32) return pixels.Load(data, size, 4) ? TrueColour(pixels, "BGRA") : nullptr;
    return pixels.Load(data, size, 3) ? TrueColour(pixels, "BGR") : nullptr;
}

SDL_Surface* CPictureDecoderStb::DecodeTga(const uint8_t* data, size_t size) {
    if (size < 18) {
        SDL_SetError("Error reading the TGA file.");
        return nullptr;
    }
    const int imageType = data[2] & ~8;  // run-length coding aside
    const int bits = data[16];
    CStbPixels pixels;
    if (imageType == 1) {
        CPalette palette;
        if (bits != 8 || !ReadTgaPalette(data, size, palette)) {
            SDL_SetError("Unsupported TGA format");
            return nullptr;
        }
        return pixels.Load(data, size, 4) ? Indexed(pixels, palette) : nullptr;
    }
    if (imageType == 3) return pixels.Load(data, size, 1) ? Grey(pixels, false) : nullptr;
    if (imageType != 2) {
        SDL_SetError("Unsupported TGA format");
        return nullptr;
    }
    if (bits == 15 || bits == 16) return pixels.Load(data, size, 3) ? TrueColour15(pixels) : nullptr;
    if (bits == 32) return pixels.Load(data, size, 4) ? TrueColour(pixels, "BGRA") : nullptr;
    return pixels.Load(data, size, 3) ? TrueColour(pixels, "BGR") : nullptr;
}

}  // namespace tarn
