// The clipping every pixel copy goes through: a source rectangle in one surface and a
// destination in another cut down to what lies inside both surfaces, keeping them aligned.
#include "tarn/gfx/blitclip.h"

#include <algorithm>

namespace tarn {

namespace {

// One axis: start positions s (source) and d (destination), length n, against the source
// range [sLow, sHigh) and the destination range [dLow, dHigh).
void ClipAxis(long long& s, long long& d, long long& n, long long sLow, long long sHigh, long long dLow,
              long long dHigh) {
    const long long lead = std::max(sLow - s, dLow - d);
    if (lead > 0) {
        s += lead;
        d += lead;
        n -= lead;
    }
    n = std::min(n, std::min(sHigh - s, dHigh - d));
}

}  // namespace

bool ClipBlit(const CRect& srcBounds, CRect& src, const CRect& dstBounds, CRect& dst) {
    if (!srcBounds.HasArea() || !dstBounds.HasArea()) return false;
    long long sx = src.x, sy = src.y, dx = dst.x, dy = dst.y;
    long long w = std::min(src.w, dst.w);
    long long h = std::min(src.h, dst.h);
    if (w <= 0 || h <= 0) return false;
    ClipAxis(sx, dx, w, srcBounds.x, srcBounds.Right(), dstBounds.x, dstBounds.Right());
    ClipAxis(sy, dy, h, srcBounds.y, srcBounds.Bottom(), dstBounds.y, dstBounds.Bottom());
    if (w <= 0 || h <= 0) return false;
    src = CRect(static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w), static_cast<int>(h));
    dst = CRect(static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(w), static_cast<int>(h));
    return true;
}

}  // namespace tarn
