#include "image/draw/Tiling.h"

namespace zvx {

bool AcceptTileRect(int x, int y, int width, int height, TileRect& rect)
{
    if (width < 1 || height < 1) return false;
    rect.x = x;
    rect.y = y;
    rect.right = static_cast<long long>(x) + width;
    rect.bottom = static_cast<long long>(y) + height;
    return rect.right >= 0 && rect.bottom >= 0;
}

}  // namespace zvx
