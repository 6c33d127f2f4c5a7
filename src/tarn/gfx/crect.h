// A rectangle of window pixels: x, y, width, height as signed 32-bit integers, with the
// intersection, containment and clipping rules every graphics and input module shares.
#ifndef TARN_GFX_CRECT_H
#define TARN_GFX_CRECT_H

namespace tarn {

// Edge arithmetic is done in 64 bits, so no rectangle, however large or negative, overflows.
class CRect {
public:
    CRect() : x(0), y(0), w(0), h(0) {}
    CRect(int left, int top, int width, int height) : x(left), y(top), w(width), h(height) {}

    // Empty means both width and height are 0.
    bool IsEmpty() const { return w == 0 && h == 0; }
    bool HasArea() const { return w > 0 && h > 0; }
    // Each starts strictly before the other ends, on both axes; touching edges do not count.
    // A rectangle with a zero or negative width or height has no area and intersects nothing.
    bool Intersects(const CRect& other) const;
    // x, y not before other's, right and bottom edges not beyond other's.
    bool IsInside(const CRect& other) const;
    // The hit test: x <= px < x + w and y <= py < y + h.
    bool Contains(int px, int py) const;
    // The overlap with bounds (never of negative size), or the empty rectangle when they do
    // not intersect.
    CRect Clip(const CRect& bounds) const;
    long long Right() const { return static_cast<long long>(x) + w; }
    long long Bottom() const { return static_cast<long long>(y) + h; }

    bool operator==(const CRect& other) const {
        return x == other.x && y == other.y && w == other.w && h == other.h;
    }
    bool operator!=(const CRect& other) const { return !(*this == other); }

    int x;
    int y;
    int w;
    int h;
};

}  // namespace tarn

#endif
