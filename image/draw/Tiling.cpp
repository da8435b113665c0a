#include "image/draw/Tiling.h"

namespace zvx {

bool AcceptTileRect(int x, int y, int width, int height, TileRect& rect)
{
    if (width < 1 || height < 1) return false;
    rect = TileRect{x, y, width, height};
    const Extent pixels = rect.Pixels();
    return pixels.right >= 0 && pixels.bottom >= 0;
}

}  // namespace zvx
