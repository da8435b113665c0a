// Rectangles of pixel positions: bitmap bounds, clip regions and what drawing may touch.
#pragma once

namespace zvx::gdi {

// Half-open rectangle [left, right) x [top, bottom).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The common part; every empty result is the empty rectangle at the origin.
inline Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r;
    r.left = a.left > b.left ? a.left : b.left;
    r.top = a.top > b.top ? a.top : b.top;
    r.right = a.right < b.right ? a.right : b.right;
    r.bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    if (r.IsEmpty()) r = Rect{};
    return r;
}

}  // namespace zvx::gdi
