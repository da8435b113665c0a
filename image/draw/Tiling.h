// Laying copies of an image edge to edge over a rectangle: the walk shared by TileTo and both
// forms of DrawTiled.
#pragma once

#include <climits>

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

// False for a width or height below 1, or a rectangle ending left of or above 0 (one that ends
// exactly at 0 is accepted).
bool AcceptTileRect(int x, int y, int width, int height, TileRect& rect);

// Calls place(tx, ty, tw, th) for every copy: rows of copies from the rectangle's top, each row
// from its left, copies trimmed (tw, th) where they would cross its right or bottom edge. The
// image's size is read again for every copy. False, before any copy and at whichever step it
// happens, when the image has no pixels: an empty image gives no step forward. Copies that
// would start beyond INT_MAX are beyond every image and device, and are not placed.
template <class Place>
bool ForEachTile(const IImage& image, const TileRect& rect, Place&& place)
{
    if (image.GetWidth() < 1 || image.GetHeight() < 1) return false;
    for (long long ty = rect.y; ty < rect.bottom && ty <= INT_MAX;) {
        long long rowStep = 0;
        for (long long tx = rect.x; tx < rect.right && tx <= INT_MAX;) {
            const int width = image.GetWidth();
            const int height = image.GetHeight();
            if (width < 1 || height < 1) return false;
            long long tw = width;
            long long th = height;
            if (tx + tw > rect.right) tw = rect.right - tx;
            if (ty + th > rect.bottom) th = rect.bottom - ty;
            place(static_cast<int>(tx), static_cast<int>(ty), static_cast<int>(tw),
                  static_cast<int>(th));
            tx += width;
            rowStep = height;
        }
        if (rowStep < 1) return false;  // not reached for an accepted rectangle
        ty += rowStep;
    }
    return true;
}

}  // namespace zvx
