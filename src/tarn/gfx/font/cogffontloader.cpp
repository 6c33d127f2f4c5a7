// Loads OGF fonts: a one-line text description (grid, cell size, characters, glyph widths,
// colour) next to a glyph image.
#include "tarn/gfx/font/cogffontloader.h"

#include <cctype>
#include <vector>

#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

namespace {

enum { TOKEN_MAGIC, TOKEN_COLUMNS, TOKEN_ROWS, TOKEN_CELL_W, TOKEN_CELL_H, TOKEN_COUNT, TOKEN_COLOR, TOKEN_CHARS };

// Splits at every ";", keeping empty pieces (a listed ";" leaves one behind).
std::vector<std::string> SplitTokens(const std::string& line) {
    std::vector<std::string> tokens;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(';', start);
        if (end == std::string::npos) {
            tokens.push_back(line.substr(start));
            return tokens;
        }
        tokens.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

// A decimal number of at most six digits, or -1.
int ParseNumber(const std::string& text) {
    if (text.empty() || text.size() > 6) return -1;
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool AllDigits(const std::string& text) {
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

uint8_t TintChannel(uint8_t channel, int eighths) {
    return static_cast<uint8_t>(channel / 255.0 * eighths / 8.0 * 255.0);
}

}  // namespace

COgfFontLoader::COgfFontLoader(CFont* font, const std::string& filename) { Load(font, filename); }

std::string COgfFontLoader::GetName() const { return "ogf"; }

void COgfFontLoader::Load(CFont* font, const std::string& filename) {
    CLogger& log = *CLogger::GetSingleton();
    // Only the first line describes the font; the file must be a regular one of at most 1 MB
    // (a refusal is logged).
    std::string line;
    ReadRegularFile(filename, CFileLimits::kText, line);
    line = line.substr(0, line.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
        log << "Could not open ogf file: " << filename << " for loading\n";
        return;
    }
    std::vector<std::string> tokens = SplitTokens(line);
    if (tokens[TOKEN_MAGIC] != "OGF") {
        log << filename << " is probably not a ogf file\n";
        return;
    }
    if (tokens.size() <= TOKEN_CHARS) {
        log << filename << " is missing fields\n";
        return;
    }
    const int columns = ParseNumber(tokens[TOKEN_COLUMNS]);
    const int rows = ParseNumber(tokens[TOKEN_ROWS]);
    const int cellW = ParseNumber(tokens[TOKEN_CELL_W]);
    const int cellH = ParseNumber(tokens[TOKEN_CELL_H]);
    const int count = ParseNumber(tokens[TOKEN_COUNT]);
    const std::string& color = tokens[TOKEN_COLOR];
    if (columns <= 0 || rows <= 0 || cellW <= 0 || cellH <= 0 || count < 0 ||
        static_cast<long long>(columns) * cellW > kMaxImageSide ||
        static_cast<long long>(rows) * cellH > kMaxImageSide) {
        log << filename << " has an impossible glyph grid\n";
        return;
    }
    if (color.size() != 3 || !AllDigits(color)) {
        log << filename << " has a bad colour field\n";
        return;
    }
    // A listed ";" split the character list: join pieces until the list is long enough.
    size_t next = TOKEN_CHARS;
    std::string chars = tokens[next++];
    while (chars.size() < static_cast<size_t>(count) && next < tokens.size()) chars += ";" + tokens[next++];
    if (chars.size() != static_cast<size_t>(count)) {
        log << filename << "Error, the char count (" << count << ") and numbers of charachters (" << chars.size()
            << ") don't match\n";
        return;
    }
    const std::string widths = next < tokens.size() ? tokens[next++] : std::string();
    if (widths.size() != 2 * chars.size()) {
        log << filename << " Error, the number of character width's ( " << widths.size()
            << ") doesn't match the number of characters (" << count << ") times two\n";
        return;
    }
    if (!AllDigits(widths)) {
        log << filename << " has a bad character width\n";
        return;
    }
    const std::string imageName = next < tokens.size() ? tokens[next] : std::string();
    IPixel* image = LoadImage(imageName);
    if (!image || image->IsEmpty() || image->IsNullImage()) {
        log << "Could not load image" << imageName << "\n";
        ReleaseImage(image);
        return;
    }
    if (columns * cellW != image->GetWidth() || rows * cellH != image->GetHeight()) {
        IPixel* scaled = image->Scale(columns * cellW, rows * cellH);
        ReleaseImage(image);
        image = scaled;
        if (!image || image->IsEmpty() || image->IsNullImage()) {
            log << "Could not load image" << imageName << "\n";
            ReleaseImage(image);
            return;
        }
    }
    const int stepX = image->GetWidth() / columns;
    const int stepY = image->GetHeight() / rows;
    int x = 0;
    int y = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        const int width = (widths[2 * i] - '0') * 10 + (widths[2 * i + 1] - '0');
        font->SetCharRect(static_cast<unsigned char>(chars[i]), CRect(x, y, width, cellH));
        x += stepX;
        if ((i + 1) % columns == 0) {
            x = 0;
            y += stepY;
        }
    }
    const int red = color[0] - '0';
    const int green = color[1] - '0';
    const int blue = color[2] - '0';
    if (red != 8 || green != 8 || blue != 8) {
        log << "Red: " << red / 8.0 << " Green: " << green / 8.0 << " Blue: " << blue / 8.0 << "\n";
        Tint(image, red, green, blue);
    }
    font->SetImage(image);
    font->SetLetterSpacing(0);
    font->SetLineHeight(cellH);
    font->SetSpaceWidth(font->GetCharRect(' ').w);
}

void COgfFontLoader::Tint(IPixel* image, int red, int green, int blue) {
    const CColor key = CColor::DefaultKey();
    for (int y = 0; y < image->GetHeight(); ++y) {
        for (int x = 0; x < image->GetWidth(); ++x) {
            const CColor pixel = image->GetPixel(x, y);
            if (pixel.a != 255) continue;
            if (pixel.r == key.r && pixel.g == key.g && pixel.b == key.b) continue;
            image->PutPixel(x, y, CColor(TintChannel(pixel.r, red), TintChannel(pixel.g, green),
                                         TintChannel(pixel.b, blue), pixel.a));
        }
    }
}

}  // namespace tarn
