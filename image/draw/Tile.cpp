#include "image/draw/Tile.h"

#include "image/draw/Tiling.h"

namespace zvx {

bool TileTo(IImage& image, IImage* dest, int x, int y, int width, int height)
{
    TileRect rect;
    if (!AcceptTileRect(x, y, width, height, rect)) return false;
    // Each copy's result is ignored: a null dest or a copy outside it just draws nothing.
    return ForEachTile(image, rect, [&](int tx, int ty, int tw, int th) {
        image.BltTo(dest, tx, ty, tw, th);
    });
}

}  // namespace zvx
