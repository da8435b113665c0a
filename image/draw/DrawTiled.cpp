#include "image/draw/DrawTiled.h"

#include <algorithm>
#include <climits>

#include "image/draw/Tiling.h"
#include "platform/Win32.h"

namespace zvx {
namespace {

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
