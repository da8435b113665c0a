// Copies of an image laid edge to edge over a rectangle: the walk shared by TileTo (onto an image,
// each copy with the sized BltTo) and both forms of DrawTiled (onto a device context).
#include <algorithm>
#include <climits>

#include "core/Clip.h"
#include "image/Operations.h"
#include "platform/Win32.h"

namespace zvx {
namespace {

// The rectangle to cover, width x height from (x, y): false for a width or height below 1, or a
// rectangle ending left of or above 0 (one that ends exactly at 0 is accepted).
bool AcceptTileRect(int x, int y, int width, int height, Rect& rect)
{
    if (width < 1 || height < 1) return false;
    rect = RectAt(x, y, width, height);
    return rect.right >= 0 && rect.bottom >= 0;
}

// Of the copies at pos, pos + step, pos + 2 step, ... the first that ends beyond edge, found by
// arithmetic rather than by stepping there.
long long FirstCopyPast(long long pos, long long step, long long edge)
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
bool ForEachTile(const IImage& image, const Rect& rect, const Rect& reach, PlaceCopy&& place)
{
    if (image.GetWidth() < 1 || image.GetHeight() < 1) return false;
    const Rect visible = Intersect(rect, reach);
    if (visible.IsEmpty()) return true;

    for (long long ty = rect.top; ty < visible.bottom;) {
        long long rowStep = image.GetHeight();
        if (rowStep < 1) return false;
        if (ty + rowStep <= visible.top) {
            ty = FirstCopyPast(ty, rowStep, visible.top);
            continue;
        }
        for (long long tx = rect.left; tx < visible.right;) {
            const int width = image.GetWidth();
            const int height = image.GetHeight();
            if (width < 1 || height < 1) return false;
            if (tx + width <= visible.left) {
                tx = FirstCopyPast(tx, width, visible.left);
                continue;
            }
            // The copy trimmed to the rectangle: where a whole copy placed there meets it.
            const Rect copy = Intersect(RectAt(tx, ty, width, height), rect);
            place(static_cast<int>(tx), static_cast<int>(ty), static_cast<int>(copy.right - copy.left),
                  static_cast<int>(copy.bottom - copy.top));
            tx += width;
            rowStep = height;
        }
        ty += rowStep;
    }
    return true;
}

// Copies can leave pixels only within the DC's clip box: its bitmap's bounds and clip region.
// A DC that GDI does not know, or one with nothing to draw on, is reached by no copy.
Rect ReachOfDc(HDC hdc)
{
    RECT box{};
    const int kind = ::GetClipBox(hdc, &box);
    if (kind == ERROR || kind == NULLREGION) return Rect{};
    return Rect{box.left, box.top, box.right, box.bottom};
}

}  // namespace

bool TileTo(IImage& image, IImage* dest, int x, int y, int width, int height)
{
    Rect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    // Copies reach only dest's pixels; with no dest every BltTo would fail, so none is made.
    Rect reach;
    if (dest != nullptr) reach = Rect{0, 0, dest->GetWidth(), dest->GetHeight()};  // read in this order
    // Each copy's result is ignored.
    return ForEachTile(image, rect, reach, [&](int tx, int ty, int tw, int th) { image.BltTo(dest, tx, ty, tw, th); });
}

bool DrawTiledClipped(IImage& image, HDC hdc, int x, int y, int width, int height)
{
    Rect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    if (image.GetWidth() < 1 || image.GetHeight() < 1) return false;

    // The DC keeps its own copy of the region, so ours goes at once; the clip stays selected.
    HRGN region = ::CreateRectRgn(x, y, static_cast<int>(std::min<long long>(rect.right, INT_MAX)),
                                  static_cast<int>(std::min<long long>(rect.bottom, INT_MAX)));
    ::SelectClipRgn(hdc, region);
    if (region != nullptr) ::DeleteObject(region);

    // The clip box is taken after the rectangle's region is in place, so it lies within both:
    // whole copies drawn under it reach no further than trimmed ones would.
    return ForEachTile(image, rect, ReachOfDc(hdc), [&](int tx, int ty, int, int) { image.Draw(hdc, tx, ty); });
}

bool DrawTiledTrimmed(IImage& image, HDC hdc, int x, int y, int width, int height)
{
    Rect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    return ForEachTile(image, rect, ReachOfDc(hdc),
                       [&](int tx, int ty, int tw, int th) { image.Draw(hdc, tx, ty, tw, th); });
}

}  // namespace zvx
