// The console's text sprite: a fake thread redraws the visible part of the log every 100 ms.
#include "tarn/tasks/task_debug/clotsatextsprite.h"

#include "tarn/tasks/task_debug/cconsolelogbuffer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace tarn {

CLotsaTextSprite::CLotsaTextSprite(int w, int h)
    : CSprite(CreateImage(w, h)), myTextSource(nullptr), myScroll(1.0f), myWidth(w), myHeight(h) {
    SetInterval(kRefreshMs);
    Start();
}

CLotsaTextSprite::~CLotsaTextSprite() = default;

CRect CLotsaTextSprite::GetViewRect() const {
    int y = 0;
    if (myTextSource) {
        int scrollable = myTextSource->GetTotalHeight() - myHeight;
        if (scrollable > 0) y = static_cast<int>(scrollable * myScroll);
    }
    return CRect(0, y, myWidth, myHeight);
}

void CLotsaTextSprite::RenderNow(bool force) {
    if (!myTextSource || !GetImage()) return;
    if (myTextSource->Render(GetImage(), GetViewRect(), force)) Invalidate();
}

void CLotsaTextSprite::Run() { RenderNow(false); }

void CLotsaTextSprite::SetSize(int w, int h) {
    if (w == myWidth && h == myHeight) return;
    Invalidate();
    myWidth = w;
    myHeight = h;
    SetImage(CreateImage(w, h));
    RenderNow(true);
}

void CLotsaTextSprite::SetScroll(float fraction) {
    if (fraction == myScroll) return;
    myScroll = fraction;
    RenderNow(true);
    Invalidate();
}

}  // namespace tarn
