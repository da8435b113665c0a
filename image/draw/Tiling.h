// Laying copies of an image edge to edge over a rectangle: the walk shared by TileTo and both
// forms of DrawTiled.
#pragma once

#include "image/IImage.h"
#include "image/Planner.h"

namespace zvx {

// The rectangle to cover: width x height from (x, y).
struct TileRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Its pixels, with right and bottom edges in 64 bits so that nothing near INT_MAX overflows.
    Extent Pixels() const
    {
        return Extent{x, y, static_cast<long long>(x) + width, static_cast<long long>(y) + height};
    }
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

// Calls place(tx, ty, tw, th) for every copy that can leave a pixel on the destination, whose
// pixels are reach (an image's pixels, a DC's clip box): rows of copies from the rectangle's top,
// each row from its left, copies trimmed (tw, th) where they would cross its right or bottom
// edge. The image's size is read again for every copy. Only the part of the rectangle that lies
// within reach is walked: copies that end before it are stepped over in one jump and the walk
// stops at its end, so its cost follows the destination's size, not the rectangle's.
// False, before any copy and at whichever step it happens, when the image has no pixels: an
// empty image gives no step forward.
template <class PlaceCopy>
bool ForEachTile(const IImage& image, const TileRect& rect, const Extent& reach, PlaceCopy&& place)
{
    if (image.GetWidth() < 1 || image.GetHeight() < 1) return false;
    const BlitArea visible = Place(rect.width, rect.height, rect.x, rect.y, reach);
    if (visible.IsEmpty()) return true;
    const long long left = visible.destX;
    const long long top = visible.destY;
    const long long right = left + visible.width;
    const long long bottom = top + visible.height;

    for (long long ty = rect.y; ty < bottom;) {
        long long rowStep = image.GetHeight();
        if (rowStep < 1) return false;
        if (ty + rowStep <= top) {
            ty = FirstCopyPast(ty, rowStep, top);
            continue;
        }
        for (long long tx = rect.x; tx < right;) {
            const int width = image.GetWidth();
            const int height = image.GetHeight();
            if (width < 1 || height < 1) return false;
            if (tx + width <= left) {
                tx = FirstCopyPast(tx, width, left);
                continue;
            }
            // The copy trimmed to the rectangle: where a whole copy placed there meets it.
            const BlitArea copy = Place(width, height, tx, ty, rect.Pixels());
            place(static_cast<int>(tx), static_cast<int>(ty), copy.width, copy.height);
            tx += width;
            rowStep = height;
        }
        ty += rowStep;
    }
    return true;
}

}  // namespace zvx
