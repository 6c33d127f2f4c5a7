// A sprite showing a window onto a long text (the console log): it re-renders the visible part
// at most every 100 ms of its fake-thread clock and only when the text source drew something.
#ifndef TARN_TASKS_TASK_DEBUG_CLOTSATEXTSPRITE_H
#define TARN_TASKS_TASK_DEBUG_CLOTSATEXTSPRITE_H

#include "tarn/gfx/crect.h"
#include "tarn/gfx/csprite.h"
#include "tarn/tasks/cfakethread.h"

namespace tarn {

class CConsoleLogBuffer;

class CLotsaTextSprite : public CSprite, public CFakeThread {
public:
    static const int kRefreshMs = 100;

    // A w by h blank image; the refresh thread starts at once.
    CLotsaTextSprite(int w, int h);
    ~CLotsaTextSprite() override;

    // Renders the text source (if any and the sprite has an image); invalidates when it drew.
    void Run() override;
    // A new blank image of that size, rendered at once.
    void SetSize(int w, int h);
    // fraction of the scrollable height (1 = the newest lines at the bottom).
    void SetScroll(float fraction);
    // Not owned; null shows nothing.
    void SetTextSource(CConsoleLogBuffer* source) { myTextSource = source; }
    CRect GetViewRect() const;

private:
    void RenderNow(bool force);

    CConsoleLogBuffer* myTextSource;
    float myScroll;
    int myWidth;
    int myHeight;
};

}  // namespace tarn

#endif
