// The clip vocabulary: the one rectangle type and the helpers that cut to it, for everything that
// clips: the planner's placements (blits, blends, sub-images, tiling, the native GDI's
// transfers), fills, the tiling walk, the native GDI's DCs, regions and lines, and both lines'
// walks along their major axis.
#pragma once

#include <algorithm>
#include <climits>

#include "core/PixelRows.h"

namespace zvx {

// Pixel positions: columns left <= x < right, rows top <= y < bottom. Edges are 64-bit, so the
// int range itself is a rectangle, and so is width x height from any int position. Empty when
// left >= right or top >= bottom; an empty rectangle need not be Rect{} (see Cut).
struct Rect {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;

    constexpr bool IsEmpty() const { return left >= right || top >= bottom; }
    constexpr bool Contains(long long x, long long y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// width x height positions whose top-left one is (x, y).
constexpr Rect RectAt(long long x, long long y, long long width, long long height)
{
    return Rect{x, y, x + width, y + height};
}
// An image's or bitmap's pixels: width x height from the origin.
constexpr Rect Bounds(long long width, long long height) { return Rect{0, 0, width, height}; }
// Every pixel of rows; Rect{} when they have none.
inline Rect Bounds(const PixelRows& rows) { return rows.IsValid() ? Bounds(rows.width, rows.height) : Rect{}; }

// Every position an int can name: a source pixel placed outside it has no position to go to.
constexpr Rect kIntRange{INT_MIN, INT_MIN, static_cast<long long>(INT_MAX) + 1, static_cast<long long>(INT_MAX) + 1};

// Edge by edge: the larger left and top, the smaller right and bottom. Where a and b do not meet
// the result is empty and keeps the edges that missed, as GDI's clip box does.
constexpr Rect Cut(const Rect& a, const Rect& b)
{
    return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}
// The part of a that lies in b; Rect{} when there is none.
constexpr Rect Intersect(const Rect& a, const Rect& b)
{
    const Rect common = Cut(a, b);
    return common.IsEmpty() ? Rect{} : common;
}
// The part of rect that lies on rows: none when they have no pixels.
inline Rect ClipToRows(const Rect& rect, const PixelRows& rows) { return Intersect(rect, Bounds(rows)); }
// Where a DC draws: the bounds of its pixels, cut to its clip region where it has one (null: none).
// Edge by edge, as GDI reports it (see Cut).
inline Rect ClipBox(const PixelRows& pixels, const Rect* region)
{
    return region != nullptr ? Cut(Bounds(pixels), *region) : Bounds(pixels);
}

// A clipped placement: source pixel (srcX + i, srcY + j) goes to destination pixel
// (destX + i, destY + j) for 0 <= i < width and 0 <= j < height. Empty (all 0) when nothing
// lands on the destination.
struct BlitArea {
    int srcX = 0;
    int srcY = 0;
    int destX = 0;
    int destY = 0;
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    // Whether source pixel (sx, sy) lands on the destination.
    bool HoldsSource(long long sx, long long sy) const
    {
        return sx >= srcX && sx < static_cast<long long>(srcX) + width && sy >= srcY &&
               sy < static_cast<long long>(srcY) + height;
    }
};

// The part of a width x height source, its top-left pixel at (x, y), that lies on dest. Any int
// position and size, and any dest within the int range, give an area whose values fit in int.
inline BlitArea Place(int width, int height, long long x, long long y, const Rect& dest)
{
    const Rect landed = Cut(RectAt(x, y, width, height), dest);
    if (landed.IsEmpty()) return BlitArea{};
    BlitArea area;
    area.srcX = static_cast<int>(landed.left - x);
    area.srcY = static_cast<int>(landed.top - y);
    area.destX = static_cast<int>(landed.left);
    area.destY = static_cast<int>(landed.top);
    area.width = static_cast<int>(landed.right - landed.left);
    area.height = static_cast<int>(landed.bottom - landed.top);
    return area;
}

// Positions first, first + 1, ..., last along one axis; empty when first > last.
struct Interval {
    long long first = 0;
    long long last = -1;

    constexpr bool IsEmpty() const { return first > last; }
};
// The positions from a to b, both included, in either order, that lie in lo <= p < hi: a line's
// steps along its major axis cut to a clip's extent, before any step is taken.
constexpr Interval ClipInterval(long long a, long long b, long long lo, long long hi)
{
    return Interval{std::max(std::min(a, b), lo), std::min(std::max(a, b), hi - 1)};
}

}  // namespace zvx
