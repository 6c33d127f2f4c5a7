// Looks at a picture file's bytes before they are decoded: only PNG, GIF, JPEG, BMP and TGA,
// recognised by their signature, are accepted, and of these files cut short and sizes larger
// than the game can show are refused, so decoders never see them.
#include "tarn/gfx/cpicturefilecheck.h"

#include <cstring>

namespace tarn {

namespace {

bool Fail(std::string* reason, const char* why) {
    if (reason) *reason = why;
    return false;
}

// A picture's size from its header: 1 to kMaxSide a side. The reason names the format and
// the size.
bool CheckSize(const char* format, long long w, long long h, std::string* reason) {
    if (w > 0 && h > 0 && w <= CPictureFileCheck::kMaxSide && h <= CPictureFileCheck::kMaxSide) return true;
    if (reason) {
        *reason = std::string(format) + " size out of range: " + std::to_string(w) + " x " + std::to_string(h) +
                  " (at most " + std::to_string(CPictureFileCheck::kMaxSide) + " a side)";
    }
    return false;
}

unsigned Big16(const uint8_t* at) { return (at[0] << 8) | at[1]; }
unsigned Little16(const uint8_t* at) { return at[0] | (at[1] << 8); }
uint32_t Big32(const uint8_t* at) {
    return (uint32_t(at[0]) << 24) | (uint32_t(at[1]) << 16) | (uint32_t(at[2]) << 8) | at[3];
}
int32_t Little32(const uint8_t* at) {
    return static_cast<int32_t>(uint32_t(at[0]) | (uint32_t(at[1]) << 8) | (uint32_t(at[2]) << 16) |
                                (uint32_t(at[3]) << 24));
}

bool StartsWith(const uint8_t* data, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(data, magic, length) == 0;
}

// TGA has no signature at its start: a header whose colour-map type, image type, colour-map
// entry size and pixel depth are all ones a TGA file can have is taken for one. Unmapped
// types (true colour, grey) may still carry a colour map, which is then skipped.
bool HasTgaHeader(const uint8_t* data, size_t size) {
    if (size < 18) return false;
    const uint8_t mapType = data[1];
    const uint8_t imageType = data[2] & ~8;  // run-length encoded types are the plain ones + 8
    const uint8_t entryBits = data[7];
    const uint8_t depth = data[16];
    if (mapType > 1 || (data[2] & ~11) != 0 || imageType < 1 || imageType > 3) return false;
    if (imageType == 1 && mapType != 1) return false;
    if (mapType == 1 && entryBits != 15 && entryBits != 16 && entryBits != 24 && entryBits != 32) return false;
    if (mapType == 0 && (data[5] | data[6]) != 0) return false;
    if (imageType == 2) return depth == 15 || depth == 16 || depth == 24 || depth == 32;
    return depth == 8 || depth == 16;
}

// Skips GIF data sub-blocks starting at pos; false when the data ends first.
bool SkipSubBlocks(const uint8_t* data, size_t size, size_t& pos) {
    while (pos < size) {
        const size_t length = data[pos++];
        if (length == 0) return true;
        pos += length;
    }
    return false;
}

}  // namespace

CPictureFileCheck::EFormat CPictureFileCheck::Identify(const uint8_t* data, size_t size, std::string* reason) {
    const auto checked = [](bool passed, EFormat format) { return passed ? format : FORMAT_NONE; };
    if (!data || size == 0) {
        Fail(reason, "empty file");
        return FORMAT_NONE;
    }
    if (StartsWith(data, size, "\x89PNG\r\n\x1a\n", 8)) return checked(CheckPng(data, size, reason), FORMAT_PNG);
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6))
        return checked(CheckGif(data, size, reason), FORMAT_GIF);
    if (StartsWith(data, size, "\xFF\xD8\xFF", 3)) return checked(CheckJpeg(data, size, reason), FORMAT_JPEG);
    if (StartsWith(data, size, "BM", 2)) return checked(CheckBmp(data, size, reason), FORMAT_BMP);
    if (HasTgaHeader(data, size)) return checked(CheckTga(data, size, reason), FORMAT_TGA);
    Fail(reason, "not a PNG, GIF, JPEG, BMP or TGA picture");
    return FORMAT_NONE;
}

bool CPictureFileCheck::IsLoadable(const uint8_t* data, size_t size, std::string* reason) {
    return Identify(data, size, reason) != FORMAT_NONE;
}

const char* CPictureFileCheck::GetName(EFormat format) {
    switch (format) {
        case FORMAT_PNG: return "PNG";
        case FORMAT_GIF: return "GIF";
        case FORMAT_JPEG: return "JPEG";
        case FORMAT_BMP: return "BMP";
        case FORMAT_TGA: return "TGA";
        default: return "";
    }
}

bool CPictureFileCheck::CheckPng(const uint8_t* data, size_t size, std::string* reason) {
    // Signature, chunk length, "IHDR", width, height.
    if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return Fail(reason, "PNG without header");
    if (!CheckSize("PNG", Big32(data + 16), Big32(data + 20), reason)) return false;
    return true;
}

bool CPictureFileCheck::CheckGif(const uint8_t* data, size_t size, std::string* reason) {
    if (size < 13) return Fail(reason, "GIF cut short");
    if (!CheckSize("GIF", Little16(data + 6), Little16(data + 8), reason)) return false;
    size_t pos = 13;
    if (data[10] & 0x80) pos += 3u << ((data[10] & 7) + 1);
    while (pos < size) {
        const uint8_t block = data[pos++];
        if (block == 0x3B) return true;  // the trailer: the file is complete
        if (block == 0x21) {
            ++pos;  // extension label
            if (!SkipSubBlocks(data, size, pos)) break;
        } else if (block == 0x2C) {
            if (pos + 9 > size) break;
            if (!CheckSize("GIF", Little16(data + pos + 4), Little16(data + pos + 6), reason)) return false;
            const uint8_t flags = data[pos + 8];
            pos += 9;
            if (flags & 0x80) pos += 3u << ((flags & 7) + 1);
            ++pos;  // smallest code size
            if (!SkipSubBlocks(data, size, pos)) break;
        } else {
            return Fail(reason, "GIF with an unknown block");
        }
    }
    return Fail(reason, "GIF cut short");
}

bool CPictureFileCheck::CheckJpeg(const uint8_t* data, size_t size, std::string* reason) {
    // Walks the marker segments up to the first scan; frames give the size.
    bool sized = false;
    size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF) return Fail(reason, "JPEG with a broken marker");
        const uint8_t marker = data[pos + 1];
        if (marker == 0xFF) {
            ++pos;  // fill byte
            continue;
        }
        const size_t length = Big16(data + pos + 2);
        if (length < 2) return Fail(reason, "JPEG with a broken marker");
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (pos + 9 > size) break;
            if (!CheckSize("JPEG", Big16(data + pos + 7), Big16(data + pos + 5), reason)) return false;
            sized = true;
        }
        if (marker == 0xDA) break;  // start of scan: entropy-coded data follows
        pos += 2 + length;
    }
    if (!sized) return Fail(reason, "JPEG without a frame");
    // Inside scan data 0xFF is always followed by 0 or a restart marker, so the image is
    // complete only if an end-of-image marker follows the last start of scan.
    size_t lastScan = 0;
    for (size_t i = 0; i + 1 < size; ++i) {
        if (data[i] == 0xFF && data[i + 1] == 0xDA) lastScan = i;
    }
    for (size_t i = lastScan; lastScan && i + 1 < size; ++i) {
        if (data[i] == 0xFF && data[i + 1] == 0xD9) return true;
    }
    return Fail(reason, "JPEG cut short");
}

bool CPictureFileCheck::CheckBmp(const uint8_t* data, size_t size, std::string* reason) {
    if (size < 26) return Fail(reason, "BMP cut short");
    // Old OS/2 bitmaps have a 12-byte header with 16-bit sizes.
    const bool old = Little32(data + 14) == 12;
    const long long width = old ? static_cast<long long>(Little16(data + 18)) : Little32(data + 18);
    const long long height = old ? static_cast<long long>(Little16(data + 20)) : Little32(data + 22);
    if (!CheckSize("BMP", width, height < 0 ? -height : height, reason)) return false;
    return true;
}

bool CPictureFileCheck::CheckTga(const uint8_t* data, size_t size, std::string* reason) {
    const long long width = Little16(data + 12);
    const long long height = Little16(data + 14);
    if (!CheckSize("TGA", width, height, reason)) return false;
    // Identification text and colour map come first; uncompressed pixels must all be there.
    const long long mapBytes = data[1] ? Little16(data + 5) * ((data[7] + 7) / 8) : 0;
    long long needed = 18 + data[0] + mapBytes;
    if (!(data[2] & 8)) needed += width * height * ((data[16] + 7) / 8);
    if (static_cast<long long>(size) < needed) return Fail(reason, "TGA cut short");
    return true;
}

}  // namespace tarn
