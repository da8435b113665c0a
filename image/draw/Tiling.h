// Laying copies of an image edge to edge over a rectangle: the walk shared by TileTo and both
// forms of DrawTiled.
#pragma once

#include <algorithm>

#include "image/IImage.h"

namespace zvx {

// The rectangle to cover, its right and bottom edges computed in 64 bits so that nothing near
// INT_MAX overflows.
struct TileRect {
    long long x = 0;
    long long y = 0;
    long long right = 0;
    long long bottom = 0;
};

// Where copies can leave pixels: the destination's extent (an image's pixels, a DC's clip box),
// half-open, with edges within the int range. Empty when nothing can be drawn at all.
struct TileReach {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;
    // Copies are drawn whole (the rectangle's edge left to a clip region) rather than trimmed
    // to the rectangle, so a copy crossing the rectangle's right or bottom reaches beyond it.
    bool wholeCopies = false;

    bool IsEmpty() const { return left >= right || top >= bottom; }
};

// False for a width or height below 1, or a rectangle ending left of or above 0 (one that ends
// exactly at 0 is accepted).
bool AcceptTileRect(int x, int y, int width, int height, TileRect& rect);

// Of the copies at pos, pos + step, pos + 2 step, ... the first that ends beyond edge, found by
// arithmetic rather than by stepping there.
inline long long FirstCopyPast(long long pos, long long step, long long edge)
{
    if (pos + step > edge) return pos;
    return pos + (edge - pos) / step * step;
}

// Calls place(tx, ty, tw, th) for every copy that can leave a pixel within reach: rows of copies
// from the rectangle's top, each row from its left, copies trimmed (tw, th) where they would
// cross its right or bottom edge. The image's size is read again for every copy. Copies that
// end before reach's left or top edge are stepped over in one jump, and the walk stops at its
// right and bottom edges, so its cost follows the destination's size, not the rectangle's.
// False, before any copy and at whichever step it happens, when the image has no pixels: an
// empty image gives no step forward.
template <class Place>
bool ForEachTile(const IImage& image, const TileRect& rect, const TileReach& reach, Place&& place)
{
    if (image.GetWidth() < 1 || image.GetHeight() < 1) return false;
    if (reach.IsEmpty()) return true;
    // Trimmed copies end at the rectangle's edge: if that lies before reach, none can get there.
    if (!reach.wholeCopies && (rect.right <= reach.left || rect.bottom <= reach.top)) return true;

    const long long rowEnd = std::min(rect.bottom, reach.bottom);
    const long long columnEnd = std::min(rect.right, reach.right);
    for (long long ty = rect.y; ty < rowEnd;) {
        long long rowStep = image.GetHeight();
        if (rowStep < 1) return false;
        if (ty + rowStep <= reach.top) {
            ty = FirstCopyPast(ty, rowStep, reach.top);
            continue;
        }
        for (long long tx = rect.x; tx < columnEnd;) {
            const int width = image.GetWidth();
            const int height = image.GetHeight();
            if (width < 1 || height < 1) return false;
            if (tx + width <= reach.left) {
                tx = FirstCopyPast(tx, width, reach.left);
                continue;
            }
            long long tw = width;
            long long th = height;
            if (tx + tw > rect.right) tw = rect.right - tx;
            if (ty + th > rect.bottom) th = rect.bottom - ty;
            place(static_cast<int>(tx), static_cast<int>(ty), static_cast<int>(tw),
                  static_cast<int>(th));
            tx += width;
            rowStep = height;
        }
        ty += rowStep;
    }
    return true;
}

}  // namespace zvx
