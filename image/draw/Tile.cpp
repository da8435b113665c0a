#include "image/draw/Tile.h"

#include "image/draw/Tiling.h"

namespace zvx {

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

}  // namespace zvx
