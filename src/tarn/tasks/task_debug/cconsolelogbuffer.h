// Collects the log lines from start-up on, keeping the latest kMaxLines of them, and draws the
// visible part of them for the console. One process-wide buffer, registered with the logger
// during static initialisation (whether or not the console is ever opened), so it must stay
// bounded however long the program runs.
#ifndef TARN_TASKS_TASK_DEBUG_CCONSOLELOGBUFFER_H
#define TARN_TASKS_TASK_DEBUG_CCONSOLELOGBUFFER_H

#include <cstddef>
#include <map>
#include <string>

#include "tarn/gfx/crect.h"
#include "tarn/utils/logger/iloglistener.h"

namespace tarn {

class CFont;
class IPixel;

class CConsoleLogBuffer : public ILogListener {
public:
    struct CLine {
        int level;
        std::string text;
        int y;
        int height;
    };

    // The buffer registered at start-up (never null while the program runs).
    static CConsoleLogBuffer* GetSingleton();
    // A ring of the latest lines: the oldest goes when one more arrives.
    static constexpr std::size_t kMaxLines = 1000;

    CConsoleLogBuffer();
    ~CConsoleLogBuffer() override;
    // Sum of the heights of the lines kept.
    virtual int GetTotalHeight() const;
    // Draws the lines inside view into image; true when it drew (follow mode, another view
    // or force). A null image draws nothing and returns false.
    virtual bool Render(IPixel* image, const CRect& view, bool force);
    // Default font (not owned, null = none); every line is measured again.
    virtual void SetFont(CFont* font);

    void Write(const std::string& text, int level) override;

    void SetMinLevel(int level) { myMinLevel = level; }
    // The lines kept, oldest first, keyed by their y. The oldest need not start at 0: a
    // line's place in the text is its y less the first line's.
    const std::map<int, CLine>& GetLines() const { return myLines; }

private:
    CFont* FontFor(int level) const;
    int MeasureLine(const CLine& line) const;
    void Remeasure();
    // y of the oldest line kept (0 when none).
    int GetTopY() const;
    // Drops the oldest lines beyond kMaxLines.
    void DropOldest();

    int myMinLevel;
    bool myFollowTail;
    CRect myViewRect;
    CFont* myDefaultFont;
    std::map<int, CFont*> myLevelFonts;
    std::map<int, CLine> myLines;
};

}  // namespace tarn

#endif
