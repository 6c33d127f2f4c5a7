// Word-wraps text into a rectangle and draws it line by line, left-aligned, centred,
// right-aligned or justified.
#include "tarn/gfx/ctextlayout.h"

namespace tarn {

namespace {

// The end of the word starting at pos: the next space or line feed, or the text's end.
size_t WordEnd(const std::string& text, size_t pos) {
    const size_t end = text.find_first_of(" \n", pos);
    return end == std::string::npos ? text.size() : end;
}

std::string TabsToSpaces(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\t') {
            out.append(CFont::kTabSpaces, ' ');
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

CTextLayout::CTextLayout(int kind)
    : myKind(kind >= TEXT_LAYOUT_LEFT && kind <= TEXT_LAYOUT_JUSTIFY ? kind : TEXT_LAYOUT_LEFT),
      myLastLineWidth(0),
      myLineEnded(false) {}

int CTextLayout::LineFit(const CFont* font, const std::string& text, const CRect& area, int from) {
    myLastLineWidth = 0;
    myLineEnded = false;
    if (from < 0 || static_cast<size_t>(from) >= text.size()) return 0;
    if (text[from] == '\n') {
        // An empty line: only its line feed is consumed, so the text after it goes on.
        myLineEnded = true;
        return 1;
    }
    size_t lineEnd = text.find('\n', from);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    size_t pos = from;
    int width = 0;
    while (pos < lineEnd) {
        const size_t end = WordEnd(text, pos);
        const int wordWidth = font->GetTextWidth(text.substr(pos, end - pos));
        if (width + wordWidth > area.w) break;
        width += wordWidth;
        pos = end;
        if (pos < text.size()) {
            if (text[pos] == ' ') width += font->GetSpaceWidth();
            ++pos;
        }
        if (pos >= lineEnd) myLineEnded = true;
    }
    myLastLineWidth = width;
    return static_cast<int>(pos) - from;
}

int CTextLayout::LineX(const CRect& area) const {
    switch (myKind) {
        case TEXT_LAYOUT_CENTER:
            return (area.w - myLastLineWidth - 1) / 2 + area.x;
        case TEXT_LAYOUT_RIGHT:
            return area.w + area.x - myLastLineWidth;
        default:
            return area.x;
    }
}

CTextPos CTextLayout::DrawText(CFont* font, IPixel* image, const std::string& text, const CRect& area) {
    if (text.find('\t') != std::string::npos) return DrawText(font, image, TabsToSpaces(text), area);
    int y = area.y;
    int used = 0;
    int lastX = area.x;
    size_t pos = 0;
    const int lineHeight = font->GetLineHeight();
    while (pos < text.size() && used < area.h) {
        const int count = LineFit(font, text, area, static_cast<int>(pos));
        if (count == 0) {
            // Nothing after a word wider than the area can ever fit: the rest of the area is
            // taken by empty lines at once instead of one by one.
            if (lineHeight > 0) y += (area.h - used + lineHeight - 1) / lineHeight * lineHeight;
            break;
        }
        {
            const std::string line = text.substr(pos, count);
            if (myKind == TEXT_LAYOUT_JUSTIFY && !myLineEnded) {
                lastX = DrawJustified(font, image, line, area, y);
            } else if (myKind == TEXT_LAYOUT_JUSTIFY) {
                lastX = font->DrawString(image, line, area.x, y).x;
            } else {
                font->DrawString(image, line, LineX(area), y);
            }
            pos += count;
        }
        y += lineHeight;
        used += lineHeight;
    }
    if (myKind == TEXT_LAYOUT_JUSTIFY) return CTextPos(lastX, y);
    return CTextPos(area.x, y);
}

int CTextLayout::DrawJustified(CFont* font, IPixel* image, const std::string& line, const CRect& area, int y) {
    std::string words = line;
    int width = myLastLineWidth;
    if (!words.empty() && words.back() == ' ') {
        words.pop_back();
        width -= font->GetSpaceWidth();
    }
    int spaces = 0;
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i] == ' ') ++spaces;
    }
    const float gap = spaces > 0 ? static_cast<float>(area.w - width) / static_cast<float>(spaces) : 0.0f;
    float x = static_cast<float>(area.x);
    size_t pos = 0;
    while (pos <= words.size()) {
        size_t end = words.find(' ', pos);
        if (end == std::string::npos) end = words.size();
        const CTextPos after = font->DrawString(image, words.substr(pos, end - pos), static_cast<int>(x), y);
        const int wordEnd = end > pos ? after.x : static_cast<int>(x);
        if (end >= words.size()) return wordEnd;
        x = static_cast<float>(wordEnd) + static_cast<float>(font->GetSpaceWidth()) + gap;
        pos = end + 1;
    }
    return static_cast<int>(x);
}

}  // namespace tarn
