// A rectangle of window pixels: x, y, width, height as signed 32-bit integers, with the
// intersection, containment and clipping rules every graphics and input module shares.
#include "tarn/gfx/crect.h"

#include <algorithm>
#include <climits>

namespace tarn {

bool CRect::Intersects(const CRect& other) const {
    if (!HasArea() || !other.HasArea()) return false;
    return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
}

bool CRect::IsInside(const CRect& other) const {
    return x >= other.x && y >= other.y && Right() <= other.Right() && Bottom() <= other.Bottom();
}

bool CRect::Contains(int px, int py) const { return x <= px && px < Right() && y <= py && py < Bottom(); }

CRect CRect::Clip(const CRect& bounds) const {
    if (!Intersects(bounds)) return CRect();
    const int left = std::max(x, bounds.x);
    const int top = std::max(y, bounds.y);
    const long long right = std::min(Right(), bounds.Right());
    const long long bottom = std::min(Bottom(), bounds.Bottom());
    return CRect(left, top, static_cast<int>(std::min<long long>(right - left, INT_MAX)),
                 static_cast<int>(std::min<long long>(bottom - top, INT_MAX)));
}

}  // namespace tarn
