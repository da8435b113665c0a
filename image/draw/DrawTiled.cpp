#include "image/draw/DrawTiled.h"

#include <algorithm>
#include <climits>

#include "image/draw/Tiling.h"

namespace zvx {

bool DrawTiledClipped(IImage& image, HDC hdc, int x, int y, int width, int height)
{
    TileRect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    if (image.GetWidth() < 1 || image.GetHeight() < 1) return false;

    // The DC keeps its own copy of the region, so ours goes at once; the clip stays selected.
    HRGN region = ::CreateRectRgn(x, y, static_cast<int>(std::min<long long>(rect.right, INT_MAX)),
                                  static_cast<int>(std::min<long long>(rect.bottom, INT_MAX)));
    ::SelectClipRgn(hdc, region);
    if (region != nullptr) ::DeleteObject(region);

    return ForEachTile(image, rect,
                       [&](int tx, int ty, int, int) { image.Draw(hdc, tx, ty); });
}

bool DrawTiledTrimmed(IImage& image, HDC hdc, int x, int y, int width, int height)
{
    TileRect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    return ForEachTile(image, rect, [&](int tx, int ty, int tw, int th) {
        image.Draw(hdc, tx, ty, tw, th);
    });
}

}  // namespace zvx
