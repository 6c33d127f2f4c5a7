// The console's log collector: keeps the latest lines with their measured heights and draws
// the part of the log that a view rectangle shows.
#include "tarn/tasks/task_debug/cconsolelogbuffer.h"

#include <memory>

#include "tarn/gfx/cfont.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

namespace {

const int kMaxLineDrawHeight = 200;
// Past this y of the oldest line the lines are renumbered from 0, so y never overflows.
const int kRenumberAt = 1 << 28;

// Registered as a permanent listener during static initialisation, so it sees every line of
// every logger the program creates; at exit it leaves before it goes.
struct CBufferHolder {
    CBufferHolder() : buffer(new CConsoleLogBuffer()) { CLogger::AddPermanentListener(buffer.get()); }
    ~CBufferHolder() { CLogger::RemovePermanentListener(buffer.get()); }
    std::unique_ptr<CConsoleLogBuffer> buffer;
};

CBufferHolder& Holder() {
    static CBufferHolder holder;
    return holder;
}

// Forces the buffer into existence before main.
CConsoleLogBuffer* const theStartupBuffer = CConsoleLogBuffer::GetSingleton();

std::string WithoutLineEnd(const std::string& text) {
    if (!text.empty() && text.back() == '\n') return text.substr(0, text.size() - 1);
    return text;
}

}  // namespace

CConsoleLogBuffer* CConsoleLogBuffer::GetSingleton() { return Holder().buffer.get(); }

CConsoleLogBuffer::CConsoleLogBuffer()
    : myMinLevel(0), myFollowTail(true), myViewRect(0, 0, 0, 0), myDefaultFont(nullptr) {}

CConsoleLogBuffer::~CConsoleLogBuffer() = default;

int CConsoleLogBuffer::GetTopY() const { return myLines.empty() ? 0 : myLines.begin()->first; }

int CConsoleLogBuffer::GetTotalHeight() const {
    if (myLines.empty()) return 0;
    const CLine& last = myLines.rbegin()->second;
    return last.y + last.height - GetTopY();
}

CFont* CConsoleLogBuffer::FontFor(int level) const {
    auto found = myLevelFonts.find(level);
    if (found != myLevelFonts.end() && found->second) return found->second;
    return myDefaultFont;
}

int CConsoleLogBuffer::MeasureLine(const CLine& line) const {
    CFont* font = FontFor(line.level);
    if (!font) return 1;
    int rows = 1;
    int width = font->GetTextWidth(line.text);
    if (myViewRect.w > 0 && width > myViewRect.w) rows = (width + myViewRect.w - 1) / myViewRect.w;
    int height = rows * font->GetLineHeight();
    return height > 0 ? height : 1;
}

void CConsoleLogBuffer::Remeasure() {
    std::map<int, CLine> lines;
    int y = 0;
    for (auto& entry : myLines) {
        CLine line = entry.second;
        line.y = y;
        line.height = MeasureLine(line);
        y += line.height;
        lines.emplace(line.y, line);
    }
    myLines.swap(lines);
    myFollowTail = true;
}

void CConsoleLogBuffer::SetFont(CFont* font) {
    myDefaultFont = font;
    Remeasure();
}

void CConsoleLogBuffer::Write(const std::string& text, int level) {
    if (level < myMinLevel) return;
    CLine line;
    line.level = level;
    line.text = WithoutLineEnd(text);
    const int place = GetTotalHeight();
    line.y = GetTopY() + place;
    line.height = MeasureLine(line);
    if (myViewRect.y <= place && place <= myViewRect.y + myViewRect.h) myFollowTail = true;
    myLines.emplace(line.y, std::move(line));
    DropOldest();
}

void CConsoleLogBuffer::DropOldest() {
    if (myLines.size() <= kMaxLines) return;
    while (myLines.size() > kMaxLines) myLines.erase(myLines.begin());
    // Every line kept moved up in the text: what a view shows has changed.
    myFollowTail = true;
    if (GetTopY() < kRenumberAt) return;
    std::map<int, CLine> lines;
    const int top = GetTopY();
    for (auto& entry : myLines) {
        entry.second.y -= top;
        lines.emplace(entry.second.y, std::move(entry.second));
    }
    myLines.swap(lines);
}

bool CConsoleLogBuffer::Render(IPixel* image, const CRect& view, bool force) {
    if (!image) return false;
    if (view.w != myViewRect.w) {
        myViewRect.w = view.w;
        Remeasure();
    }
    if (!myFollowTail && view == myViewRect && !force) return false;
    image->ClearRect(CRect(0, 0, image->GetWidth(), image->GetHeight()));
    myViewRect = view;
    const int topY = GetTopY();
    for (auto it = myLines.lower_bound(topY + view.y); it != myLines.end(); ++it) {
        int top = it->second.y - topY - view.y;
        if (top >= view.h) break;
        CFont* font = FontFor(it->second.level);
        if (!font) continue;
        int height = it->second.height < kMaxLineDrawHeight ? it->second.height : kMaxLineDrawHeight;
        font->DrawTextInArea(image, it->second.text, CRect(view.x, top, view.w, height));
    }
    myFollowTail = false;
    return true;
}

}  // namespace tarn
