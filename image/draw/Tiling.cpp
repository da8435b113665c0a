// Copies of an image laid edge to edge over a rectangle: the walk shared by TileTo (onto an image,
// each copy with the sized BltTo) and both forms of DrawTiled (onto a device context).
#include <algorithm>
#include <climits>

#include "core/Planner.h"
#include "image/Operations.h"
#include "platform/Win32.h"

namespace zvx {
namespace {

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
bool AcceptTileRect(int x, int y, int width, int height, TileRect& rect)
{
    if (width < 1 || height < 1) return false;
    rect = TileRect{x, y, width, height};
    const Extent pixels = rect.Pixels();
    return pixels.right >= 0 && pixels.bottom >= 0;
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

// Copies can leave pixels only within the DC's clip box: its bitmap's bounds and clip region.
// A DC that GDI does not know, or one with nothing to draw on, is reached by no copy.
Extent ReachOfDc(HDC hdc)
{
    RECT box{};
    const int kind = ::GetClipBox(hdc, &box);
    if (kind == ERROR || kind == NULLREGION) return Extent{};
    return Extent{box.left, box.top, box.right, box.bottom};
}

}  // namespace

bool TileTo(IImage& image, IImage* dest, int x, int y, int width, int height)
{
    TileRect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    // Copies reach only dest's pixels; with no dest every BltTo would fail, so none is made.
    Extent reach;
    if (dest != nullptr) reach = Extent{0, 0, dest->GetWidth(), dest->GetHeight()};
    // Each copy's result is ignored.
    return ForEachTile(image, rect, reach, [&](int tx, int ty, int tw, int th) { image.BltTo(dest, tx, ty, tw, th); });
}

bool DrawTiledClipped(IImage& image, HDC hdc, int x, int y, int width, int height)
{
    TileRect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    if (image.GetWidth() < 1 || image.GetHeight() < 1) return false;

    // The DC keeps its own copy of the region, so ours goes at once; the clip stays selected.
    const Extent pixels = rect.Pixels();
    HRGN region = ::CreateRectRgn(x, y, static_cast<int>(std::min<long long>(pixels.right, INT_MAX)),
                                  static_cast<int>(std::min<long long>(pixels.bottom, INT_MAX)));
    ::SelectClipRgn(hdc, region);
    if (region != nullptr) ::DeleteObject(region);

    // The clip box is taken after the rectangle's region is in place, so it lies within both:
    // whole copies drawn under it reach no further than trimmed ones would.
    return ForEachTile(image, rect, ReachOfDc(hdc), [&](int tx, int ty, int, int) { image.Draw(hdc, tx, ty); });
}

bool DrawTiledTrimmed(IImage& image, HDC hdc, int x, int y, int width, int height)
{
    TileRect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    return ForEachTile(image, rect, ReachOfDc(hdc),
                       [&](int tx, int ty, int tw, int th) { image.Draw(hdc, tx, ty, tw, th); });
}

}  // namespace zvx
